#include "sound/sound_bank.h"

#include <cstring>

SoundBank soundBank;

namespace {
constexpr int kFirstSoundId = 10;
}

int SoundBank::Init(plat::Window* window, int sampleCount) {
    entries = std::make_unique<PtrArray<SoundEntry>>();
    return zelSound.Init(window, sampleCount);
}

SoundEntry* SoundBank::Load(const char* fileName, const char* soundName) {
    if (!entries || !soundName)
        return nullptr;
    const int id = entries->Count() + kFirstSoundId;
    if (!zelSound.LoadSample(fileName, static_cast<uint32_t>(id)))
        return nullptr;
    auto* entry = new SoundEntry{id, {}};
    std::strncpy(entry->name, soundName, sizeof(entry->name) - 1);
    entry->name[sizeof(entry->name) - 1] = '\0';
    return entries->Add(entry);
}

SoundEntry* SoundBank::Find(const char* soundName) {
    if (!entries || !soundName)
        return nullptr;
    for (int i = 0; i < entries->Count(); ++i) {
        SoundEntry* entry = entries->Get(i);
        if (std::strcmp(entry->name, soundName) == 0)
            return entry;
    }
    return nullptr;
}

SNDSample* SoundBank::Play(const char* soundName, int volume, int pan) {
    SoundEntry* entry = Find(soundName);
    return entry ? PlayEntry(entry, volume, pan) : nullptr;
}

SNDSample* SoundBank::PlayIndex(int index, int volume, int pan) {
    SoundEntry* entry = entries ? entries->Get(index) : nullptr;
    return entry ? PlayEntry(entry, volume, pan) : nullptr;
}

SNDSample* SoundBank::PlayEntry(SoundEntry* entry, int volume, int pan) {
    if (!entry)
        return nullptr;
    return zelSound.PlaySample(static_cast<uint32_t>(entry->id), volume, pan);
}

void SoundBank::Unload(const char* soundName) {
    SoundEntry* entry = Find(soundName);
    if (!entry)
        return;
    zelSound.FreeSample(static_cast<uint32_t>(entry->id));
    entries->Remove(entry);
    delete entry;
}

void SoundBank::FreeAll() {
    if (entries) {
        for (int i = 0; i < entries->Count(); ++i) {
            SoundEntry* entry = entries->Get(i);
            zelSound.FreeSample(static_cast<uint32_t>(entry->id));
            delete entry;
        }
        entries = std::make_unique<PtrArray<SoundEntry>>();
    }
    zelSound.StopStream();
    // Resetting the table forgets buffers; a sound still sounding or a duplicate made by the
    // lookups above would keep its buffer for ever, so release what is left first.
    for (SNDSample* s = ZelSound::g_SampleList; s && s < ZelSound::g_pEndSample.load(); ++s) {
        if (s->dwFlags & SNDF_INUSE)
            zelSound.FreeSample(s);
    }
    ZelSound::ClearSampleList();
}

void SoundBank::Shutdown() {
    if (entries) {
        FreeAll();
        entries.reset();
    }
    zelSound.Exit();
}

void SoundBank::EnableMusic(int enable) {
    zelSound.EnableMusic(enable);
}
void SoundBank::EnableSFX(int enable) {
    zelSound.EnableSFX(enable);
}
