#include "platform/clock.h"
#include "sound_test_support.h"

namespace soundtest {
namespace {

TEST(VolumeMap, LinearVolumeToHundredthsOfADecibel) {
    EXPECT_EQ(ZelSound::MapVolume(65535), 0);
    EXPECT_EQ(ZelSound::MapVolume(65536), 0);
    EXPECT_EQ(ZelSound::MapVolume(-5), -10000);
    EXPECT_EQ(ZelSound::MapVolume(32768), -1000);
    EXPECT_EQ(ZelSound::MapVolume(16384), -2000);
    EXPECT_EQ(ZelSound::MapVolume(67), -10000);
    EXPECT_EQ(ZelSound::MapVolume(68), -9912);
    EXPECT_EQ(ZelSound::g_VolumeTable[16], -10000);
    EXPECT_EQ(ZelSound::g_VolumeTable[8192], -1000);
    for (int i = 1; i < 16384; ++i)
        ASSERT_LE(ZelSound::g_VolumeTable[i - 1], ZelSound::g_VolumeTable[i]) << i;
}

TEST(VolumeMap, PanCentreIsHalfWaySmallValuesGoRight) {
    EXPECT_EQ(ZelSound::MapPan(0x8000), 0);
    EXPECT_EQ(ZelSound::MapPan(0), 10000);
    EXPECT_EQ(ZelSound::MapPan(-1), 10000);
    EXPECT_EQ(ZelSound::MapPan(65535), -10000);
    EXPECT_EQ(ZelSound::MapPan(65536), -10000);
    EXPECT_EQ(ZelSound::MapPan(0x7FFF), 0);
    EXPECT_EQ(ZelSound::MapPan(0x4000), 1000);
    EXPECT_EQ(ZelSound::MapPan(1), 10000);
}

class Fades : public SoundTest {};

TEST_F(Fades, ZeroMillisecondsSetsTheFinalVolumeAtOnce) {
    MemoryFiles::Add("m.wav", Wav({2, 44100, 16}, Bytes(400000, 0)));
    EXPECT_EQ(ZelSound::GetStreamVolume(), 0); // nothing loaded
    ASSERT_EQ(zelSound.LoadStream("m.wav", 0), 1);
    ZelSound::SetStreamVolume(32767);
    EXPECT_EQ(ZelSound::GetStreamVolume(), 32767);
    zelSound.FadeMusic(1000, 12345, 0);
    EXPECT_EQ(ZelSound::GetStreamVolume(), 12345);
    zelSound.FadeMusicOut(0);
    EXPECT_EQ(ZelSound::GetStreamVolume(), 0);
    int32_t db = 0;
    plat::GetBufferVolume(ZelSound::g_StreamInfo.pSample.load()->lpBuffer, &db);
    EXPECT_EQ(db, -10000);
}

TEST_F(Fades, FadeInReachesTheMusicLevelAfterItsTime) {
    MemoryFiles::Add("m.wav", Wav({2, 44100, 16}, Bytes(400000, 0)));
    ASSERT_EQ(zelSound.LoadStream("m.wav", 0), 1);
    EXPECT_EQ(zelSound.nMusicLevel.load(), 0x8000);
    const uint32_t start = plat::GetTickCount();
    zelSound.FadeMusicIn(40);
    EXPECT_GE(plat::GetTickCount() - start, 40u);
    EXPECT_EQ(ZelSound::GetStreamVolume(), 0x8000);
    int32_t db = 0;
    plat::GetBufferVolume(ZelSound::g_StreamInfo.pSample.load()->lpBuffer, &db);
    EXPECT_EQ(db, -1000);
}

TEST(ZelSoundObject, CopyTakesTheThreeSwitches) {
    ZelSound a;
    a.nMusicLevel = 5;
    a.bMusicEnabled = 0;
    a.bSFXEnabled = 1;
    ZelSound b;
    b = a;
    EXPECT_EQ(b.nMusicLevel.load(), 5);
    EXPECT_EQ(b.bMusicEnabled.load(), 0);
    EXPECT_EQ(b.bSFXEnabled.load(), 1);
}

} // namespace
} // namespace soundtest
