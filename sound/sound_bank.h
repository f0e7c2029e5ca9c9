#pragma once
// The program's named sound set: loads WAV files under short names, gives them sample IDs from
// 10 upwards (IDs below 10 belong to other users; the music stream uses 0) and plays them by
// name through the program's one ZelSound object.
#include <memory>

#include "core/ptr_array.h"
#include "sound/zel_sound.h"

struct SoundEntry {
    int id;
    char name[32];
};

class SoundBank {
  public:
    SoundBank() = default;
    SoundBank(const SoundBank&) = delete;
    SoundBank& operator=(const SoundBank&) = delete;

    int Init(plat::Window* window, int sampleCount);
    SoundEntry* Load(const char* fileName, const char* soundName);
    SoundEntry* Find(const char* soundName);
    SNDSample* Play(const char* soundName, int volume, int pan);
    SNDSample* PlayIndex(int index, int volume, int pan);
    SNDSample* PlayEntry(SoundEntry* entry, int volume, int pan);
    void Unload(const char* soundName);
    // Frees every named sound, stops the music and resets the whole sample table.
    void FreeAll();
    void Shutdown();
    void EnableMusic(int enable);
    void EnableSFX(int enable);
    int Count() const { return entries ? entries->Count() : 0; }

  private:
    std::unique_ptr<PtrArray<SoundEntry>> entries;
};

extern SoundBank soundBank;
