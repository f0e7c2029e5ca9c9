// A small synthesiser: notes are rendered into float buffers with simple additive and FM
// voices under exponential envelopes, optionally wrapping around the end of the buffer so that
// a piece loops without a seam.
#pragma once

#include <cstdint>
#include <vector>

#include "tools/artgen/wav_file.h"

namespace artgen {

enum class Voice {
    Bell,   // bright FM bell
    Piano,  // soft FM electric piano
    Bass,   // round sine bass
    Pad,    // slow, detuned sines
    Brass,  // additive saw-like tone for fanfares
    Square, // hollow odd harmonics, for the "no" sound
    Vibes,  // mellow harmonic mallet with a slow tremolo, for the melody
};

struct Note {
    double start = 0;    // seconds
    double duration = 0; // seconds the key is held
    double frequency = 0;
    double amplitude = 0.5;
    double pan = 0; // -1 left .. 1 right
};

class Track {
  public:
    Track(int rate, int channels, double seconds, bool wrap);
    void Add(Voice voice, const Note& note);
    // Filtered noise burst, for clicks, thumps and swishes. `brightness` 0..1.
    void AddNoise(double start, double duration, double amplitude, double brightness, double decay,
                  double pan, uint32_t seed);
    // A circular feedback echo (wrapping tracks) or a plain one.
    void Echo(double delaySeconds, double feedback, double mix);
    // Adds another track of the same rate, channels and length.
    void MixIn(const Track& other);
    // Scaled so that the loudest sample reaches `peak` (0..1 of full scale).
    Sound Finish(double peak) const;
    // Scaled so that the loudest 50 ms reach the RMS level `loudness` (0..1), which matches the
    // levels of effects of different shapes, without the peak passing `maxPeak`.
    Sound FinishAtLoudness(double loudness, double maxPeak) const;

    int Rate() const { return rate_; }
    size_t Frames() const { return frames_; }

  private:
    struct Gains {
        double left, right;
    };
    static Gains PanGains(double pan);
    void Put(long long frame, double value, const Gains& gains);
    Sound Scaled(double scale) const;

    int rate_;
    int channels_;
    size_t frames_;
    bool wrap_;
    std::vector<double> data_;
};

double MidiToHz(double midi);
// The highest RMS level over 50 ms windows of interleaved samples (full scale 1 or 32767).
double LoudestRms(const std::vector<double>& samples, int channels, int rate);

} // namespace artgen
