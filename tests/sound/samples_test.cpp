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
    zelSound.PlaySample(10, 65535, 0x8000);
    Pull(100);
    zelSound.PlaySample(10, 65535, 0x8000);
    EXPECT_EQ(Slots(SNDF_DUPE | SNDF_INUSE), 2);
    EXPECT_EQ(Slots(SNDF_CLAIMED), 0) << "a played record stays claimed";
    EXPECT_EQ(Pull(10), std::vector<int16_t>(20, 3000)) << "all three sound at once, centred";
    LoadConstant(11, 50, 10); // a slot behind the duplicates
    zelSound.FlushSamples();
    EXPECT_EQ(Slots(), 4) << "a playing duplicate was flushed";

    Pull(4000); // all have ended
    EXPECT_EQ(Pull(1)[0], 0);
    EXPECT_EQ(zelSound.PlaySample(10, 65535, 0x8000), first) << "the idle master is reused";
    EXPECT_EQ(Slots(), 4);
    zelSound.PlaySample(11, 65535, 0x8000); // its walk passes the idle duplicates
    EXPECT_EQ(Slots(), 2);
    EXPECT_EQ(Slots(SNDF_DUPE), 0);
}

TEST_F(Samples, AnIdIsLoadedOnceAndFreedOnce) {
    LoadConstant(10, 1000, 200);
    MemoryFiles::store["other.wav"] = ConstantWav(2000, 10);
    EXPECT_EQ(zelSound.LoadSample("other.wav", 10), 1);
    EXPECT_EQ(zelSound.LoadSample("other.wav", 0xFFFFFFFF), 1);
    EXPECT_EQ(ZelSound::g_SampleList.load()[1].dwID.load(), 0u) << "the all-ones ID keeps 0";
    EXPECT_EQ(zelSound.LoadSample("missing.wav", 12), 0);
    zelSound.MemCleanup(); // nothing to give back; the loaded sounds stay
    zelSound.PlaySample(10, 65535, 0x8000);
    EXPECT_EQ(Pull(1)[0], 1000) << "the first sound loaded under 10";
    Pull(300);
    for (uint32_t id : {10u, 0u})
        EXPECT_EQ(zelSound.FreeSample(id), 1) << id;
    EXPECT_EQ(zelSound.FreeSample(10u), 0);
    EXPECT_EQ(ZelSound::g_pLastSample.load(), ZelSound::g_SampleList.load());
    EXPECT_EQ(zelSound.GetLIBVersion(), 1u);
    EXPECT_STREQ(zelSound.GetLIBDate(), "Fri May  5 06:51:24 2000");
    const ZelSound copy(zelSound); // takes the three switches
    EXPECT_EQ((std::vector<int>{copy.nMusicLevel, copy.bMusicEnabled, copy.bSFXEnabled}),
              (std::vector<int>{0x8000, 1, 1}));
}

class TinyTable : public SoundTest {
    int Init() override { return zelSound.Init(nullptr, 3); }
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

TEST_F(Samples, ControlsWithoutABufferFailPauseKeepsThePlaceAndEffectsOffPlayNothing) {
    SNDSample empty;
    EXPECT_EQ(
        (std::vector<long>{empty.SetVolume(100), empty.PlaySample(65535, 0), empty.StopSample(),
                           empty.PauseSample(), empty.SetPitch(44100), empty.GetSampleStatus()}),
        (std::vector<long>{0, 0, 0, 0, 0, SND_STATUS_INVALID}));
    EXPECT_EQ(empty.DupeSample(), nullptr);
    // A ramp at -20 dB: frame k sounds as (1000 + k) / 10.
    Bytes ramp;
    for (int i = 0; i < 3000; ++i)
        PutLE(ramp, static_cast<uint16_t>(1000 + i), 2);
    MemoryFiles::store["ramp.wav"] = Wav(Format{}, ramp);
    ASSERT_EQ(zelSound.LoadSample("ramp.wav", 10), 1);
    SNDSample* s = zelSound.FindSample(10);
    EXPECT_EQ(s->SetPan(0x8000), 0);
    EXPECT_EQ(s->UnPauseSample(), 0) << "not paused";
    s->PlaySample(16384, 0); // pan 0 is full right on the scale, yet it plays centred
    EXPECT_EQ(Pull(500)[1], 100);
    ASSERT_EQ(s->PauseSample(), 1);
    EXPECT_EQ(s->dwPausePos.load(), 1000u);
    EXPECT_EQ(Pull(50), std::vector<int16_t>(100, 0));
    ASSERT_EQ(s->UnPauseSample(), 1);
    EXPECT_EQ(Pull(1)[0], 150) << "goes on from frame 500";
    EXPECT_EQ(s->SetPitch(0), 0);
    ASSERT_EQ(s->SetPitch(88200), 1);
    Pull(100);
    EXPECT_EQ(Pull(1)[0], 170) << "twice as fast from frame 501";
    EXPECT_EQ(s->StopSample(), 1);
    EXPECT_EQ(s->SamplePlaying(), 0);
    // With effects off a play changes nothing in the table.
    zelSound.EnableSFX(0);
    for (int i = 0; i < 20; ++i)
        ASSERT_NE(zelSound.PlaySample(10, 65535, 0x8000), nullptr);
    EXPECT_EQ(zelSound.PlaySampleIDOnce(10, 65535, 0x8000), 1);
    EXPECT_EQ(Pull(100), std::vector<int16_t>(200, 0));
    EXPECT_EQ(Slots(), 1);
    zelSound.EnableSFX(1);
    LoadConstant(11, 1000, 1000);
    EXPECT_EQ(zelSound.PlaySampleIDOnce(12, 65535, 0x8000), 0) << "not loaded";
    EXPECT_EQ(zelSound.PlaySampleIDOnce(11, 65535, 0x8000), 1);
    // The lookup hands out a fresh duplicate for the busy ID, so this plays too.
    EXPECT_EQ(zelSound.PlaySampleIDOnce(11, 65535, 0x8000), 1);
    EXPECT_EQ(Pull(1)[0], 2000);
    EXPECT_EQ(Slots(), 3);
    EXPECT_EQ(Slots(SNDF_CLAIMED), 0) << "a played record stays claimed";
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
    zelSound.StartFadeMusicIn(0);
    soundBank.Shutdown();
    plat::CloseAudioDevice(taken);
    // With the device free again the library starts normally.
    ASSERT_EQ(soundBank.Init(nullptr, 200), 1);
    EXPECT_NE(ZelSound::GetDSPrimaryBuffer(), nullptr);
    soundBank.Shutdown();
}

class Bank : public SoundTest {
  protected:
    int Init() override { return soundBank.Init(nullptr, 200); }
    void TearDown() override {
        soundBank.Shutdown();
        EXPECT_EQ(ZelSound::g_SampleList.load(), nullptr);
        SoundTest::TearDown();
    }
};

TEST_F(Bank, NamesGetIdsFromTenPlayByNameAndFreeAllEmptiesTheTableEvenWhilePlaying) {
    for (int16_t level : {100, 200, 400})
        MemoryFiles::store["sounds\\" + std::to_string(level) + ".wav"] = ConstantWav(level, 2000);
    EXPECT_EQ(soundBank.Load("sounds\\100.wav", "click")->id, 10);
    EXPECT_EQ(soundBank.Load("sounds\\missing.wav", "gone"), nullptr);
    EXPECT_EQ(soundBank.Load("sounds\\200.wav", "pos1")->id, 11);
    const char* longName = "a_name_that_is_longer_than_thirty_one_characters";
    SoundEntry* cut = soundBank.Load("sounds\\400.wav", longName);
    EXPECT_EQ(cut->id, 12);
    EXPECT_EQ(soundBank.Find(longName), nullptr);
    EXPECT_EQ(soundBank.Find(std::string(longName, 31).c_str()), cut) << "cut to the entry";
    EXPECT_EQ(soundBank.Play("Click", 65535, 0), nullptr) << "names are case-sensitive";
    EXPECT_EQ(soundBank.Play("pos1", 65535, 0)->dwID.load(), 11u);
    soundBank.Play("pos1", 65535, 0);
    EXPECT_EQ(Pull(1)[0], 400) << "a busy sound plays again over itself";
    EXPECT_EQ(soundBank.PlayIndex(2, 65535, 0)->dwID.load(), 12u);
    EXPECT_EQ(soundBank.PlayIndex(3, 65535, 0), nullptr);
    EXPECT_EQ(Pull(1)[0], 800);
    soundBank.Unload("click");
    soundBank.Unload("not there");
    EXPECT_EQ(soundBank.Find("click"), nullptr);
    EXPECT_EQ(soundBank.Count(), 2);
    EXPECT_EQ(zelSound.PlaySample(10, 65535, 0), nullptr) << "its sound was freed";

    MemoryFiles::store["music.wav"] = Wav({2, 44100, 16}, Bytes(400000, 0));
    ASSERT_EQ(zelSound.LoadStream("music.wav", 0), 1);
    zelSound.PlayStream(SNDSTREAM_LOOP);
    soundBank.FreeAll();
    EXPECT_EQ(soundBank.Count(), 0);
    EXPECT_EQ(soundBank.Play("pos1", 65535, 0), nullptr);
    EXPECT_EQ(ZelSound::g_StreamInfo.pSample.load(), nullptr);
    EXPECT_EQ(Slots(), 0);
    EXPECT_EQ(Pull(100), std::vector<int16_t>(200, 0));
    EXPECT_EQ(soundBank.Load("sounds\\100.wav", "click")->id, 10);
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
