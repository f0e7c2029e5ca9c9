#pragma once
// The sound library: effect samples (overlapping by duplicating a busy sample's buffer),
// chained samples started by a completion thread, one streamed music track refilled by a fill
// thread, and the volume and pan mapping with music fades. Apart from an object's three
// switches, all state is class-wide: the library serves one sound device per process.
// Volumes and pans at this interface are linear, 0 .. 65535 (pan 0x8000 = centre).
// Results are 1 for success and 0 for failure unless said otherwise.
#include "sound/snd_sample.h"

class ZELSOUND_API ZelSound {
  public:
    ZelSound() {}
    ZelSound(plat::Window* window, int sampleCount) { Init(window, sampleCount); }
    ZelSound(const ZelSound& other) { *this = other; }
    ZelSound& operator=(const ZelSound& other);

    int Init(plat::Window* window, int sampleCount);
    void Exit();

    int LoadSample(const char* fileName, uint32_t id);
    SNDSample* PlaySample(uint32_t id, int volume, int pan);
    int PlaySampleIDOnce(uint32_t id, int volume, int pan);
    SNDSample* FindSample(uint32_t id);
    int FreeSample(uint32_t id);
    int FreeSample(SNDSample* sample);
    void FlushSamples();
    void EnableSFX(int enable);
    void EnableMusic(int enable);
    void MemCleanup();
    unsigned GetLIBVersion();
    const char* GetLIBDate();

    static plat::AudioDevice* GetDSObject();
    static plat::SoundBuffer* GetDSPrimaryBuffer();
    static SNDSample* AllocSample();
    static void ClearSample(SNDSample* sample);
    static void ClearSampleList();
    static _SNDEvent* AllocSoundEvent();
    static void FreeSoundEvent(_SNDEvent* event);
    // Null restores DefaultOpenFile / DefaultCloseFile.
    static void SetFileOpenFunc(SNDOpenFileFunc func);
    static void SetFileCloseFunc(SNDCloseFileFunc func);
    static SNDFileHandle DefaultOpenFile(const char* name);
    static void DefaultCloseFile(SNDFileHandle file);

    // Streamed music.
    int LoadStream(const char* fileName, uint32_t id);
    int PlayStream(uint32_t flags);
    int StopStream();
    int PauseStream();
    static int CleanupStream();
    static _SNDStream* GetStreamInfoPtr();
    static uint32_t GetStreamID();
    SNDNextStreamFunc SetStreamNextFunc(SNDNextStreamFunc func);
    SNDNextStreamFunc GetStreamNextFunc();
    static void ClearStreamNextStreamFunc();

    // Volume, pan and fades.
    static int MapVolume(int volume);
    static int MapPan(int pan);
    static void SetStreamVolume(int volume);
    static int GetStreamVolume();
    void FadeMusic(int from, int to, int milliseconds);
    void FadeMusicIn(int milliseconds);
    // The same fade in, carried by the mixer while the caller goes on: the program starts
    // without waiting for its music.
    void StartFadeMusicIn(int milliseconds);
    void FadeMusicOut(int milliseconds);

    std::atomic<int32_t> nMusicLevel{0};
    std::atomic<int32_t> bMusicEnabled{0};
    std::atomic<int32_t> bSFXEnabled{0};

    static std::atomic<int> g_nMaxSampleCount;
    static std::atomic<int> g_nMaxEventCount;
    static void* g_MemHandle;
    static plat::Event** g_CallBackHandles;
    static _SNDEvent* g_EventList;
    static std::atomic<SNDSample*> g_SampleList;
    static std::atomic<SNDSample*> g_pEndSample;
    static std::atomic<SNDSample*> g_pLastSample;
    static std::atomic<plat::AudioDevice*> g_lpDSound;
    static std::atomic<plat::SoundBuffer*> g_lpSoundBuffer;
    static uint32_t g_DSCaps;
    static std::atomic<SNDOpenFileFunc> g_pOpenFile;
    static std::atomic<SNDCloseFileFunc> g_pCloseFile;
    static plat::Thread* g_CallBackThread;
    static std::atomic<int> g_nCallBackThreadActive;
    static std::atomic<plat::Thread*> g_FillThread;
    static std::atomic<uint32_t> g_FillThreadID;
    static plat::Event* g_NotifyEvents[SND_STREAM_EVENTS];
    static _SNDStream g_StreamInfo;
    static std::atomic<int> g_nStreamHolds;
    static int16_t g_VolumeTable[16384];

  protected:
    static int CreateMainBuffer();
    static int AllocSampleBuffers();
    static int alloc_sample_buffers(int count);
    static int free_sample_buffers();
    static int setup_callback();
    static void close_callback();
    static void debug_dsound_caps(uint32_t caps);
    static unsigned CallBack(void* arg);
    static void start_follower(SNDSample* finished);

    // The stream's record and buffer while a call of the main thread uses them. The fill thread
    // releases both when the stream ends; before it does, it marks the stream closing and waits
    // until no hold is left, and a hold taken after the mark sees no stream.
    class StreamHold {
      public:
        StreamHold();
        ~StreamHold();
        StreamHold(const StreamHold&) = delete;
        StreamHold& operator=(const StreamHold&) = delete;
        SNDSample* sample = nullptr;
        plat::SoundBuffer* buffer = nullptr;
    };

    static void init_stream_buffer();
    static void fill_stream_data(uint8_t* dest, uint32_t bytes);
    static bool fill_stream_segment(int event);
    static void stop_stream();
    static void end_fill_thread();
    static void close_stream_events();
    static unsigned FillStream(void* arg);
};

// The program's one library object; its effects switch is the one every play consults.
extern ZelSound zelSound;
