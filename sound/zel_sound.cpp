// Start-up and shutdown of the sound library: the one memory block of event handles,
// completion slots and sample records, the sound device with its primary buffer, the
// completion thread, and the pluggable file functions.
#include "sound/zel_sound.h"

#include <cstdlib>
#include <new>

#include "platform/files.h"

ZelSound zelSound;

std::atomic<int> ZelSound::g_nMaxSampleCount{0};
std::atomic<int> ZelSound::g_nMaxEventCount{0};
void* ZelSound::g_MemHandle = nullptr;
plat::Event** ZelSound::g_CallBackHandles = nullptr;
_SNDEvent* ZelSound::g_EventList = nullptr;
std::atomic<SNDSample*> ZelSound::g_SampleList{nullptr};
std::atomic<SNDSample*> ZelSound::g_pEndSample{nullptr};
std::atomic<SNDSample*> ZelSound::g_pLastSample{nullptr};
std::atomic<plat::AudioDevice*> ZelSound::g_lpDSound{nullptr};
std::atomic<plat::SoundBuffer*> ZelSound::g_lpSoundBuffer{nullptr};
uint32_t ZelSound::g_DSCaps = 0;
std::atomic<SNDOpenFileFunc> ZelSound::g_pOpenFile{ZelSound::DefaultOpenFile};
std::atomic<SNDCloseFileFunc> ZelSound::g_pCloseFile{ZelSound::DefaultCloseFile};
plat::Thread* ZelSound::g_CallBackThread = nullptr;
std::atomic<int> ZelSound::g_nCallBackThreadActive{0};

ZelSound& ZelSound::operator=(const ZelSound& other) {
    nMusicLevel = other.nMusicLevel.load();
    bMusicEnabled = other.bMusicEnabled.load();
    bSFXEnabled = other.bSFXEnabled.load();
    return *this;
}

int ZelSound::Init(plat::Window*, int sampleCount) {
    g_FillThread = nullptr;
    bSFXEnabled = 1;
    bMusicEnabled = 1;
    nMusicLevel = 0x8000;
    g_nMaxSampleCount = sampleCount;
    if (!AllocSampleBuffers())
        return 0;
    plat::AudioDevice* device = plat::OpenAudioDevice();
    if (!device) {
        free_sample_buffers();
        return 0;
    }
    g_lpDSound = device;
    g_DSCaps = plat::AudioDeviceCaps(device);
    debug_dsound_caps(g_DSCaps);
    // Without a primary buffer nothing can be heard: fail as for the other device failures.
    if (!CreateMainBuffer()) {
        plat::CloseAudioDevice(device);
        g_lpDSound = nullptr;
        free_sample_buffers();
        return 0;
    }
    SetFileOpenFunc(nullptr);
    SetFileCloseFunc(nullptr);
    if (!setup_callback()) {
        Exit();
        return 0;
    }
    return 1;
}

int ZelSound::CreateMainBuffer() {
    plat::SoundBuffer* primary = plat::CreatePrimaryBuffer(g_lpDSound);
    if (!primary) {
        g_lpSoundBuffer = nullptr;
        return 0;
    }
    plat::SoundFormat format;
    format.frequency = 22050;
    format.channels = (g_DSCaps & plat::kCapsPrimaryStereo) ? 2 : 1;
    format.bitsPerSample = (g_DSCaps & plat::kCapsPrimary16Bit) ? 16 : 8;
    plat::SetPrimaryFormat(primary, format); // a refusal is harmless: the mixer keeps its own
    plat::SoundFormat actual;
    plat::GetBufferFormat(primary, &actual);
    if (!plat::PlayBuffer(primary, true)) {
        plat::ReleaseSoundBuffer(primary);
        g_lpSoundBuffer = nullptr;
        return 0;
    }
    g_lpSoundBuffer = primary;
    return 1;
}

void ZelSound::debug_dsound_caps(uint32_t) {}

int ZelSound::AllocSampleBuffers() {
    free_sample_buffers();
    if (!alloc_sample_buffers(g_nMaxSampleCount))
        return 0;
    g_pLastSample = g_SampleList.load() - 1; // no slot used yet
    g_pEndSample = g_SampleList.load() + g_nMaxSampleCount;
    return 1;
}

int ZelSound::alloc_sample_buffers(int count) {
    if (count <= 0)
        return 0;
    const int events = count + 1 < plat::kMaxWaitEvents ? count + 1 : plat::kMaxWaitEvents;
    g_nMaxEventCount = events;
    const size_t handleBytes = sizeof(plat::Event*) * events;
    const size_t eventBytes = sizeof(_SNDEvent) * events;
    void* block = std::calloc(1, handleBytes + eventBytes + sizeof(SNDSample) * count);
    if (!block)
        return 0;
    g_MemHandle = block;
    auto* bytes = static_cast<char*>(block);
    g_CallBackHandles = reinterpret_cast<plat::Event**>(bytes);
    g_EventList = reinterpret_cast<_SNDEvent*>(bytes + handleBytes);
    for (int i = 0; i < events; ++i)
        new (&g_EventList[i]) _SNDEvent;
    auto* samples = reinterpret_cast<SNDSample*>(bytes + handleBytes + eventBytes);
    for (int i = 0; i < count; ++i)
        new (&samples[i]) SNDSample;
    g_SampleList = samples;
    return 1;
}

int ZelSound::free_sample_buffers() {
    if (!g_MemHandle)
        return 1;
    std::free(g_MemHandle); // the records hold nothing that needs destroying
    g_MemHandle = nullptr;
    g_CallBackHandles = nullptr;
    g_EventList = nullptr;
    g_SampleList = nullptr;
    g_pLastSample = nullptr;
    g_pEndSample = nullptr;
    return 1;
}

int ZelSound::setup_callback() {
    for (int i = 0; i < g_nMaxEventCount; ++i) {
        plat::Event* event = plat::CreateEvent();
        g_EventList[i].hEvent = event;
        g_CallBackHandles[i] = event;
    }
    // Counted as running from here on, before its first turn: FreeSample waits for the thread
    // to report a stop only while it runs, and a stop may come before that turn.
    g_nCallBackThreadActive = 1;
    g_CallBackThread = plat::StartThread(CallBack, nullptr, plat::ThreadPriority::Normal);
    if (!g_CallBackThread)
        g_nCallBackThreadActive = 0;
    return g_CallBackThread != nullptr;
}

void ZelSound::close_callback() {
    if (g_CallBackThread) {
        plat::SetEvent(g_CallBackHandles[0]);
        plat::JoinThread(g_CallBackThread); // returns once the thread cleared its flag and left
        g_CallBackThread = nullptr;
    }
    // Buffers still registered with completion events must forget them before the events go.
    for (SNDSample* s = g_SampleList; s && s < g_pEndSample.load(); ++s) {
        if (plat::SoundBuffer* buffer = s->lpBuffer)
            plat::SetNotificationPositions(buffer, nullptr, 0);
        s->dwFlags &= ~SNDF_NOTIFY;
    }
    for (int i = 0; g_EventList && i < g_nMaxEventCount; ++i) {
        if (!g_EventList[i].hEvent)
            continue;
        plat::CloseEvent(g_EventList[i].hEvent);
        g_EventList[i].hEvent = nullptr;
        g_EventList[i].pSample = nullptr;
        g_CallBackHandles[i] = nullptr;
    }
}

unsigned ZelSound::CallBack(void*) {
    g_nCallBackThreadActive = 1;
    unsigned result = 0;
    for (;;) {
        const int index = plat::WaitForAnyEvent(g_CallBackHandles, g_nMaxEventCount);
        if (index == 0)
            break;
        if (index < 0) {
            result = 1;
            break;
        }
        _SNDEvent* slot = &g_EventList[index];
        SNDSample* finished = slot->pSample;
        if (!finished)
            continue;
        // A stop is reported once: a later stop of the same buffer must not reach whoever
        // takes the slot next. Until the armed bit goes, the record's buffer stays.
        if (plat::SoundBuffer* buffer = finished->lpBuffer)
            plat::SetNotificationPositions(buffer, nullptr, 0);
        FreeSoundEvent(slot);
        start_follower(finished);
        finished->dwFlags &= ~SNDF_NOTIFY; // the main thread may free the record now
    }
    g_nCallBackThreadActive = 0;
    return result;
}

void ZelSound::Exit() {
    stop_stream();
    close_callback();
    for (SNDSample* s = g_SampleList; s && s < g_pLastSample.load(); ++s) {
        if (s->dwFlags & SNDF_INUSE)
            FreeSample(s);
    }
    free_sample_buffers();
    if (plat::SoundBuffer* primary = g_lpSoundBuffer) {
        plat::StopBuffer(primary);
        plat::ReleaseSoundBuffer(primary);
        g_lpSoundBuffer = nullptr;
    }
    if (plat::AudioDevice* device = g_lpDSound) {
        plat::CloseAudioDevice(device);
        g_lpDSound = nullptr;
    }
}

SNDFileHandle ZelSound::DefaultOpenFile(const char* name) {
    std::FILE* file = name ? plat::OpenFile(name, "rb") : nullptr;
    return file ? file : SndInvalidHandle();
}

void ZelSound::DefaultCloseFile(SNDFileHandle file) {
    if (file && file != SndInvalidHandle())
        std::fclose(file);
}

void ZelSound::SetFileOpenFunc(SNDOpenFileFunc func) {
    g_pOpenFile = func ? func : DefaultOpenFile;
}

void ZelSound::SetFileCloseFunc(SNDCloseFileFunc func) {
    g_pCloseFile = func ? func : DefaultCloseFile;
}

plat::AudioDevice* ZelSound::GetDSObject() {
    return g_lpDSound;
}
plat::SoundBuffer* ZelSound::GetDSPrimaryBuffer() {
    return g_lpSoundBuffer;
}

void ZelSound::EnableSFX(int enable) {
    bSFXEnabled = enable;
}

void ZelSound::EnableMusic(int enable) {
    if (!enable)
        StopStream();
    bMusicEnabled = enable;
}

// The mixer keeps no spare memory to give back.
void ZelSound::MemCleanup() {}

unsigned ZelSound::GetLIBVersion() {
    return 1;
}
const char* ZelSound::GetLIBDate() {
    return "Fri May  5 06:51:24 2000";
}
