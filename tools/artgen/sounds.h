// Every sound the suite installs, with the function that synthesises it.
#pragma once

#include <vector>

#include "tools/artgen/wav_file.h"

namespace artgen {

constexpr int kSoundRate = 22050;
// Effects share one loudness (RMS of their loudest 50 ms) under a common peak ceiling.
constexpr double kEffectLoudness = 0.2;
constexpr double kEffectMaxPeak = 0.85;

struct SoundEntry {
    const char* path; // relative to the suite folder
    Sound (*make)();
};

const std::vector<SoundEntry>& AllSounds();

Sound MakeCardDown();
Sound MakeFlipCard();
Sound MakeNegative();
Sound MakePositive1();
Sound MakePositive3();
Sound MakeTada();
Sound MakeClick();
// The background music: 16 bars at 90 beats a minute, stereo, looping without a seam.
Sound MakeMusic();
constexpr int kMusicBeatsPerMinute = 90;
constexpr int kMusicBeats = 64;

} // namespace artgen
