#include "platform/audio.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <vector>

#include "platform/backend.h"
#include "platform/clock.h"
#include "platform/sync.h"
#include "support/temp_dir.h"

namespace {

// A buffer holding the given samples (interleaved when stereo; unsigned when 8 bits).
plat::SoundBuffer* Filled(plat::AudioDevice* device, plat::SoundFormat format,
                          const std::vector<int>& samples) {
    plat::SoundBuffer* b = plat::CreateSoundBuffer(
        device, format, uint32_t(samples.size() * format.bitsPerSample / 8));
    plat::BufferLock lock;
    EXPECT_TRUE(plat::LockBuffer(b, 0, 0, &lock));
    const size_t width = format.bitsPerSample / 8;
    for (size_t i = 0; i < samples.size(); ++i) // the low bytes, as the machine is little-endian
        std::memcpy(static_cast<uint8_t*>(lock.part1) + i * width, &samples[i], width);
    EXPECT_TRUE(plat::UnlockBuffer(b, lock));
    return b;
}

// The in-memory device runs at 44100 frames a second.
class NullAudio : public ::testing::Test {
  protected:
    void SetUp() override {
        plat::SelectBackend(plat::BackendKind::Null);
        device = plat::OpenAudioDevice();
        ASSERT_NE(device, nullptr);
        ASSERT_EQ(plat::AudioDeviceRate(device), 44100u);
    }
    void TearDown() override { plat::CloseAudioDevice(device); }

    std::vector<int16_t> Pull(int frames) {
        std::vector<int16_t> out(frames * 2);
        EXPECT_EQ(plat::MixNullAudio(out.data(), frames), frames);
        return out;
    }
    plat::AudioDevice* device = nullptr;
};

// Volume is in hundredths of a decibel. A change while playing is ramped, not a jump; a fade
// starts where it is told at once and reaches its level over its time of playing (441 frames
// for 10 ms), reporting its final volume from the start.
TEST_F(NullAudio, VolumeIsDecibelsAndChangesAreRamped) {
    plat::SoundBuffer* b = Filled(device, {1, 44100, 16}, std::vector<int>(2000, 10000));
    ASSERT_TRUE(plat::SetBufferVolume(b, -2000)); // stopped: takes effect at once
    plat::PlayBuffer(b, false);
    EXPECT_EQ(Pull(1)[0], 1000);
    ASSERT_TRUE(plat::SetBufferVolume(b, 0));
    auto out = Pull(600);
    EXPECT_NEAR(out[2], 1050, 49); // the first step of the ramp
    EXPECT_EQ(out[2 * 599], 10000);
    ASSERT_TRUE(plat::FadeBufferVolume(b, -10000, -2000, 10));
    int32_t volume = 0;
    EXPECT_TRUE(plat::GetBufferVolume(b, &volume));
    EXPECT_EQ(volume, -2000);
    out = Pull(500);
    EXPECT_LT(out[0], 10);
    EXPECT_NEAR(out[2 * 220], 500, 100);
    EXPECT_EQ(out[2 * 499], 1000);
    EXPECT_FALSE(plat::SetBufferVolume(b, 1));
    EXPECT_FALSE(plat::SetBufferVolume(b, -10001));
    EXPECT_FALSE(plat::FadeBufferVolume(b, 1, 0, 10));
    EXPECT_FALSE(plat::FadeBufferVolume(b, 0, -10001, 10));
    EXPECT_FALSE(plat::SetBufferPan(b, 0));
    plat::ReleaseSoundBuffer(b);
}

// A writer that falls behind the cursor (a starved fill thread) is never read mid-write: the
// range it holds plays as silence until it unlocks. A range past the end wraps to the start.
TEST_F(NullAudio, ARangeAWriterHoldsPlaysAsSilence) {
    std::vector<int> ramp; // frame i holds (i + 1, -(i + 1))
    for (int i = 1; i <= 100; ++i)
        ramp.insert(ramp.end(), {i, -i});
    plat::SoundBuffer* b = Filled(device, {2, 44100, 16}, ramp);
    plat::SoundBuffer* d = plat::DuplicateSoundBuffer(b);
    plat::BufferLock lock;
    ASSERT_TRUE(plat::LockBuffer(b, 380, 60, &lock)); // frames 95..99 and 0..9
    EXPECT_EQ(lock.bytes1, 20u);
    EXPECT_EQ(lock.bytes2, 40u);
    EXPECT_EQ(static_cast<uint8_t*>(lock.part1) - static_cast<uint8_t*>(lock.part2), 380);
    plat::BufferLock second;
    EXPECT_FALSE(plat::LockBuffer(d, 100, 4, &second)) << "one writer at a time";
    plat::PlayBuffer(d, false);
    std::vector<int16_t> expected(2 * 10, 0);
    expected.insert(expected.end(), ramp.begin() + 2 * 10, ramp.begin() + 2 * 20);
    EXPECT_EQ(Pull(20), expected);
    EXPECT_TRUE(plat::UnlockBuffer(b, lock));
    EXPECT_FALSE(plat::LockBuffer(b, 400, 4, &lock));
    EXPECT_FALSE(plat::LockBuffer(b, 0, 404, &lock));
    EXPECT_FALSE(plat::SetBufferPosition(d, 400));
    ASSERT_TRUE(plat::SetBufferPosition(d, 7)); // rounded down to frame 1
    uint32_t position = 99;
    EXPECT_TRUE(plat::GetBufferPosition(d, &position));
    EXPECT_EQ(position, 4u);
    plat::ReleaseSoundBuffer(b); // the duplicate keeps the data alive
    EXPECT_EQ(Pull(1)[0], 2);    // unlocked: heard again
    plat::ReleaseSoundBuffer(d);
}

// 8-bit mono at half the device rate: every source frame lasts two device frames, the frames
// in between are interpolated, and both sides get the signal. The primary buffer takes any
// format and is never mixed.
TEST_F(NullAudio, FormatsAreConvertedOrRefusedAndThePrimaryIsNeverMixed) {
    plat::SoundBuffer* b = Filled(device, {1, 22050, 8}, {128, 132, 136, 140});
    plat::PlayBuffer(b, false);
    const auto out = Pull(8);
    const int expect[8] = {0, 512, 1024, 1536, 2048, 2560, 3072, 3072};
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(out[2 * i], expect[i]) << i;
        EXPECT_EQ(out[2 * i + 1], expect[i]) << i;
    }
    EXPECT_FALSE(plat::SetBufferFrequency(b, 99));
    EXPECT_FALSE(plat::SetBufferFrequency(b, 200001));
    plat::ReleaseSoundBuffer(b);
    const plat::SoundFormat refused[] = {
        {0, 44100, 16}, {2, 0, 16}, {2, 200001, 16}, {2, 44100, 12}};
    for (const auto& format : refused)
        EXPECT_EQ(plat::CreateSoundBuffer(device, format, 12), nullptr)
            << format.channels << "x" << format.bitsPerSample << " at " << format.frequency;
    EXPECT_EQ(plat::CreateSoundBuffer(device, {2, 44100, 16}, 6), nullptr); // not whole frames
    EXPECT_EQ(plat::CreateSoundBuffer(device, {2, 44100, 16}, 0), nullptr);
    EXPECT_EQ(plat::CreateSoundBuffer(nullptr, {2, 44100, 16}, 4), nullptr);

    plat::SoundBuffer* primary = plat::CreatePrimaryBuffer(device); // freed with the device
    ASSERT_TRUE(plat::SetPrimaryFormat(primary, {1, 22050, 8}));    // the mixer keeps its own
    EXPECT_TRUE(plat::PlayBuffer(primary, true));
    EXPECT_EQ(Pull(16), std::vector<int16_t>(32, 0));
    EXPECT_EQ(plat::OpenAudioDevice(), nullptr); // one device a process
}

} // namespace

// On the real backend the output opens on a thread of its own. A sound started at once is heard
// when it has opened (SDL's disk driver writes what the device plays to a file); with no output
// at all, sounds still take their time and end.
class SdlAudio : public ::testing::Test {
  protected:
    void SetUp() override { plat::SelectBackend(plat::BackendKind::Sdl); }
    void TearDown() override {
        unsetenv("SDL_AUDIODRIVER");
        unsetenv("SDL_DISKAUDIOFILE");
        plat::SelectBackend(plat::BackendKind::Null);
    }
    // Half a second of a constant 16-bit mono signal, playing from the moment of the call.
    static plat::SoundBuffer* PlayTone(plat::AudioDevice* device) {
        plat::SoundBuffer* b = Filled(device, {1, 22050, 16}, std::vector<int>(11025, 8000));
        EXPECT_TRUE(plat::PlayBuffer(b, false));
        return b;
    }
    static bool Playing(plat::SoundBuffer* b) {
        uint32_t status = 0;
        return plat::GetBufferStatus(b, &status) && (status & plat::kStatusPlaying);
    }
};

TEST_F(SdlAudio, ASoundStartedBeforeTheOutputOpensIsHeard) {
    testing_support::TempDir dir;
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", (dir / "heard").c_str(), 1);
    plat::AudioDevice* device = plat::OpenAudioDevice();
    ASSERT_NE(device, nullptr);
    plat::SoundBuffer* b = PlayTone(device);
    for (int i = 0; i < 300 && Playing(b); ++i)
        plat::SleepMs(10);
    plat::CloseAudioDevice(device);
    const std::string heard = testing_support::ReadBytes(dir / "heard");
    size_t loud = 0;
    for (size_t at = 0; at + 2 <= heard.size(); at += 2) {
        int16_t sample;
        std::memcpy(&sample, heard.data() + at, 2);
        loud += sample > 4000;
    }
    EXPECT_GT(loud, 2 * 11025u * 9 / 10); // nearly all of the tone, on both channels
}

TEST_F(SdlAudio, WithoutAnyOutputSoundsStillEndInTheirTime) {
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    plat::AudioDevice* device = plat::OpenAudioDevice();
    ASSERT_NE(device, nullptr);
    plat::SoundBuffer* b = PlayTone(device);
    const uint32_t started = plat::GetTickCount();
    while (Playing(b) && plat::GetTickCount() - started < 3000)
        plat::SleepMs(10);
    const uint32_t took = plat::GetTickCount() - started;
    plat::CloseAudioDevice(device);
    EXPECT_GE(took, 400u);
    EXPECT_LT(took, 3000u);
}
