// The library's threads against each other: a mixer thread pulls audio like the device's
// callback while the main thread plays effects and chains, the completion thread starts
// followers and the fill thread refills the music. Meant to run under ThreadSanitizer too.
#include "mixer_thread.h"
#include "sound_test_support.h"

namespace soundtest {
namespace {

class Threads : public SoundTest {};

TEST_F(Threads, EffectsChainsAndMusicRunBesideTheMixer) {
    for (uint32_t id = 10; id < 20; ++id)
        LoadConstant(id, 100, 300 + 50 * static_cast<int>(id));
    MemoryFiles::Add("music.wav", Wav({2, 22050, 16}, Bytes(120000, 1)));
    ASSERT_EQ(zelSound.LoadStream("music.wav", 0), 1);
    MixerThread mixer;
    zelSound.PlayStream(SNDSTREAM_LOOP);
    for (int round = 0; round < 40; ++round) {
        SNDSample* a = zelSound.PlaySample(10 + round % 10, 65535, 0x8000);
        SNDSample* b = zelSound.FindSample(10 + (round + 3) % 10);
        SNDSample* c = zelSound.FindSample(10 + (round + 5) % 10);
        if (a && b && c && !a->pNext && !b->pNext) {
            SNDSample::ChainSample(b, c);
            b->PlaySample(40000, 0x8000);
        } else {
            // Records looked up and not played are given back; a chained follower is not:
            // the completion thread plays it.
            if (b)
                b->dwFlags &= ~SNDF_CLAIMED;
            if (c)
                c->dwFlags &= ~SNDF_CLAIMED;
        }
        ZelSound::SetStreamVolume(round * 1000);
        plat::SleepMs(2);
    }
    EXPECT_TRUE(WaitUntil([&] { return mixer.frames > 8192; }));
    EXPECT_GT(mixer.loudFrames.load(), 0);
    mixer.Stop();
    EXPECT_TRUE(ZelSound::g_StreamInfo.dwFlags & SNDSTREAM_LOADED);
}

TEST_F(Threads, ExitWhileSamplesAndMusicPlayEndsEveryThread) {
    LoadConstant(10, 100, 40000);
    LoadConstant(11, 100, 40000);
    SNDSample* s = zelSound.FindSample(10);
    SNDSample::ChainSample(s, zelSound.FindSample(11));
    zelSound.FindSample(11)->dwFlags &= ~SNDF_CLAIMED;
    MemoryFiles::Add("music.wav", Wav({2, 44100, 16}, Bytes(400000, 1)));
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
    mixer.Stop();
    // TearDown's Exit finds nothing left to do.
}

TEST_F(Threads, InitAndExitRepeatCleanly) {
    for (int i = 0; i < 5; ++i) {
        zelSound.Exit();
        ASSERT_EQ(zelSound.Init(nullptr, 200), 1);
        ZelSound::SetFileOpenFunc(MemoryFiles::OpenFile);
        ZelSound::SetFileCloseFunc(MemoryFiles::CloseFile);
        LoadConstant(10, 100, 100);
        zelSound.PlaySample(10, 65535, 0x8000);
    }
}

} // namespace
} // namespace soundtest
