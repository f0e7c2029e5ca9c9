// The generated sounds: 16-bit PCM that the sound library reads, clean starts and ends, matched
// levels, and music long enough to stream that loops without a jump.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "artgen/generated_suite.h"
#include "tools/artgen/byte_io.h"
#include "tools/artgen/sounds.h"
#include "tools/artgen/synth.h"
#include "tools/artgen/wav_file.h"

namespace {

using artgen::Sound;

const Sound& Load(const std::string& path) {
    return artgen_test::GeneratedSound(path);
}

int Peak(const Sound& sound) {
    int peak = 0;
    for (int16_t s : sound.samples) {
        peak = std::max(peak, std::abs(static_cast<int>(s)));
    }
    return peak;
}

TEST(GeneratedSounds, EverySoundHasA16BitPcmHeaderThatStartsTheData) {
    for (const artgen::SoundEntry& entry : artgen::AllSounds()) {
        Load(entry.path);
        std::vector<unsigned char> bytes;
        ASSERT_TRUE(artgen::ReadFileBytes(artgen_test::GeneratedFile(entry.path).string(), bytes));
        ASSERT_GE(bytes.size(), 44u);
        EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 4), "RIFF");
        EXPECT_EQ(std::string(bytes.begin() + 8, bytes.begin() + 12), "WAVE");
        EXPECT_EQ(std::string(bytes.begin() + 12, bytes.begin() + 16), "fmt ");
        EXPECT_EQ(artgen::GetU16(bytes, 20), 1u) << "PCM";
        EXPECT_EQ(artgen::GetU16(bytes, 34), 16u) << "bits";
        uint32_t channels = artgen::GetU16(bytes, 22);
        EXPECT_EQ(artgen::GetU16(bytes, 32), channels * 2) << "block alignment";
        EXPECT_EQ(artgen::GetU32(bytes, 28), artgen::GetU32(bytes, 24) * channels * 2);
        EXPECT_EQ(std::string(bytes.begin() + 36, bytes.begin() + 40), "data");
        EXPECT_EQ(artgen::GetU32(bytes, 40), bytes.size() - 44) << entry.path;
        EXPECT_EQ(artgen::GetU32(bytes, 4), bytes.size() - 8) << entry.path;
    }
}

TEST(GeneratedSounds, EffectsAreShortCleanAndLevelMatched) {
    const char* effects[] = {"carddown", "flipcard", "neg", "pos1", "pos3", "tada", "click"};
    double quietest = 1e9, loudest = 0;
    for (const char* name : effects) {
        const Sound& sound = Load(std::string("Kestrin/sounds/") + name + ".wav");
        ASSERT_GT(sound.samples.size(), 100u) << name;
        EXPECT_EQ(sound.rate, artgen::kSoundRate) << name;
        EXPECT_EQ(sound.channels, 1) << name;
        EXPECT_LE(sound.Frames(), static_cast<size_t>(2 * sound.rate)) << name;
        // Starts and ends at silence: no click.
        EXPECT_LT(std::abs(sound.samples.front()), 200) << name;
        EXPECT_LT(std::abs(sound.samples.back()), 200) << name;
        EXPECT_LT(Peak(sound), 32767 * 0.9) << name << " leaves headroom";
        std::vector<double> samples(sound.samples.begin(), sound.samples.end());
        double level = artgen::LoudestRms(samples, sound.channels, sound.rate);
        quietest = std::min(quietest, level);
        loudest = std::max(loudest, level);
    }
    // Within 3 dB of each other.
    EXPECT_GT(quietest, 1000.0);
    EXPECT_LT(20 * std::log10(loudest / quietest), 3.0);
}

TEST(GeneratedSounds, MusicIsStereoLongerThanThirtySecondsAndWholeBeats) {
    const Sound& music = Load("Kestrin/sounds/music.wav");
    EXPECT_EQ(music.channels, 2);
    EXPECT_GE(music.Frames(), static_cast<size_t>(30 * music.rate));
    // Longer than the two-second stream buffer, with no partial sample frame.
    EXPECT_GT(music.samples.size() * 2, static_cast<size_t>(music.rate * 4 * 2));
    EXPECT_EQ(music.samples.size() % 2, 0u);
    const double beats =
        static_cast<double>(music.Frames()) * artgen::kMusicBeatsPerMinute / (60.0 * music.rate);
    EXPECT_DOUBLE_EQ(beats, artgen::kMusicBeats);
    EXPECT_GT(Peak(music), 32767 / 4) << "music is audible";
}

TEST(GeneratedSounds, MusicLoopsWithoutAJumpAtTheSeam) {
    const Sound& music = Load("Kestrin/sounds/music.wav");
    const size_t frames = music.Frames();
    for (int c = 0; c < 2; ++c) {
        // The step from the last sample to the first is no larger than the usual step from one
        // sample to the next inside the piece.
        std::vector<int> steps;
        for (size_t i = 1; i < frames; ++i) {
            steps.push_back(std::abs(music.samples[i * 2 + c] - music.samples[(i - 1) * 2 + c]));
        }
        std::sort(steps.begin(), steps.end());
        const int usual = steps[steps.size() * 99 / 100];
        const int seam = std::abs(music.samples[c] - music.samples[(frames - 1) * 2 + c]);
        EXPECT_LE(seam, usual) << "channel " << c;
        // The start is not silent: the tails of the last bar ring on into the first.
        int early = 0;
        for (size_t i = 0; i < 200; ++i) {
            early = std::max(early, std::abs(static_cast<int>(music.samples[i * 2 + c])));
        }
        EXPECT_GT(early, 100) << "channel " << c;
    }
}

} // namespace
