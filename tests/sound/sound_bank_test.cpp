#include "sound/sound_bank.h"
#include "sound_test_support.h"

namespace soundtest {
namespace {

class Bank : public ::testing::Test {
  protected:
    void SetUp() override {
        plat::SelectBackend(plat::BackendKind::Null);
        MemoryFiles::Store().clear();
        MemoryFiles::Open() = 0;
        ASSERT_EQ(soundBank.Init(nullptr, 200), 1);
        ZelSound::SetFileOpenFunc(MemoryFiles::OpenFile);
        ZelSound::SetFileCloseFunc(MemoryFiles::CloseFile);
        MemoryFiles::Add("sounds\\a.wav", ConstantWav(100, 2000));
        MemoryFiles::Add("sounds\\b.wav", ConstantWav(200, 2000));
        MemoryFiles::Add("sounds\\c.wav", ConstantWav(400, 2000));
    }
    void TearDown() override {
        soundBank.Shutdown();
        EXPECT_EQ(ZelSound::g_SampleList.load(), nullptr);
        EXPECT_EQ(ZelSound::GetDSObject(), nullptr);
        EXPECT_EQ(MemoryFiles::Open().load(), 0);
        ZelSound::SetFileOpenFunc(nullptr);
        ZelSound::SetFileCloseFunc(nullptr);
    }
};

TEST_F(Bank, NamesGetIdsFromTenAndPlayByName) {
    EXPECT_EQ(soundBank.Load("sounds\\a.wav", "click")->id, 10);
    EXPECT_EQ(soundBank.Load("sounds\\missing.wav", "gone"), nullptr);
    EXPECT_EQ(soundBank.Load("sounds\\b.wav", "pos1")->id, 11);
    EXPECT_EQ(soundBank.Load("sounds\\c.wav", "tada")->id, 12);
    EXPECT_EQ(soundBank.Play("gone", 65535, 0), nullptr);
    EXPECT_EQ(soundBank.Play("Click", 65535, 0), nullptr) << "names are case-sensitive";
    SNDSample* s = soundBank.Play("pos1", 65535, 0);
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->dwID.load(), 11u);
    EXPECT_EQ(Pull(1)[0], 200);
    soundBank.PlayIndex(2, 65535, 0);
    EXPECT_EQ(Pull(1)[0], 600);
    EXPECT_EQ(soundBank.PlayIndex(3, 65535, 0), nullptr);
}

TEST_F(Bank, LongNamesAreCutToTheEntry) {
    const char* longName = "a_name_that_is_longer_than_thirty_one_characters";
    SoundEntry* e = soundBank.Load("sounds\\a.wav", longName);
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(std::strlen(e->name), 31u);
    EXPECT_EQ(soundBank.Find(longName), nullptr);
    EXPECT_EQ(soundBank.Find(std::string(longName, 31).c_str()), e);
}

TEST_F(Bank, FreeAllEmptiesTheTableEvenWhileSoundsPlay) {
    soundBank.Load("sounds\\a.wav", "a");
    soundBank.Load("sounds\\b.wav", "b");
    soundBank.Play("a", 65535, 0);
    soundBank.Play("a", 65535, 0);
    MemoryFiles::Add("music.wav", Wav({2, 44100, 16}, Bytes(400000, 0)));
    ASSERT_EQ(zelSound.LoadStream("music.wav", 0), 1);
    zelSound.PlayStream(SNDSTREAM_LOOP);
    soundBank.FreeAll();
    EXPECT_EQ(soundBank.Count(), 0);
    EXPECT_EQ(soundBank.Play("a", 65535, 0), nullptr);
    EXPECT_EQ(ZelSound::g_StreamInfo.pSample.load(), nullptr);
    for (SNDSample* s = ZelSound::g_SampleList; s < ZelSound::g_pEndSample.load(); ++s)
        ASSERT_EQ(s->dwFlags.load(), 0u);
    for (int16_t v : Pull(100))
        ASSERT_EQ(v, 0);
    EXPECT_EQ(soundBank.Load("sounds\\c.wav", "c")->id, 10);
}

TEST_F(Bank, UnloadForgetsOneSound) {
    soundBank.Load("sounds\\a.wav", "a");
    soundBank.Load("sounds\\b.wav", "b");
    soundBank.Unload("a");
    soundBank.Unload("not there");
    EXPECT_EQ(soundBank.Find("a"), nullptr);
    EXPECT_EQ(soundBank.Count(), 1);
    soundBank.Play("b", 65535, 0);
    EXPECT_EQ(Pull(1)[0], 200);
}

} // namespace
} // namespace soundtest
