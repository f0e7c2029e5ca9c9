#include "sound_test_support.h"

namespace soundtest {
namespace {

class Samples : public SoundTest {};

TEST_F(Samples, BusyIdPlaysMasterAndTwoDuplicatesTogether) {
    LoadConstant(10, 1000, 4000);
    SNDSample* first = zelSound.PlaySample(10, 65535, 0x8000);
    Pull(100);
    SNDSample* second = zelSound.PlaySample(10, 65535, 0x8000);
    Pull(100);
    SNDSample* third = zelSound.PlaySample(10, 65535, 0x8000);
    ASSERT_TRUE(first && second && third);
    EXPECT_FALSE(first->dwFlags & SNDF_DUPE);
    EXPECT_TRUE(second->dwFlags & SNDF_DUPE);
    EXPECT_TRUE(third->dwFlags & SNDF_DUPE);
    EXPECT_NE(second, third);
    EXPECT_FALSE(third->dwFlags & SNDF_CLAIMED);
    auto out = Pull(10);
    EXPECT_EQ(out[0], 3000); // all three sound at once, centred
    EXPECT_EQ(out[1], 3000);
    LoadConstant(11, 50, 10); // a slot behind the duplicates

    Pull(4000); // all have ended
    EXPECT_EQ(Pull(1)[0], 0);
    EXPECT_EQ(zelSound.PlaySample(10, 65535, 0x8000), first) << "the idle master is reused";
    EXPECT_EQ(InUseSlots(), 4);
    zelSound.PlaySample(11, 65535, 0x8000); // its walk passes the idle duplicates
    EXPECT_EQ(second->dwFlags.load(), 0u);
    EXPECT_EQ(third->dwFlags.load(), 0u);
    EXPECT_EQ(InUseSlots(), 2);
}

TEST_F(Samples, LoadingAnIdTwiceKeepsTheFirstAndAllOnesIdKeepsZero) {
    LoadConstant(10, 1000, 10);
    MemoryFiles::Add("other.wav", ConstantWav(2000, 10));
    EXPECT_EQ(zelSound.LoadSample("other.wav", 10), 1);
    EXPECT_EQ(InUseSlots(), 1);
    EXPECT_EQ(zelSound.LoadSample("other.wav", 0xFFFFFFFF), 1);
    EXPECT_EQ(InUseSlots(), 2);
    EXPECT_EQ(ZelSound::g_SampleList.load()[1].dwID.load(), 0u);
    EXPECT_EQ(zelSound.LoadSample("missing.wav", 12), 0);
    EXPECT_EQ(InUseSlots(), 2);
    zelSound.PlaySample(10, 65535, 0x8000);
    EXPECT_EQ(Pull(1)[0], 1000);
    EXPECT_EQ(zelSound.GetLIBVersion(), 1u);
    EXPECT_STREQ(zelSound.GetLIBDate(), "Fri May  5 06:51:24 2000");
}

TEST_F(Samples, EffectsOffLeaveTheTableAsItWasAndPlayNothing) {
    LoadConstant(10, 1000, 1000);
    zelSound.EnableSFX(0);
    for (int i = 0; i < 20; ++i) {
        SNDSample* s = zelSound.PlaySample(10, 65535, 0x8000);
        ASSERT_NE(s, nullptr);
        EXPECT_FALSE(s->dwFlags & SNDF_CLAIMED);
    }
    EXPECT_EQ(InUseSlots(), 1);
    EXPECT_EQ(zelSound.PlaySampleIDOnce(10, 65535, 0), 1);
    for (int16_t v : Pull(100))
        ASSERT_EQ(v, 0);
    zelSound.EnableSFX(1);
    EXPECT_EQ(zelSound.PlaySampleIDOnce(10, 65535, 0x8000), 1);
    // The lookup hands out a fresh duplicate for the busy ID, so this plays too.
    EXPECT_EQ(zelSound.PlaySampleIDOnce(10, 65535, 0x8000), 1);
    EXPECT_EQ(Pull(1)[0], 2000);
    EXPECT_EQ(InUseSlots(), 2);
}

class TinyTable : public SoundTest {
    int SampleCount() const override { return 3; }
};

TEST_F(TinyTable, FullTableGivesNullAndPlaysNothingMore) {
    LoadConstant(10, 1000, 1000);
    EXPECT_NE(zelSound.PlaySample(10, 65535, 0x8000), nullptr);
    EXPECT_NE(zelSound.PlaySample(10, 65535, 0x8000), nullptr);
    EXPECT_NE(zelSound.PlaySample(10, 65535, 0x8000), nullptr);
    EXPECT_EQ(ZelSound::AllocSample(), nullptr);
    EXPECT_EQ(zelSound.PlaySample(10, 65535, 0x8000), nullptr);
    EXPECT_EQ(Pull(1)[0], 3000);
    EXPECT_EQ(ZelSound::g_nMaxEventCount.load(), 4);
}

TEST_F(Samples, PauseKeepsThePlaceAndUnpauseGoesOnFromIt) {
    std::vector<int16_t> ramp(3000);
    for (int i = 0; i < 3000; ++i)
        ramp[i] = static_cast<int16_t>(i);
    MemoryFiles::Add("ramp.wav", Wav(Format{}, Pcm16(ramp)));
    ASSERT_EQ(zelSound.LoadSample("ramp.wav", 10), 1);
    SNDSample* s = zelSound.PlaySample(10, 65535, 0x8000);
    EXPECT_EQ(s->UnPauseSample(), 0) << "not paused";
    Pull(500);
    ASSERT_EQ(s->PauseSample(), 1);
    EXPECT_TRUE(s->dwFlags & SNDF_PAUSED);
    EXPECT_EQ(s->dwPausePos.load(), 1000u);
    EXPECT_EQ(s->SamplePlaying(), 0);
    EXPECT_EQ(Pull(50)[0], 0);
    ASSERT_EQ(s->UnPauseSample(), 1);
    EXPECT_FALSE(s->dwFlags & SNDF_PAUSED);
    EXPECT_EQ(Pull(1)[0], 500);
    EXPECT_EQ(s->StopSample(), 1);
    EXPECT_EQ(s->SamplePlaying(), 0);
}

TEST_F(Samples, ControlsWithoutABufferFailAndPanIsRefused) {
    SNDSample empty;
    EXPECT_EQ(empty.SetVolume(100), 0);
    EXPECT_EQ(empty.PlaySample(65535, 0), 0);
    EXPECT_EQ(empty.GetSampleStatus(), SND_STATUS_INVALID);
    EXPECT_EQ(empty.SamplePlaying(), 0);
    EXPECT_EQ(empty.DupeSample(), nullptr);
    LoadConstant(10, 1000, 100);
    SNDSample* s = zelSound.FindSample(10);
    EXPECT_EQ(s->SetPan(0x8000), 0);
    EXPECT_EQ(s->nPan.load(), 0x8000);
    EXPECT_EQ(s->SetPitch(88200), 1);
    EXPECT_EQ(s->SetPitch(0), 0);
    EXPECT_EQ(s->SetVolume(16384), 1);
    s->PlaySample(16384, 0); // pan 0 is full right on the scale, yet it plays centred
    auto out = Pull(1);
    EXPECT_EQ(out[0], 100); // -20 dB
    EXPECT_EQ(out[1], 100);
}

TEST_F(Samples, FreeAndFlushReleaseOnlyWhatTheyMay) {
    LoadConstant(10, 1000, 200);
    SNDSample* a = zelSound.PlaySample(10, 65535, 0x8000);
    SNDSample* b = zelSound.PlaySample(10, 65535, 0x8000);
    zelSound.FlushSamples(); // the duplicate still plays
    EXPECT_TRUE(b->dwFlags & SNDF_INUSE);
    Pull(300);
    zelSound.FlushSamples();
    EXPECT_EQ(b->dwFlags.load(), 0u);
    EXPECT_TRUE(a->dwFlags & SNDF_INUSE);
    EXPECT_EQ(zelSound.FreeSample(10u), 1);
    EXPECT_EQ(InUseSlots(), 0);
    EXPECT_EQ(zelSound.FreeSample(10u), 0);
    EXPECT_EQ(ZelSound::g_pLastSample.load(), ZelSound::g_SampleList.load());
}

} // namespace
} // namespace soundtest
