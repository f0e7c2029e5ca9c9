// The synthesiser's promises: looping tracks wrap notes and echoes around their end, one-shot
// tracks start and end at silence, and the two ways of setting the level.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "tools/artgen/synth.h"

namespace {

using artgen::Note;
using artgen::Sound;
using artgen::Track;
using artgen::Voice;

int PeakIn(const Sound& sound, size_t from, size_t to) {
    int peak = 0;
    for (size_t i = from; i < to && i < sound.samples.size(); ++i) {
        peak = std::max(peak, std::abs(static_cast<int>(sound.samples[i])));
    }
    return peak;
}

TEST(Track, ALoopingTrackWrapsANoteTailIntoItsStart) {
    Track looping(8000, 1, 1.0, true);
    Track once(8000, 1, 1.0, false);
    const Note late{0.9, 0.05, 880, 0.5, 0}; // rings for about 0.75 s
    looping.Add(Voice::Bell, late);
    once.Add(Voice::Bell, late);
    Sound wrapped = looping.Finish(0.5);
    Sound cut = once.Finish(0.5);
    EXPECT_GT(PeakIn(wrapped, 0, 800), 2000) << "the tail sounds at the start";
    EXPECT_EQ(PeakIn(cut, 0, 800), 0) << "nothing before the note";
    EXPECT_EQ(PeakIn(wrapped, 6000, 7000), 0) << "silence where no note plays";
}

TEST(Track, ALoopingEchoRepeatsTheEndAtTheStart) {
    Track track(8000, 2, 1.0, true);
    track.AddNoise(0.95, 0.02, 0.8, 0.9, 0.005, 0, 7);
    track.Echo(0.1, 0.3, 1.0);
    Sound sound = track.Finish(0.8);
    // The burst at 0.95 s comes back 0.1 s later, at 0.05 s of the next lap, and then fades.
    const int first = PeakIn(sound, 2 * 360, 2 * 600);
    EXPECT_GT(first, 1000);
    EXPECT_LT(PeakIn(sound, 2 * 4000, 2 * 7200) * 20, first);
}

TEST(Track, OneShotSoundsFadeInAndOutAtTheirEdges) {
    Track track(8000, 1, 0.2, false);
    track.Add(Voice::Square, Note{0, 0.3, 300, 0.6, 0}); // held past the end
    Sound sound = track.Finish(0.8);
    EXPECT_EQ(sound.samples.front(), 0);
    EXPECT_EQ(sound.samples.back(), 0);
    EXPECT_GT(PeakIn(sound, 400, 1200), 20000);
}

TEST(Track, FinishScalesToAPeakOrToALoudnessUnderACeiling) {
    Track track(8000, 1, 0.5, false);
    track.Add(Voice::Bass, Note{0, 0.4, 200, 0.3, 0});
    EXPECT_NEAR(PeakIn(track.Finish(0.5), 0, 4000), 0.5 * 32767, 2);

    Sound loud = track.FinishAtLoudness(0.2, 0.9);
    std::vector<double> samples(loud.samples.begin(), loud.samples.end());
    EXPECT_NEAR(artgen::LoudestRms(samples, 1, 8000), 0.2 * 32767, 0.01 * 32767);

    Sound capped = track.FinishAtLoudness(0.9, 0.5);
    EXPECT_LE(PeakIn(capped, 0, 4000), static_cast<int>(0.5 * 32767) + 1);
}

TEST(LoudestRms, FindsTheLoudestWindowOfASignal) {
    std::vector<double> quietThenLoud(8000, 0.1);
    std::fill(quietThenLoud.begin() + 4000, quietThenLoud.begin() + 4800, -0.5);
    EXPECT_NEAR(artgen::LoudestRms(quietThenLoud, 1, 8000), 0.5, 1e-9);
    EXPECT_NEAR(artgen::LoudestRms(std::vector<double>(100, 0.25), 1, 8000), 0.25, 1e-9);
    EXPECT_EQ(artgen::LoudestRms({}, 2, 8000), 0.0);
}

TEST(MidiToHz, UsesConcertPitch) {
    EXPECT_DOUBLE_EQ(artgen::MidiToHz(69), 440.0);
    EXPECT_NEAR(artgen::MidiToHz(60), 261.626, 0.001);
    EXPECT_NEAR(artgen::MidiToHz(81), 880.0, 1e-9);
}

} // namespace
