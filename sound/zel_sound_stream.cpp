// Streamed music: a looping buffer of eight quarter-second segments. A low-priority fill
// thread refills each segment from the file as soon as the play cursor has left it, so seven
// segments are always queued ahead; the stream ends when the buffer stops.
#include "sound/zel_sound.h"

#include <cstring>

std::atomic<plat::Thread*> ZelSound::g_FillThread{nullptr};
std::atomic<uint32_t> ZelSound::g_FillThreadID{0};
std::atomic<int> ZelSound::g_nStreamHolds{0};
plat::Event* ZelSound::g_NotifyEvents[SND_STREAM_EVENTS] = {};
_SNDStream ZelSound::g_StreamInfo;

namespace {
uint8_t SilenceByte(SNDSample* sample) {
    return sample->dwBitsPerSample == 8 ? 0x80 : 0;
}

bool StreamReady() {
    SNDSample* s = ZelSound::g_StreamInfo.pSample;
    return (ZelSound::g_StreamInfo.dwFlags & SNDSTREAM_LOADED) && s && s->lpBuffer;
}
} // namespace

_SNDStream* ZelSound::GetStreamInfoPtr() {
    return &g_StreamInfo;
}

uint32_t ZelSound::GetStreamID() {
    StreamHold hold;
    return hold.sample ? hold.sample->dwID.load() : 0;
}

SNDNextStreamFunc ZelSound::SetStreamNextFunc(SNDNextStreamFunc func) {
    return g_StreamInfo.pNextFunc.exchange(func);
}
SNDNextStreamFunc ZelSound::GetStreamNextFunc() {
    return g_StreamInfo.pNextFunc;
}
void ZelSound::ClearStreamNextStreamFunc() {
    g_StreamInfo.pNextFunc = nullptr;
}

void ZelSound::close_stream_events() {
    for (int i = 0; i < SND_STREAM_EVENTS; ++i) {
        plat::CloseEvent(g_NotifyEvents[i]);
        g_NotifyEvents[i] = nullptr;
        g_StreamInfo.Positions[i].event = nullptr;
    }
}

// Asks the fill thread to end and waits for it (it is then done with the events).
void ZelSound::end_fill_thread() {
    g_StreamInfo.dwFlags |= SNDSTREAM_ENDING;
    plat::SetEvent(g_NotifyEvents[SND_STREAM_SEGMENTS]);
    plat::JoinThread(g_FillThread.exchange(nullptr));
    g_StreamInfo.dwFlags &= ~(SNDSTREAM_ENDING | SNDSTREAM_FILLTHREAD);
}

int ZelSound::LoadStream(const char* fileName, uint32_t id) {
    if (!bMusicEnabled || (g_StreamInfo.dwFlags & SNDSTREAM_LOADED))
        return 0; // one stream at a time
    // A thread left from an earlier stream has ended its stream; when this call comes from
    // its next-stream callback, the thread lets itself go instead of waiting for itself.
    plat::JoinThread(g_FillThread.exchange(nullptr));
    g_StreamInfo.dwFlags = 0;
    g_StreamInfo.dwSilentSegments = 0;
    for (int i = 0; i < SND_STREAM_EVENTS; ++i)
        g_NotifyEvents[i] = plat::CreateEvent();
    const uint32_t threadId = ++g_FillThreadID;
    g_FillThread = plat::StartThread(FillStream, reinterpret_cast<void*>(uintptr_t{threadId}),
                                     plat::ThreadPriority::Lowest);
    if (!g_FillThread) {
        close_stream_events();
        return 0;
    }
    SNDSample* sample = AllocSample();
    SNDFileHandle file = sample ? sample->OpenSoundFile(fileName) : SndInvalidHandle();
    if (file == SndInvalidHandle()) {
        end_fill_thread();
        close_stream_events();
        ClearSample(sample);
        return 0;
    }
    if (id != 0xFFFFFFFF)
        sample->dwID = id;
    const uint32_t block = sample->dwBitsPerSample * sample->dwChannels / 8;
    uint32_t segment = static_cast<uint32_t>(uint64_t{block} * sample->dwFrequency * 2000 / 8000);
    if (segment % block)
        segment += block - segment % block;
    const bool loopTooShort =
        (sample->dwFlags & SNDF_LOOPED) && sample->dwLoopEnd - sample->dwLoopStart < segment;
    const long dataStart = std::ftell(file);
    if (loopTooShort || segment == 0 || segment > 0x0FFFFFFF / SND_STREAM_SEGMENTS ||
        dataStart < 0 || !sample->AllocDSBuffer(SND_STREAM_SEGMENTS * segment)) {
        end_fill_thread();
        close_stream_events();
        g_pCloseFile.load()(file);
        FreeSample(sample);
        return 0;
    }
    plat::SoundBuffer* buffer = sample->lpBuffer;
    for (int i = 0; i < SND_STREAM_SEGMENTS; ++i)
        g_StreamInfo.Positions[i] = {i * segment, g_NotifyEvents[i]};
    g_StreamInfo.Positions[SND_STREAM_SEGMENTS] = {plat::kNotifyStop,
                                                   g_NotifyEvents[SND_STREAM_SEGMENTS]};
    plat::SetNotificationPositions(buffer, g_StreamInfo.Positions, SND_STREAM_EVENTS);
    g_StreamInfo.lpNotify = buffer;
    g_StreamInfo.dwDataStart = static_cast<uint32_t>(dataStart);
    g_StreamInfo.hFile = file;
    g_StreamInfo.pSample = sample;
    g_StreamInfo.dwSegmentSize = segment;
    g_StreamInfo.dwBufferSize = SND_STREAM_SEGMENTS * segment;
    init_stream_buffer();
    g_StreamInfo.dwFlags |= SNDSTREAM_LOADED | SNDSTREAM_FILLTHREAD;
    return 1;
}

// Writes the next `bytes` bytes of the track: file data, then (looping) the data again from
// its start, else silence.
void ZelSound::fill_stream_data(uint8_t* dest, uint32_t bytes) {
    SNDSample* sample = g_StreamInfo.pSample;
    SNDFileHandle file = g_StreamInfo.hFile;
    const bool loop = g_StreamInfo.dwFlags & SNDSTREAM_LOOP;
    bool rewound = false;
    while (bytes > 0) {
        const uint32_t left = g_StreamInfo.dwBytesLeft;
        if (left == 0) {
            if (!loop || rewound || sample->dwDataSize == 0 ||
                std::fseek(file, static_cast<long>(g_StreamInfo.dwDataStart), SEEK_SET) != 0)
                break;
            g_StreamInfo.dwBytesLeft = sample->dwDataSize.load();
            rewound = true; // a read that then gives nothing must not spin
            continue;
        }
        const uint32_t want = left < bytes ? left : bytes;
        const size_t got = std::fread(dest, 1, want, file);
        g_StreamInfo.dwBytesLeft = got == want ? left - want : 0;
        if (got > 0)
            rewound = false;
        dest += got;
        bytes -= static_cast<uint32_t>(got);
    }
    std::memset(dest, SilenceByte(sample), bytes);
}

void ZelSound::init_stream_buffer() {
    SNDSample* sample = g_StreamInfo.pSample;
    plat::BufferLock lock;
    if (!plat::LockBuffer(sample->lpBuffer, 0, 0, &lock))
        return;
    g_StreamInfo.dwBytesLeft = sample->dwDataSize.load();
    fill_stream_data(static_cast<uint8_t*>(lock.part1), lock.bytes1);
    plat::UnlockBuffer(sample->lpBuffer, lock);
}

// Refills the segment the cursor has just left; true when the track is over and the buffer
// has been stopped.
bool ZelSound::fill_stream_segment(int event) {
    SNDSample* sample = g_StreamInfo.pSample;
    // The first notification marks the thread primed; it refills like every other, since the
    // segment just left must carry the sound that follows the queued two seconds.
    g_StreamInfo.dwFlags |= SNDSTREAM_PRIMED;
    if (!sample)
        return false;
    plat::SoundBuffer* buffer = sample->lpBuffer;
    const uint32_t segment = g_StreamInfo.dwSegmentSize;
    const int played = (event + SND_STREAM_SEGMENTS - 1) % SND_STREAM_SEGMENTS;
    plat::BufferLock lock;
    if (!plat::LockBuffer(buffer, played * segment, segment, &lock))
        return false;
    if (lock.bytes1 == 0) {
        plat::UnlockBuffer(buffer, lock);
        return false;
    }
    auto* dest = static_cast<uint8_t*>(lock.part1);
    if (g_StreamInfo.dwBytesLeft == 0 && !(g_StreamInfo.dwFlags & SNDSTREAM_LOOP)) {
        // Let what is queued play out: stop once the segment with the last data was heard.
        if (g_StreamInfo.dwSilentSegments >= SND_STREAM_SEGMENTS - 1) {
            plat::UnlockBuffer(buffer, lock);
            plat::StopBuffer(buffer);
            return true;
        }
        std::memset(dest, SilenceByte(sample), lock.bytes1);
        ++g_StreamInfo.dwSilentSegments;
    } else {
        fill_stream_data(dest, lock.bytes1);
    }
    plat::UnlockBuffer(buffer, lock);
    return false;
}

unsigned ZelSound::FillStream(void* arg) {
    const uint32_t myId = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(arg));
    for (;;) {
        // No time limit: an end request sets the stop event too.
        const int event = plat::WaitForAnyEvent(g_NotifyEvents, SND_STREAM_EVENTS);
        if (event == plat::kWaitFailed) {
            plat::SleepMs(1);
            continue;
        }
        const uint32_t flags = g_StreamInfo.dwFlags;
        if (flags & SNDSTREAM_ENDING) {
            CleanupStream();
            break;
        }
        if (event >= 0 && event < SND_STREAM_SEGMENTS) {
            // A track that is over ends at once, not at the stop notification, which a pause
            // or resume at the same moment would take for its own.
            if (fill_stream_segment(event)) {
                CleanupStream();
                break;
            }
        } else if (event == SND_STREAM_SEGMENTS) {
            // A pause stops the buffer too, and an unpause may already have restarted it.
            SNDSample* s = g_StreamInfo.pSample;
            uint32_t status = 0;
            const bool playing = s && s->lpBuffer && plat::GetBufferStatus(s->lpBuffer, &status) &&
                                 (status & plat::kStatusPlaying);
            if ((flags & SNDSTREAM_PAUSED) || playing)
                continue;
            CleanupStream();
            break;
        }
    }
    if (g_FillThreadID == myId)
        g_StreamInfo.dwFlags &= ~SNDSTREAM_FILLTHREAD;
    return 0;
}

int ZelSound::CleanupStream() {
    if (!StreamReady())
        return 1;
    // Calls of the main thread that hold the stream finish with it first; later ones find it
    // closing and leave it alone.
    g_StreamInfo.dwFlags |= SNDSTREAM_CLOSING;
    while (g_nStreamHolds > 0)
        plat::SleepMs(1);
    SNDSample* sample = g_StreamInfo.pSample;
    plat::SoundBuffer* buffer = sample->lpBuffer;
    // The buffer goes first so that the mixer can no longer set the events being closed.
    sample->lpBuffer = nullptr;
    plat::ReleaseSoundBuffer(buffer);
    g_StreamInfo.lpNotify = nullptr;
    close_stream_events();
    const uint32_t id = sample->dwID;
    ClearSample(sample);
    g_StreamInfo.pSample = nullptr;
    g_pCloseFile.load()(g_StreamInfo.hFile);
    g_StreamInfo.hFile = nullptr;
    g_StreamInfo.dwFlags &=
        ~(SNDSTREAM_LOADED | SNDSTREAM_PLAYING | SNDSTREAM_LOOP | SNDSTREAM_PAUSED |
          SNDSTREAM_PRIMED | SNDSTREAM_ENDING | SNDSTREAM_CLOSING);
    g_StreamInfo.dwBytesLeft = 0;
    g_StreamInfo.dwBufferSize = 0;
    g_StreamInfo.dwSegmentSize = 0;
    if (SNDNextStreamFunc next = g_StreamInfo.pNextFunc)
        next(id);
    return 1;
}
