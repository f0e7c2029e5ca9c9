// The game's effects: short, with soft starts and ends, all normalised to one peak level.
#include "tools/artgen/sounds.h"
#include "tools/artgen/synth.h"

namespace artgen {

namespace {

Note At(double start, double duration, double midi, double amplitude) {
    return Note{start, duration, MidiToHz(midi), amplitude, 0};
}

} // namespace

const std::vector<SoundEntry>& AllSounds() {
    static const std::vector<SoundEntry> kSounds = {
        {"Kestrin/sounds/carddown.wav", MakeCardDown},
        {"Kestrin/sounds/flipcard.wav", MakeFlipCard},
        {"Kestrin/sounds/neg.wav", MakeNegative},
        {"Kestrin/sounds/pos1.wav", MakePositive1},
        {"Kestrin/sounds/pos3.wav", MakePositive3},
        {"Kestrin/sounds/tada.wav", MakeTada},
        {"Kestrin/sounds/click.wav", MakeClick},
        {"Kestrin/sounds/music.wav", MakeMusic},
    };
    return kSounds;
}

Sound MakeCardDown() {
    // A card laid on felt: a soft low thump under a short papery tick.
    Track track(kSoundRate, 1, 0.12, false);
    track.AddNoise(0, 0.1, 0.5, 0.2, 0.018, 0, 11);
    track.AddNoise(0.002, 0.03, 0.25, 0.9, 0.004, 0, 12);
    Note thump = At(0, 0.01, 40, 0.6);
    thump.frequency = 120;
    track.Add(Voice::Bass, thump);
    return track.FinishAtLoudness(kEffectLoudness, kEffectMaxPeak);
}

Sound MakeFlipCard() {
    // A quick swish: bright noise that swells and dies.
    Track track(kSoundRate, 1, 0.16, false);
    for (int i = 0; i < 6; ++i) {
        track.AddNoise(i * 0.012, 0.1 - i * 0.01, 0.15 + 0.04 * i, 0.8, 0.03, 0, 20 + i);
    }
    return track.FinishAtLoudness(kEffectLoudness, kEffectMaxPeak);
}

Sound MakeNegative() {
    // Two low, hollow notes stepping down: "no".
    Track track(kSoundRate, 1, 0.42, false);
    track.Add(Voice::Square, At(0, 0.12, 52, 0.5));
    track.Add(Voice::Square, At(0.15, 0.17, 48, 0.5));
    return track.FinishAtLoudness(kEffectLoudness, kEffectMaxPeak);
}

Sound MakePositive1() {
    // One bright bell with its octave: a card reached its foundation.
    Track track(kSoundRate, 1, 0.5, false);
    track.Add(Voice::Bell, At(0, 0.08, 81, 0.6));
    track.Add(Voice::Bell, At(0.004, 0.06, 88, 0.2));
    return track.FinishAtLoudness(kEffectLoudness, kEffectMaxPeak);
}

Sound MakePositive3() {
    // A rising three-note arpeggio for each step of a chain.
    Track track(kSoundRate, 1, 0.6, false);
    const double notes[3] = {84, 88, 91};
    for (int i = 0; i < 3; ++i) {
        track.Add(Voice::Bell, At(i * 0.065, 0.06, notes[i], 0.45 + 0.05 * i));
    }
    return track.FinishAtLoudness(kEffectLoudness, kEffectMaxPeak);
}

Sound MakeTada() {
    // A short fanfare: two pickup notes, then a held major chord with a bell on top.
    Track track(kSoundRate, 1, 1.9, false);
    track.Add(Voice::Brass, At(0, 0.09, 67, 0.35));
    track.Add(Voice::Brass, At(0.12, 0.09, 67, 0.35));
    for (double midi : {60.0, 64.0, 67.0, 72.0}) {
        track.Add(Voice::Brass, At(0.25, 0.95, midi, 0.3));
    }
    track.Add(Voice::Bell, At(0.25, 0.3, 84, 0.25));
    track.Add(Voice::Bell, At(0.4, 0.3, 91, 0.15));
    track.Echo(0.11, 0.25, 0.5);
    return track.FinishAtLoudness(kEffectLoudness, kEffectMaxPeak);
}

Sound MakeClick() {
    // A crisp, tiny button click.
    Track track(kSoundRate, 1, 0.045, false);
    track.AddNoise(0, 0.02, 0.35, 0.95, 0.003, 0, 31);
    Note ping = At(0, 0.004, 96, 0.4);
    track.Add(Voice::Bell, ping);
    return track.FinishAtLoudness(kEffectLoudness, kEffectMaxPeak);
}

} // namespace artgen
