// A sample's buffer, loading, playing with its follower armed, and its controls.
#include "sound/zel_sound.h"

void SNDSample::Reset() {
    dwFlags = 0;
    dwID = 0;
    dwDataSize = 0;
    dwFrequency = 0;
    dwBitsPerSample = 0;
    dwChannels = 0;
    dwBlockAlign = 0;
    dwPausePos = 0;
    nVolume = 0;
    nPan = 0;
    nPitch = 0;
    dwLoopStart = 0;
    dwLoopEnd = 0;
    dwLoopPlayCount = 0;
    dwReserved = 0;
    lpBuffer = nullptr;
    pNext = nullptr;
}

namespace {
// Whether `target` lies on the chain after `from`; a chain is never longer than the table.
bool OnChainOf(SNDSample* from, SNDSample* target) {
    int steps = 0;
    for (SNDSample* s = from->pNext; s && steps <= ZelSound::g_nMaxSampleCount; s = s->pNext) {
        if (s == target)
            return true;
        ++steps;
    }
    return false;
}

bool IsFollower(SNDSample* sample) {
    for (SNDSample* s = ZelSound::g_SampleList; s && s < ZelSound::g_pEndSample.load(); ++s) {
        if (s->pNext == sample)
            return true;
    }
    return false;
}
} // namespace

int SNDSample::AllocDSBuffer(uint32_t size) {
    plat::SoundFormat format;
    format.channels = dwChannels;
    format.frequency = dwFrequency;
    format.bitsPerSample = dwBitsPerSample;
    const uint32_t block = format.BlockAlign();
    if (block == 0)
        return 0;
    uint32_t bytes = size ? size : dwDataSize.load();
    bytes -= bytes % block; // a stray byte after the last whole frame is not sound
    plat::SoundBuffer* buffer = plat::CreateSoundBuffer(ZelSound::g_lpDSound, format, bytes);
    if (!buffer)
        return 0;
    lpBuffer = buffer;
    return 1;
}

int SNDSample::LoadSample(const char* fileName, uint32_t id) {
    SNDFileHandle file = OpenSoundFile(fileName);
    if (file == SndInvalidHandle())
        return 0;
    dwBlockAlign = dwChannels * dwBitsPerSample / 8;
    bool loaded = false;
    if (AllocDSBuffer(0)) {
        plat::BufferLock lock;
        if (plat::LockBuffer(lpBuffer, 0, 0, &lock)) {
            const size_t want = lock.bytes1;
            loaded = std::fread(lock.part1, 1, want, file) == want;
            plat::UnlockBuffer(lpBuffer, lock);
        }
    }
    if (loaded && id != 0xFFFFFFFF)
        dwID = id;
    if (!loaded && lpBuffer) {
        plat::ReleaseSoundBuffer(lpBuffer);
        lpBuffer = nullptr;
    }
    ZelSound::g_pCloseFile.load()(file);
    return loaded ? 1 : 0;
}

// Takes a completion slot for the stop of a sample with a follower and returns it; null when
// it has none, or when none can be armed and its followers are released (they would never
// start).
_SNDEvent* SNDSample::arm_stop_notify() {
    if (dwFlags & SNDF_NOTIFY)
        return nullptr; // a stop still to be reported belongs to the completion thread
    plat::SoundBuffer* buffer = lpBuffer;
    if (pNext) {
        // Two threads may look for a free completion slot at once: taking one is a swap.
        for (_SNDEvent* slot = ZelSound::AllocSoundEvent(); slot;
             slot = ZelSound::AllocSoundEvent()) {
            SNDSample* none = nullptr;
            if (!slot->pSample.compare_exchange_strong(none, this))
                continue;
            StopNotify.dwOffset = plat::kNotifyStop;
            StopNotify.hEvent = slot->hEvent;
            const plat::NotifyPosition position{plat::kNotifyStop, slot->hEvent};
            dwFlags |= SNDF_NOTIFY;
            if (plat::SetNotificationPositions(buffer, &position, 1))
                return slot;
            dwFlags &= ~SNDF_NOTIFY;
            ZelSound::FreeSoundEvent(slot);
            break;
        }
        release_followers();
    }
    // No follower to start: a stop must not report to a slot another sample may hold now.
    plat::SetNotificationPositions(buffer, nullptr, 0);
    return nullptr;
}

// Undoes the arming of a sample that did not start: no stop will come to report.
void SNDSample::disarm_stop_notify(_SNDEvent* slot) {
    plat::SetNotificationPositions(lpBuffer, nullptr, 0);
    dwFlags &= ~SNDF_NOTIFY;
    ZelSound::FreeSoundEvent(slot);
    release_followers();
}

void SNDSample::release_followers() {
    for (SNDSample* follower = pNext.exchange(nullptr); follower;) {
        SNDSample* next = follower->pNext.exchange(nullptr);
        follower->dwFlags &= ~SNDF_CLAIMED;
        follower = next;
    }
}

// Plays the buffer from where it stands, with its follower armed to start at its stop.
int SNDSample::play_buffer() {
    _SNDEvent* slot = arm_stop_notify();
    plat::SoundBuffer* buffer = lpBuffer;
    const int played = plat::PlayBuffer(buffer, (dwFlags & SNDF_LOOPED) != 0) ? 1 : 0;
    if (!played && slot)
        disarm_stop_notify(slot);
    return played;
}

int SNDSample::PlaySample(int volume, int pan) {
    if (!zelSound.bSFXEnabled) {
        release_followers(); // nothing plays, so nothing follows
        dwFlags &= ~SNDF_CLAIMED;
        return 1;
    }
    if (!lpBuffer)
        return 0;
    SetPan(pan);
    SetVolume(volume);
    // The claim holds until the buffer plays, so that a lookup on another thread never takes
    // the record for an idle duplicate between the two.
    const int played = play_buffer();
    dwFlags &= ~SNDF_CLAIMED;
    return played;
}

int SNDSample::StopSample() {
    plat::SoundBuffer* buffer = lpBuffer;
    return buffer && plat::StopBuffer(buffer) ? 1 : 0;
}

int SNDSample::PauseSample() {
    plat::SoundBuffer* buffer = lpBuffer;
    if (!buffer || !plat::StopBuffer(buffer))
        return 0;
    uint32_t position = 0;
    if (!plat::GetBufferPosition(buffer, &position))
        return 0;
    dwPausePos = position;
    dwFlags |= SNDF_PAUSED;
    return 1;
}

int SNDSample::UnPauseSample() {
    plat::SoundBuffer* buffer = lpBuffer;
    if (!buffer || !(dwFlags & SNDF_PAUSED))
        return 0;
    if (!plat::SetBufferPosition(buffer, dwPausePos))
        return 0;
    dwFlags &= ~SNDF_PAUSED;
    return play_buffer();
}

long SNDSample::GetSampleStatus() {
    plat::SoundBuffer* buffer = lpBuffer;
    uint32_t status = 0;
    if (!buffer || !plat::GetBufferStatus(buffer, &status))
        return SND_STATUS_INVALID;
    return static_cast<long>(status);
}

int SNDSample::SamplePlaying() {
    const long status = GetSampleStatus();
    return status == SND_STATUS_INVALID ? 0 : static_cast<int>(status & plat::kStatusPlaying);
}

int SNDSample::SetVolume(int volume) {
    plat::SoundBuffer* buffer = lpBuffer;
    if (!buffer)
        return 0;
    nVolume = volume;
    return plat::SetBufferVolume(buffer, ZelSound::MapVolume(volume)) ? 1 : 0;
}

int SNDSample::FadeVolume(int from, int to, int milliseconds) {
    plat::SoundBuffer* buffer = lpBuffer;
    if (!buffer)
        return 0;
    nVolume = to;
    return plat::FadeBufferVolume(buffer, ZelSound::MapVolume(from), ZelSound::MapVolume(to),
                                  milliseconds > 0 ? static_cast<uint32_t>(milliseconds) : 0)
               ? 1
               : 0;
}

int SNDSample::SetPan(int pan) {
    plat::SoundBuffer* buffer = lpBuffer;
    if (!buffer)
        return 0;
    nPan = pan;
    return plat::SetBufferPan(buffer, ZelSound::MapPan(pan)) ? 1 : 0;
}

int SNDSample::SetPitch(int frequency) {
    plat::SoundBuffer* buffer = lpBuffer;
    if (!buffer)
        return 0;
    nPitch = frequency;
    return frequency > 0 && plat::SetBufferFrequency(buffer, static_cast<uint32_t>(frequency)) ? 1
                                                                                               : 0;
}

SNDSample* SNDSample::DupeSample() {
    plat::SoundBuffer* buffer = lpBuffer;
    if (!buffer)
        return nullptr;
    SNDSample* dupe = ZelSound::AllocSample();
    if (!dupe)
        return nullptr;
    plat::SoundBuffer* copy = plat::DuplicateSoundBuffer(buffer);
    if (!copy) {
        ZelSound::ClearSample(dupe);
        return nullptr;
    }
    dupe->lpBuffer = copy;
    dupe->dwID = dwID.load();
    dupe->dwDataSize = dwDataSize.load();
    dupe->dwFrequency = dwFrequency.load();
    dupe->dwBitsPerSample = dwBitsPerSample.load();
    dupe->dwChannels = dwChannels.load();
    dupe->pNext = nullptr;
    dupe->dwFlags |= SNDF_DUPE;
    if (dwFlags & SNDF_LOOPED) {
        dupe->dwLoopStart = dwLoopStart.load();
        dupe->dwLoopEnd = dwLoopEnd.load();
    }
    return dupe;
}

SNDSample* SNDSample::ChainSample(SNDSample* first, SNDSample* follower) {
    if (!first || !follower)
        return follower;
    // A record follows one sample, once: linked twice, or into a circle, it would start again
    // and again while nobody claims it any more.
    if (follower == first || IsFollower(follower) || OnChainOf(follower, first))
        return first;
    SNDSample* last = first;
    for (int steps = 0; SNDSample* next = last->pNext; ++steps) {
        if (steps > ZelSound::g_nMaxSampleCount)
            return first;
        last = next;
    }
    last->pNext = follower;
    // A follower waits for the completion thread to play it: it stays claimed meanwhile, so no
    // lookup reuses it or frees it as an idle duplicate under that thread.
    follower->dwFlags |= SNDF_CLAIMED;
    return first;
}
