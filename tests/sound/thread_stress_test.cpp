// The races between the main thread and the sound threads, provoked many times over: short
// sounds and tracks end under a mixer that pulls as fast as it can while the main thread looks
// up, chains, frees and controls them. Run under AddressSanitizer and ThreadSanitizer, where a
// buffer used after its release is reported.
#include <chrono>

#include "mixer_thread.h"
#include "sound_test_support.h"

namespace soundtest {
namespace {

class ThreadStress : public SoundTest {
  protected:
    // Once everything has ended, every record is unclaimed and idle duplicates can be reclaimed:
    // only the loaded sounds keep their slots.
    void ExpectOnlyMastersLeft(int masters) {
        ASSERT_TRUE(WaitUntil([&] {
            for (SNDSample* s = ZelSound::g_SampleList; s < ZelSound::g_pEndSample.load(); ++s) {
                if (s->SamplePlaying() || (s->dwFlags & SNDF_NOTIFY))
                    return false;
            }
            return true;
        }));
        for (SNDSample* s = ZelSound::g_SampleList; s < ZelSound::g_pEndSample.load(); ++s)
            EXPECT_FALSE(s->dwFlags & SNDF_CLAIMED) << "slot " << s - ZelSound::g_SampleList;
        zelSound.FlushSamples();
        EXPECT_EQ(InUseSlots(), masters);
    }
};

// Followers are duplicates of a busy sound; leaders are reused, some are freed as they play,
// and every lookup of another sound reclaims the idle duplicates it passes.
TEST_F(ThreadStress, FollowersStartWhileLookupsReclaimDuplicates) {
    LoadConstant(10, 100, 64);
    LoadConstant(11, 200, 64);
    LoadConstant(12, 300, 64);
    MixerThread mixer(0);
    for (int round = 0; round < 1500; ++round) {
        zelSound.PlaySample(11, 65535, 0x8000); // keeps 11 busy, so followers are duplicates
        SNDSample* leader = zelSound.FindSample(10);
        SNDSample* follower = zelSound.FindSample(11);
        if (leader && follower && !leader->pNext)
            SNDSample::ChainSample(leader, follower);
        else if (follower)
            follower->dwFlags &= ~SNDF_CLAIMED; // not chained: give it back
        if (leader) {
            leader->PlaySample(65535, 0x8000);
            if (round % 7 == 0 && (leader->dwFlags & SNDF_DUPE))
                zelSound.FreeSample(leader);
        }
        zelSound.PlaySample(12, 65535, 0x8000);
        if (round % 100 == 99)
            plat::SleepMs(1); // let the completion thread catch up now and then
    }
    mixer.Stop();
    // The mixer has stopped: let whatever still plays end.
    for (int i = 0; i < 20; ++i) {
        Pull(512);
        plat::SleepMs(1);
    }
    ExpectOnlyMastersLeft(3);
}

// A short track that does not loop ends by itself, its fill thread cleaning up, while the main
// thread changes its volume, fades it, pauses and resumes it, or stops it.
TEST_F(ThreadStress, StreamControlsRaceTheEndOfAShortTrack) {
    MemoryFiles::Add("short.wav", Wav({1, 44100, 16}, Bytes(2000, 1)));
    MixerThread mixer(0);
    for (int round = 0; round < 64; ++round) {
        ASSERT_EQ(zelSound.LoadStream("short.wav", 0), 1) << "round " << round;
        // The track ends about eight quarter seconds (88200 frames) after it starts; the main
        // thread waits quietly for the last two, then keeps at the stream until it has ended.
        const long start = mixer.frames;
        const long stopAt = start + 80000 + (round * 2711) % 16000;
        const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(30);
        zelSound.PlayStream(0);
        for (int i = 0; ZelSound::g_StreamInfo.dwFlags & SNDSTREAM_LOADED; ++i) {
            ASSERT_LT(std::chrono::steady_clock::now(), giveUp) << "round " << round;
            if (mixer.frames - start < 66000) {
                plat::SleepMs(1);
                continue;
            }
            switch (round % 4) {
            case 0:
                ZelSound::SetStreamVolume(i & 0xFFFF);
                break;
            case 1:
                zelSound.FadeMusic(0, 0x8000, 1);
                break;
            case 2:
                zelSound.PauseStream();
                zelSound.PauseStream();
                break;
            default:
                if (mixer.frames >= stopAt)
                    zelSound.StopStream();
                break;
            }
        }
    }
    mixer.Stop();
    EXPECT_EQ(InUseSlots(), 0);
}

} // namespace
} // namespace soundtest
