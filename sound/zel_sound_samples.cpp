// The sample table: slots, completion slots, and the lookup that decides which record of an
// ID plays (an idle one, else a new duplicate of a busy master).
#include "sound/zel_sound.h"

// Besides the main thread, the completion thread uses records: it reports a sample's stop
// while the sample's armed bit (SNDF_NOTIFY) is set, and plays a follower while its starting
// bit (SNDF_STARTING) is set. The main thread reuses and reclaims neither, and FreeSample waits
// for both bits to go before it releases a buffer. A follower is claimed by its chain from
// ChainSample until it starts or is released.
namespace {
constexpr uint32_t kBusy = SNDF_CLAIMED | SNDF_NOTIFY | SNDF_STARTING;

bool Idle(SNDSample* s, uint32_t flags) {
    return !(flags & kBusy) && !s->SamplePlaying();
}

// The completion thread never waits for the main thread, so this wait is short.
void WaitWhileCallBackUses(SNDSample* sample, uint32_t bit) {
    while ((sample->dwFlags & bit) && ZelSound::g_nCallBackThreadActive)
        plat::SleepMs(1);
}
} // namespace

SNDSample* ZelSound::AllocSample() {
    SNDSample* end = g_pEndSample;
    for (SNDSample* s = g_SampleList; s && s < end; ++s) {
        uint32_t expected = 0;
        if (!s->dwFlags.compare_exchange_strong(expected, SNDF_INUSE))
            continue;
        SNDSample* last = g_pLastSample;
        while (s >= last && !g_pLastSample.compare_exchange_weak(last, s + 1)) {
        }
        return s;
    }
    return nullptr;
}

void ZelSound::ClearSample(SNDSample* sample) {
    if (!sample)
        return;
    sample->Reset();
    SNDSample* first = g_SampleList;
    SNDSample* last = g_pLastSample;
    SNDSample* used = last;
    while (used > first && !((used - 1)->dwFlags & SNDF_INUSE))
        --used;
    if (used < last)
        g_pLastSample.compare_exchange_strong(last, used);
}

void ZelSound::ClearSampleList() {
    SNDSample* first = g_SampleList;
    SNDSample* end = g_pEndSample;
    for (SNDSample* s = first; s && s < end; ++s)
        s->Reset();
    if (!first)
        return;
    g_pLastSample = first - 1;
    g_pEndSample = first + g_nMaxSampleCount;
}

_SNDEvent* ZelSound::AllocSoundEvent() {
    for (int i = 1; g_EventList && i < g_nMaxEventCount; ++i) {
        if (!g_EventList[i].pSample)
            return &g_EventList[i];
    }
    return nullptr;
}

void ZelSound::FreeSoundEvent(_SNDEvent* event) {
    if (event)
        event->pSample = nullptr;
}

int ZelSound::LoadSample(const char* fileName, uint32_t id) {
    for (SNDSample* s = g_SampleList; s && s < g_pLastSample.load(); ++s) {
        if ((s->dwFlags & SNDF_INUSE) && s->dwID == id)
            return 1; // an ID is loaded once
    }
    SNDSample* sample = AllocSample();
    if (!sample)
        return 0;
    if (!sample->LoadSample(fileName, id)) {
        ClearSample(sample);
        return 0;
    }
    return 1;
}

SNDSample* ZelSound::FindSample(uint32_t id) {
    SNDSample* answer = nullptr;
    SNDSample* candidate = nullptr;
    for (SNDSample* s = g_SampleList; s && s < g_pLastSample.load(); ++s) {
        const uint32_t flags = s->dwFlags;
        if ((flags & SNDF_INUSE) && s->dwID == id) {
            if (Idle(s, flags)) {
                answer = s;
                break;
            }
            if (!candidate && !(flags & SNDF_DUPE))
                candidate = s;
        } else if ((flags & SNDF_DUPE) && Idle(s, flags)) {
            FreeSample(s); // finished duplicates are reclaimed by every lookup
        }
    }
    if (!answer && candidate)
        answer = candidate->DupeSample();
    if (answer)
        answer->dwFlags |= SNDF_CLAIMED;
    return answer;
}

SNDSample* ZelSound::PlaySample(uint32_t id, int volume, int pan) {
    SNDSample* sample = FindSample(id);
    if (sample)
        sample->PlaySample(volume, pan);
    return sample;
}

int ZelSound::PlaySampleIDOnce(uint32_t id, int volume, int pan) {
    if (!zelSound.bSFXEnabled)
        return 1;
    SNDSample* sample = FindSample(id);
    if (!sample)
        return 0;
    plat::SoundBuffer* buffer = sample->lpBuffer;
    if (!buffer || sample->SamplePlaying())
        return 0;
    sample->SetPan(pan);
    sample->SetVolume(volume);
    sample->release_followers(); // it plays without them
    sample->dwFlags &= ~SNDF_CLAIMED;
    return plat::PlayBuffer(buffer, (sample->dwFlags & SNDF_LOOPED) != 0) ? 1 : 0;
}

int ZelSound::FreeSample(SNDSample* sample) {
    if (!sample)
        return 0;
    // No leader starts it any more; unlinked before the starting bit is read (start_follower).
    for (SNDSample* s = g_SampleList; s && s < g_pEndSample.load(); ++s) {
        SNDSample* expected = sample;
        s->pNext.compare_exchange_strong(expected, nullptr);
    }
    WaitWhileCallBackUses(sample, SNDF_STARTING);
    sample->release_followers();
    if (plat::SoundBuffer* buffer = sample->lpBuffer) {
        if (sample->SamplePlaying())
            plat::StopBuffer(buffer); // an armed stop is reported now
        WaitWhileCallBackUses(sample, SNDF_NOTIFY);
        sample->lpBuffer = nullptr;
        plat::ReleaseSoundBuffer(buffer);
    }
    ClearSample(sample);
    return 1;
}

// A follower is marked before its link is taken, and FreeSample takes links before it reads
// the mark; all four steps are sequentially consistent. So either FreeSample took the link
// first and the follower does not start, or it sees the mark and waits until the follower has
// started.
void ZelSound::start_follower(SNDSample* finished) {
    SNDSample* follower = finished->pNext;
    if (!follower)
        return;
    follower->dwFlags |= SNDF_STARTING;
    SNDSample* expected = follower;
    if (finished->pNext.compare_exchange_strong(expected, nullptr))
        follower->PlaySample(finished->nVolume, finished->nPan);
    follower->dwFlags &= ~SNDF_STARTING;
}

int ZelSound::FreeSample(uint32_t id) {
    SNDSample* sample = FindSample(id);
    return sample ? FreeSample(sample) : 0;
}

void ZelSound::FlushSamples() {
    for (SNDSample* s = g_SampleList; s && s < g_pEndSample.load(); ++s) {
        const uint32_t flags = s->dwFlags;
        if ((flags & SNDF_INUSE) && (flags & SNDF_DUPE) && Idle(s, flags))
            FreeSample(s);
    }
}
