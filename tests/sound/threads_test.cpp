// The library's threads against each other: a mixer thread pulls audio like the device's
// callback while the main thread plays effects and chains, the completion thread starts
// followers and the fill thread refills the music. The races between them are provoked many
// times over; run under AddressSanitizer and ThreadSanitizer too, where a buffer used after its
// release is reported.
#include <chrono>

#include "support/sound_fixture.h"

using namespace testing_support;

namespace {

class Threads : public SoundTest {};

// Each round exits while samples, a chain and the music play, then starts the library again.
TEST_F(Threads, ExitWhileSamplesAndMusicPlayEndsEveryThreadAndInitStartsAgain) {
    for (int round = 0; round < 4; ++round) {
        SCOPED_TRACE(round);
        if (round > 0) {
            ASSERT_EQ(zelSound.Init(nullptr, 200), 1);
            MemoryFiles::Install();
        }
        LoadConstant(10, 100, 40000);
        LoadConstant(11, 100, 40000);
        SNDSample* s = zelSound.FindSample(10);
        SNDSample::ChainSample(s, zelSound.FindSample(11)); // 11 then plays as a duplicate
        MemoryFiles::store["music.wav"] = Wav({2, 44100, 16}, Bytes(400000, 1));
        ASSERT_EQ(zelSound.LoadStream("music.wav", 0), 1);
        MixerThread mixer; // keeps pulling while the device closes under it
        zelSound.PlayStream(SNDSTREAM_LOOP);
        s->PlaySample(65535, 0x8000);
        zelSound.PlaySample(11, 65535, 0x8000);
        ASSERT_TRUE(WaitUntil([&] { return mixer.frames > 4000; }));
        EXPECT_EQ(ZelSound::g_nCallBackThreadActive.load(), 1);
        zelSound.Exit();
        EXPECT_EQ(ZelSound::g_nCallBackThreadActive.load(), 0);
        EXPECT_EQ(ZelSound::g_CallBackThread, nullptr);
        EXPECT_EQ(ZelSound::g_FillThread.load(), nullptr);
        EXPECT_FALSE(ZelSound::g_StreamInfo.dwFlags & SNDSTREAM_FILLTHREAD);
        EXPECT_EQ(ZelSound::GetDSObject(), nullptr);
        const long after = mixer.frames;
        plat::SleepMs(5);
        EXPECT_EQ(mixer.frames.load(), after) << "no device is left to mix";
    }
    // TearDown's Exit finds nothing left to do.
}

class ThreadStress : public SoundTest {};

// Followers are duplicates of a busy sound; leaders are reused, some are freed as they play,
// and every lookup of another sound reclaims the idle duplicates it passes. Meanwhile the fill
// thread refills the music, whose volume the main thread keeps changing.
TEST_F(ThreadStress, FollowersStartWhileLookupsReclaimDuplicatesAndMusicPlays) {
    LoadConstant(10, 100, 64);
    LoadConstant(11, 200, 64);
    LoadConstant(12, 300, 64);
    MemoryFiles::store["music.wav"] = Wav({2, 22050, 16}, Bytes(120000, 1));
    ASSERT_EQ(zelSound.LoadStream("music.wav", 0), 1);
    MixerThread mixer(0);
    zelSound.PlayStream(SNDSTREAM_LOOP);
    for (int round = 0; round < 1500; ++round) {
        ZelSound::SetStreamVolume(round * 40);
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
    EXPECT_GT(mixer.loudSamples.load(), 0);
    mixer.Stop();
    EXPECT_EQ(zelSound.StopStream(), 1);
    // The mixer has stopped: pull until nothing plays or waits to start a follower. Then every
    // record is unclaimed and idle duplicates can be reclaimed: only the loaded sounds stay.
    ASSERT_TRUE(WaitUntil([] {
        Pull(512);
        for (SNDSample* s = ZelSound::g_SampleList; s < ZelSound::g_pEndSample.load(); ++s) {
            if (s->SamplePlaying() || (s->dwFlags & SNDF_NOTIFY))
                return false;
        }
        return true;
    }));
    EXPECT_EQ(Slots(SNDF_CLAIMED), 0);
    zelSound.FlushSamples();
    EXPECT_EQ(Slots(), 3);
}

// A short track that does not loop ends by itself, its fill thread cleaning up, while the main
// thread changes its volume, fades it, pauses and resumes it, or stops it.
TEST_F(ThreadStress, StreamControlsRaceTheEndOfAShortTrack) {
    MemoryFiles::store["short.wav"] = Wav({1, 44100, 16}, Bytes(2000, 1));
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
                zelSound.StartFadeMusicIn(1);
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
    EXPECT_EQ(Slots(), 0);
}

} // namespace
