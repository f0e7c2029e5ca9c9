#pragma once
// One slot of the sound library's sample table: a sound's format, its sound buffer, its last
// volume, pan and pitch, and the follower that starts when it stops. Records live in the
// library's one memory block and are addressed by pointer; callers know a sound by dwID.
#include "sound/snd_types.h"

class ZELSOUND_API SNDSample {
  public:
    SNDSample() = default;
    SNDSample(const SNDSample&) = delete;
    SNDSample& operator=(const SNDSample&) = delete;

    int LoadSample(const char* fileName, uint32_t id);
    SNDFileHandle OpenSoundFile(const char* name);
    int IsWavFile(SNDFileHandle file);
    static int FindRiffChunk(SNDFileHandle file, uint32_t chunkId, _ChunkHeader* header,
                             uint32_t start);
    int AllocDSBuffer(uint32_t size);

    int PlaySample(int volume, int pan);
    int StopSample();
    int PauseSample();
    int UnPauseSample();
    int SamplePlaying();
    long GetSampleStatus();
    int SetVolume(int volume);
    // Starts at `from` and reaches `to` over the time given as the sample plays; nVolume is
    // `to` at once.
    int FadeVolume(int from, int to, int milliseconds);
    int SetPan(int pan);
    int SetPitch(int frequency);
    SNDSample* DupeSample();
    static SNDSample* ChainSample(SNDSample* first, SNDSample* follower);
    // Clears every field but StopNotify.
    void Reset();

    // Flags and pointers are read and written by the main, completion and fill threads.
    std::atomic<uint32_t> dwFlags{0};
    std::atomic<uint32_t> dwID{0};
    std::atomic<uint32_t> dwDataSize{0};
    std::atomic<uint32_t> dwFrequency{0};
    std::atomic<uint32_t> dwBitsPerSample{0};
    std::atomic<uint32_t> dwChannels{0};
    std::atomic<uint32_t> dwBlockAlign{0}; // bytes a frame; written at load, read by nobody
    std::atomic<uint32_t> dwPausePos{0};
    std::atomic<int32_t> nVolume{0};
    std::atomic<int32_t> nPan{0};
    std::atomic<int32_t> nPitch{0};
    std::atomic<uint32_t> dwLoopStart{0};
    std::atomic<uint32_t> dwLoopEnd{0};
    std::atomic<uint32_t> dwLoopPlayCount{0}; // the sampler loop's play count, kept as read
    std::atomic<uint32_t> dwReserved{0};
    std::atomic<plat::SoundBuffer*> lpBuffer{nullptr};
    _SNDNotify StopNotify;
    std::atomic<SNDSample*> pNext{nullptr};

  private:
    friend class ZelSound;
    int play_buffer();
    _SNDEvent* arm_stop_notify();
    void disarm_stop_notify(_SNDEvent* slot);
    // Drops the link to the follower, and the links after it: none of them will start, and
    // each is unclaimed, free to be reused or reclaimed.
    void release_followers();
};
