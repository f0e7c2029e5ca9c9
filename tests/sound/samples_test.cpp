// Effects: the sample table, its duplicates of busy sounds, the controls of one sample, the
// named sound bank on top, and the volume and pan scales.
#include "sound/sound_bank.h"
#include "support/sound_fixture.h"

using namespace testing_support;

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
    const auto out = Pull(10);
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
    MemoryFiles::store["other.wav"] = ConstantWav(2000, 10);
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
    const ZelSound copy(zelSound); // takes the three switches
    EXPECT_EQ((std::vector<int>{copy.nMusicLevel, copy.bMusicEnabled, copy.bSFXEnabled}),
              (std::vector<int>{0x8000, 1, 1}));
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
    for (SNDSample* s = ZelSound::g_SampleList; s < ZelSound::g_pEndSample.load(); ++s)
        EXPECT_FALSE(s->dwFlags & SNDF_CLAIMED) << "a record played once stays claimed";
}

class TinyTable : public SoundTest {
    int SampleCount() const override { return 3; }
};

TEST_F(TinyTable, FullTableGivesNullAndPlaysNothingMore) {
    LoadConstant(10, 1000, 1000);
    for (int i = 0; i < 3; ++i)
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
    MemoryFiles::store["ramp.wav"] = Wav(Format{}, Pcm16(ramp));
    ASSERT_EQ(zelSound.LoadSample("ramp.wav", 10), 1);
    SNDSample* s = zelSound.PlaySample(10, 65535, 0x8000);
    EXPECT_EQ(s->UnPauseSample(), 0) << "not paused";
    Pull(500);
    ASSERT_EQ(s->PauseSample(), 1);
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
    EXPECT_EQ(
        (std::vector<int>{empty.SetVolume(100), empty.PlaySample(65535, 0), empty.SamplePlaying()}),
        (std::vector<int>{0, 0, 0}));
    EXPECT_EQ(empty.GetSampleStatus(), SND_STATUS_INVALID);
    EXPECT_EQ(empty.DupeSample(), nullptr);
    LoadConstant(10, 1000, 100);
    SNDSample* s = zelSound.FindSample(10);
    EXPECT_EQ(s->SetPan(0x8000), 0);
    EXPECT_EQ(s->SetPitch(88200), 1);
    EXPECT_EQ(s->SetPitch(0), 0);
    s->PlaySample(16384, 0); // pan 0 is full right on the scale, yet it plays centred
    const auto out = Pull(1);
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

TEST(SoundInit, WithoutADeviceInitFailsCleanlyAndEveryCallIsHarmless) {
    plat::SelectBackend(plat::BackendKind::Null);
    plat::AudioDevice* taken = plat::OpenAudioDevice(); // the one device is in use
    ASSERT_NE(taken, nullptr);
    EXPECT_EQ(soundBank.Init(nullptr, 200), 0);
    EXPECT_EQ(ZelSound::g_MemHandle, nullptr);
    EXPECT_EQ(ZelSound::GetDSObject(), nullptr);
    EXPECT_EQ(ZelSound::g_CallBackThread, nullptr);
    EXPECT_EQ(soundBank.Load("sounds\\a.wav", "a"), nullptr);
    EXPECT_EQ(soundBank.Play("a", 65535, 0), nullptr);
    EXPECT_EQ(zelSound.PlaySample(10, 65535, 0), nullptr);
    EXPECT_EQ(zelSound.LoadStream(".\\sounds\\music.wav", 0), 0);
    EXPECT_EQ(ZelSound::g_FillThread.load(), nullptr);
    zelSound.FadeMusicIn(0);
    soundBank.Shutdown();
    plat::CloseAudioDevice(taken);
    // With the device free again the library starts normally.
    ASSERT_EQ(soundBank.Init(nullptr, 200), 1);
    EXPECT_NE(ZelSound::GetDSPrimaryBuffer(), nullptr);
    EXPECT_TRUE(WaitUntil([] { return ZelSound::g_nCallBackThreadActive.load() == 1; }));
    soundBank.Shutdown();
    EXPECT_EQ(ZelSound::g_nCallBackThreadActive.load(), 0);
}

class Bank : public SoundTest {
  protected:
    int Init() override { return soundBank.Init(nullptr, 200); }
    void SetUp() override {
        SoundTest::SetUp();
        MemoryFiles::store["sounds\\a.wav"] = ConstantWav(100, 2000);
        MemoryFiles::store["sounds\\b.wav"] = ConstantWav(200, 2000);
        MemoryFiles::store["sounds\\c.wav"] = ConstantWav(400, 2000);
    }
    void TearDown() override {
        soundBank.Shutdown();
        EXPECT_EQ(ZelSound::g_SampleList.load(), nullptr);
        SoundTest::TearDown();
    }
};

TEST_F(Bank, NamesGetIdsFromTenAndPlayByName) {
    EXPECT_EQ(soundBank.Load("sounds\\a.wav", "click")->id, 10);
    EXPECT_EQ(soundBank.Load("sounds\\missing.wav", "gone"), nullptr);
    EXPECT_EQ(soundBank.Load("sounds\\b.wav", "pos1")->id, 11);
    const char* longName = "a_name_that_is_longer_than_thirty_one_characters";
    SoundEntry* cut = soundBank.Load("sounds\\c.wav", longName);
    EXPECT_EQ(cut->id, 12);
    EXPECT_EQ(soundBank.Find(longName), nullptr);
    EXPECT_EQ(soundBank.Find(std::string(longName, 31).c_str()), cut) << "cut to the entry";
    EXPECT_EQ(soundBank.Play("gone", 65535, 0), nullptr);
    EXPECT_EQ(soundBank.Play("Click", 65535, 0), nullptr) << "names are case-sensitive";
    SNDSample* s = soundBank.Play("pos1", 65535, 0);
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->dwID.load(), 11u);
    EXPECT_EQ(Pull(1)[0], 200);
    soundBank.PlayIndex(2, 65535, 0);
    EXPECT_EQ(Pull(1)[0], 600);
    EXPECT_EQ(soundBank.PlayIndex(3, 65535, 0), nullptr);
    soundBank.Unload("click");
    soundBank.Unload("not there");
    EXPECT_EQ(soundBank.Find("click"), nullptr);
    EXPECT_EQ(soundBank.Count(), 2);
}

TEST_F(Bank, FreeAllEmptiesTheTableEvenWhileSoundsPlay) {
    soundBank.Load("sounds\\a.wav", "a");
    soundBank.Load("sounds\\b.wav", "b");
    soundBank.Play("a", 65535, 0);
    soundBank.Play("a", 65535, 0);
    MemoryFiles::store["music.wav"] = Wav({2, 44100, 16}, Bytes(400000, 0));
    ASSERT_EQ(zelSound.LoadStream("music.wav", 0), 1);
    zelSound.PlayStream(SNDSTREAM_LOOP);
    soundBank.FreeAll();
    EXPECT_EQ(soundBank.Count(), 0);
    EXPECT_EQ(soundBank.Play("a", 65535, 0), nullptr);
    EXPECT_EQ(ZelSound::g_StreamInfo.pSample.load(), nullptr);
    EXPECT_EQ(InUseSlots(), 0);
    for (int16_t v : Pull(100))
        ASSERT_EQ(v, 0);
    EXPECT_EQ(soundBank.Load("sounds\\c.wav", "c")->id, 10);
}

TEST(VolumeMap, LinearVolumeAndPanToHundredthsOfADecibel) {
    const int volumes[][2] = {{65535, 0},     {65536, 0},   {-5, -10000}, {32768, -1000},
                              {16384, -2000}, {67, -10000}, {68, -9912}};
    for (const auto& v : volumes)
        EXPECT_EQ(ZelSound::MapVolume(v[0]), v[1]) << "volume " << v[0];
    for (int i = 1; i < 16384; ++i)
        ASSERT_LE(ZelSound::g_VolumeTable[i - 1], ZelSound::g_VolumeTable[i]) << i;
    // The centre is half way; small values go right.
    const int pans[][2] = {{0x8000, 0}, {0x7FFF, 0},    {0, 10000},      {-1, 10000},
                           {1, 10000},  {0x4000, 1000}, {65535, -10000}, {65536, -10000}};
    for (const auto& p : pans)
        EXPECT_EQ(ZelSound::MapPan(p[0]), p[1]) << "pan " << p[0];
}

} // namespace
