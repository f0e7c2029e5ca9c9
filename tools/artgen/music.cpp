// The background music: a calm jazz-tinged loop of sixteen bars (electric piano, pad, bass,
// a bell melody and a soft shaker). Every note is rendered with wrap-around, so tails that
// run past the end sound at the start and the loop has no seam.
#include <cstdint>

#include "tools/artgen/sounds.h"
#include "tools/artgen/synth.h"

namespace artgen {

namespace {

constexpr double kBeat = 60.0 / kMusicBeatsPerMinute;

struct Chord {
    int root;     // MIDI note of the bass root
    int tones[4]; // voicing around middle C
};

// Cmaj7 Am7 Dm7 G7 | Cmaj7 Am7 Fmaj7 G7 | Em7 Am7 Dm7 G7 | Fmaj7 Em7 Dm7 G7
const Chord kChords[16] = {
    {36, {59, 64, 67, 71}}, {45, {57, 60, 64, 67}}, {38, {57, 60, 62, 65}}, {43, {59, 62, 65, 67}},
    {36, {59, 64, 67, 71}}, {45, {57, 60, 64, 67}}, {41, {57, 60, 64, 65}}, {43, {59, 62, 65, 67}},
    {40, {59, 62, 64, 67}}, {45, {57, 60, 64, 67}}, {38, {57, 60, 62, 65}}, {43, {59, 62, 65, 67}},
    {41, {57, 60, 64, 65}}, {40, {59, 62, 64, 67}}, {38, {57, 60, 62, 65}}, {43, {59, 62, 65, 67}},
};

// The melody as (beat within the 64, MIDI note, length in beats): two answering phrases.
struct MelodyNote {
    double beat;
    int midi;
    double length;
};
const MelodyNote kMelody[] = {
    {0, 76, 1.5},    {1.5, 79, 0.5},  {2, 83, 1},      {3, 81, 1},      {4, 79, 2},
    {6, 76, 1},      {7, 72, 1},      {8, 74, 1.5},    {9.5, 77, 0.5},  {10, 81, 1},
    {11, 79, 1},     {12, 77, 2},     {14, 74, 1},     {15, 71, 1},     {16, 76, 1.5},
    {17.5, 79, 0.5}, {18, 83, 1},     {19, 84, 1},     {20, 83, 1},     {21, 81, 1},
    {22, 79, 2},     {24, 77, 1},     {25, 76, 1},     {26, 72, 1},     {27, 69, 1},
    {28, 71, 2},     {30, 74, 1},     {31, 79, 1},     {32, 83, 1.5},   {33.5, 81, 0.5},
    {34, 79, 1},     {35, 76, 1},     {36, 76, 1.5},   {37.5, 79, 0.5}, {38, 81, 1},
    {39, 84, 1},     {40, 81, 1.5},   {41.5, 77, 0.5}, {42, 74, 1},     {43, 72, 1},
    {44, 71, 2},     {46, 74, 1},     {47, 77, 1},     {48, 76, 1.5},   {49.5, 72, 0.5},
    {50, 69, 1},     {51, 72, 1},     {52, 71, 1.5},   {53.5, 74, 0.5}, {54, 79, 2},
    {56, 77, 1.5},   {57.5, 74, 0.5}, {58, 72, 1},     {59, 69, 1},     {60, 71, 2},
    {62, 74, 1},     {63, 79, 1},
};

Note N(double beat, double beats, double midi, double amplitude, double pan) {
    return Note{beat * kBeat, beats * kBeat, MidiToHz(midi), amplitude, pan};
}

} // namespace

Sound MakeMusic() {
    Track track(kSoundRate, 2, kMusicBeats * kBeat, true);
    for (int bar = 0; bar < 16; ++bar) {
        const Chord& chord = kChords[bar];
        const double b = bar * 4.0;
        for (int i = 0; i < 4; ++i) {
            track.Add(Voice::Pad, N(b, 4, chord.tones[i] + 12, 0.05, -0.6 + 0.4 * i));
        }
        // Electric piano comping: on the beat, on the "and" of two, and a lighter touch on four.
        const double hits[3][2] = {{0, 1.4}, {1.5, 0.9}, {3, 0.8}};
        for (const auto& hit : hits) {
            for (int i = 0; i < 4; ++i) {
                double amp = (hit[0] == 3 ? 0.05 : 0.08) * (i == 0 ? 1.1 : 1.0);
                track.Add(Voice::Piano,
                          N(b + hit[0], hit[1], chord.tones[i], amp, -0.25 + 0.15 * i));
            }
        }
        track.Add(Voice::Bass, N(b, 1.8, chord.root, 0.32, 0));
        track.Add(Voice::Bass, N(b + 2, 1.3, chord.root + 7, 0.26, 0));
        // A passing note that leads into the next bar's root.
        const int next = kChords[(bar + 1) % 16].root;
        track.Add(Voice::Bass, N(b + 3.5, 0.4, next + (bar % 2 == 0 ? 2 : -1), 0.18, 0));
        for (int eighth = 0; eighth < 8; ++eighth) {
            double amp = eighth % 2 == 1 ? 0.05 : 0.025;
            track.AddNoise((b + eighth * 0.5) * kBeat, 0.06, amp, 0.95, 0.012, 0.35,
                           static_cast<uint32_t>(bar * 8 + eighth));
        }
    }
    // The melody alone gets a ping-pong echo; on the bass and chords it would only blur them.
    Track melody(kSoundRate, 2, kMusicBeats * kBeat, true);
    for (const MelodyNote& note : kMelody) {
        melody.Add(Voice::Vibes, N(note.beat, note.length * 0.9, note.midi, 0.2, 0.15));
    }
    melody.Echo(kBeat * 0.75, 0.3, 0.6);
    track.MixIn(melody);
    track.Echo(kBeat * 0.5, 0.12, 0.4);
    return track.Finish(0.55);
}

} // namespace artgen
