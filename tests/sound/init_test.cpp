#include "sound/sound_bank.h"
#include "sound_test_support.h"

namespace soundtest {
namespace {

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

} // namespace
} // namespace soundtest
