// What the main thread does to the music stream: start, stop and pause it. The stream may end
// by itself at any moment, its fill thread then releasing the buffer, so every call works on
// the stream through a hold (see StreamHold).
#include "sound/zel_sound.h"

#include <cstdio>

// Why a hold is safe: the hold count goes up before the hold looks at the stream, and the fill
// thread marks the stream closing before it reads the count. Both are sequentially consistent,
// so either the hold sees the mark and takes nothing, or the fill thread sees the count and
// waits until the hold is gone.
ZelSound::StreamHold::StreamHold() {
    ++g_nStreamHolds;
    const uint32_t flags = g_StreamInfo.dwFlags;
    SNDSample* s = g_StreamInfo.pSample;
    if (!(flags & SNDSTREAM_LOADED) || (flags & SNDSTREAM_CLOSING) || !s)
        return;
    buffer = s->lpBuffer;
    sample = buffer ? s : nullptr;
}

ZelSound::StreamHold::~StreamHold() {
    --g_nStreamHolds;
}

int ZelSound::PlayStream(uint32_t flags) {
    if (!bMusicEnabled)
        return 1;
    StreamHold hold;
    if (!hold.buffer || (g_StreamInfo.dwFlags & SNDSTREAM_PLAYING))
        return 1;
    const bool wasLooping = g_StreamInfo.dwFlags & SNDSTREAM_LOOP;
    g_StreamInfo.dwFlags |= flags;
    // A track shorter than the buffer was followed by silence when loaded; once it loops, it
    // must follow itself instead. The fill thread does nothing until the buffer plays.
    if (!wasLooping && (flags & SNDSTREAM_LOOP) &&
        hold.sample->dwDataSize < g_StreamInfo.dwBufferSize &&
        std::fseek(g_StreamInfo.hFile, static_cast<long>(g_StreamInfo.dwDataStart), SEEK_SET) == 0)
        init_stream_buffer();
    plat::SetBufferPosition(hold.buffer, 1);
    plat::PlayBuffer(hold.buffer, true);
    g_StreamInfo.dwFlags |= SNDSTREAM_PLAYING;
    return 1;
}

void ZelSound::stop_stream() {
    plat::Thread* thread = g_FillThread;
    const uint32_t threadId = g_FillThreadID;
    {
        StreamHold hold;
        if (hold.buffer) {
            g_StreamInfo.dwFlags |= SNDSTREAM_ENDING;
            plat::StopBuffer(hold.buffer);
            // A paused buffer gives no stop notification; the fill thread is woken all the same.
            plat::SetEvent(g_NotifyEvents[SND_STREAM_SEGMENTS]);
        }
    }
    // The fill thread cleans up, also when the track has just ended by itself. No hold may be
    // kept meanwhile: the fill thread waits for the holds to go.
    while ((g_StreamInfo.dwFlags & SNDSTREAM_LOADED) && g_FillThreadID == threadId)
        plat::SleepMs(1);
    // Its next-stream callback may already have loaded another stream, whose thread then
    // stands in g_FillThread while the old one has let itself go.
    plat::Thread* expected = thread;
    if (thread && g_FillThreadID == threadId &&
        g_FillThread.compare_exchange_strong(expected, nullptr))
        plat::JoinThread(thread);
}

int ZelSound::StopStream() {
    if (!bMusicEnabled)
        return 1;
    stop_stream();
    return 1;
}

int ZelSound::PauseStream() {
    StreamHold hold;
    if (!hold.buffer || !(g_StreamInfo.dwFlags & SNDSTREAM_PLAYING))
        return 1;
    if (g_StreamInfo.dwFlags & SNDSTREAM_PAUSED) {
        plat::SetBufferPosition(hold.buffer, hold.sample->dwPausePos);
        plat::PlayBuffer(hold.buffer, true);
        g_StreamInfo.dwFlags &= ~SNDSTREAM_PAUSED;
    } else {
        g_StreamInfo.dwFlags |= SNDSTREAM_PAUSED; // before the stop, so the stop ends nothing
        plat::StopBuffer(hold.buffer);
        uint32_t position = 0;
        plat::GetBufferPosition(hold.buffer, &position);
        hold.sample->dwPausePos = position;
    }
    return 1;
}
