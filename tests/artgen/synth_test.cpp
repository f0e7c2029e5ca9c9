// The synthesiser's promises: looping tracks wrap notes and echoes around their end, one-shot
// tracks start and end at silence, and the two ways of setting the level.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "tools/artgen/synth.h"

namespace {

using artgen::Note;
using artgen::Sound;
using artgen::Track;
using artgen::Voice;

int PeakIn(const Sound& sound, size_t from, size_t to) {
    int peak = 0;
    for (size_t i = from; i < to && i < sound.samples.size(); ++i)
        peak = std::max(peak, std::abs(static_cast<int>(sound.samples[i])));
    return peak;
}

// A bell struck at 0.9 s of a one-second track rings for about 0.75 s: a looping track plays
// its tail at the start, a one-shot track does not. A noise burst at 0.95 s echoed 0.1 s later
// comes back at 0.05 s of the next lap, and then fades.
TEST(Track, ALoopingTrackWrapsNoteTailsAndEchoesIntoItsStart) {
    Track looping(8000, 1, 1.0, true), once(8000, 1, 1.0, false);
    const Note late{0.9, 0.05, 880, 0.5, 0};
    looping.Add(Voice::Bell, late);
    once.Add(Voice::Bell, late);
    Sound wrapped = looping.Finish(0.5);
    EXPECT_GT(PeakIn(wrapped, 0, 800), 2000) << "the tail sounds at the start";
    EXPECT_EQ(PeakIn(wrapped, 6000, 7000), 0) << "silence where no note plays";
    EXPECT_EQ(PeakIn(once.Finish(0.5), 0, 800), 0) << "nothing before the note";

    Track echoing(8000, 2, 1.0, true);
    echoing.AddNoise(0.95, 0.02, 0.8, 0.9, 0.005, 0, 7);
    echoing.Echo(0.1, 0.3, 1.0);
    Sound echoed = echoing.Finish(0.8);
    const int echo = PeakIn(echoed, 2 * 360, 2 * 600);
    EXPECT_GT(echo, 1000);
    EXPECT_LT(PeakIn(echoed, 2 * 4000, 2 * 7200) * 20, echo);
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
    EXPECT_LE(PeakIn(track.FinishAtLoudness(0.9, 0.5), 0, 4000), 0.5 * 32767 + 1);
}

} // namespace
