#include "tools/artgen/synth.h"

#include <algorithm>
#include <cmath>

namespace artgen {

namespace {

constexpr double kTwoPi = 6.283185307179586;

struct Shape {
    double attack;      // seconds
    double decay;       // time constant while held, seconds (0 = none)
    double release;     // time constant after release, seconds
    double brightDecay; // time constant of the FM index (the tone mellows), seconds
};

Shape ShapeOf(Voice voice) {
    switch (voice) {
    case Voice::Bell:
        return {0.002, 0.35, 0.12, 0.12};
    case Voice::Piano:
        return {0.004, 0.9, 0.15, 0.25};
    case Voice::Bass:
        return {0.006, 0.8, 0.09, 1};
    case Voice::Pad:
        return {0.35, 0, 0.45, 1};
    case Voice::Brass:
        return {0.03, 2.5, 0.18, 1};
    case Voice::Square:
        return {0.005, 0.4, 0.05, 1};
    case Voice::Vibes:
        return {0.003, 1.1, 0.25, 0.04};
    }
    return {0.01, 0.5, 0.1, 1};
}

// `p` is the phase in radians, `bright` runs from 1 down to 0 as the tone mellows, `env` is the
// loudness envelope.
double Sample(Voice voice, double p, double t, double env, double bright) {
    switch (voice) {
    case Voice::Bell:
        return std::sin(p + 2.2 * bright * std::sin(3.5 * p)) * 0.8 + 0.2 * std::sin(2 * p);
    case Voice::Piano:
        return std::sin(p + 1.3 * bright * std::sin(p)) * 0.85 +
               0.1 * std::sin(4 * p) * bright * bright;
    case Voice::Bass:
        return std::sin(p) * 0.85 + 0.15 * std::sin(2 * p);
    case Voice::Pad:
        return (std::sin(p) + 0.6 * std::sin(p * 1.004 + 1.3) + 0.25 * std::sin(2.003 * p)) / 1.85;
    case Voice::Brass: {
        // Brighter while loud, as a horn is.
        double sum = 0, weight = 1, fade = std::pow(env, 0.3);
        for (int h = 1; h <= 7; ++h) {
            sum += weight / h * std::sin(h * p);
            weight *= fade;
        }
        return sum * 0.6;
    }
    case Voice::Square:
        return (std::sin(p) + std::sin(3 * p) / 3 + std::sin(5 * p) / 6) * 0.75;
    case Voice::Vibes: {
        double tremolo = 1 + 0.18 * std::sin(kTwoPi * 5.0 * t);
        return std::sin(p + 0.9 * bright * std::sin(4 * p)) * tremolo * 0.85;
    }
    }
    return 0;
}

} // namespace

double MidiToHz(double midi) {
    return 440.0 * std::pow(2.0, (midi - 69) / 12.0);
}

Track::Track(int rate, int channels, double seconds, bool wrap)
    : rate_(rate), channels_(channels), frames_(static_cast<size_t>(std::llround(seconds * rate))),
      wrap_(wrap), data_(frames_ * channels, 0.0) {}

void Track::Put(long long frame, double value, const Gains& gains) {
    if (wrap_) {
        frame %= static_cast<long long>(frames_);
        if (frame < 0) {
            frame += static_cast<long long>(frames_);
        }
    } else if (frame < 0 || frame >= static_cast<long long>(frames_)) {
        return;
    }
    if (channels_ == 1) {
        data_[frame] += value;
        return;
    }
    data_[frame * 2] += value * gains.left;
    data_[frame * 2 + 1] += value * gains.right;
}

Track::Gains Track::PanGains(double pan) {
    // Constant power: both sides at unity in the middle.
    double angle = (pan + 1) * 0.25 * 3.141592653589793;
    return Gains{std::cos(angle) * 1.41421356, std::sin(angle) * 1.41421356};
}

void Track::Add(Voice voice, const Note& note) {
    const Shape shape = ShapeOf(voice);
    const Gains gains = PanGains(note.pan);
    const double dt = 1.0 / rate_;
    const long long first = std::llround(note.start * rate_);
    const long long held = std::llround(note.duration * rate_);
    const long long count = held + static_cast<long long>(shape.release * 6 * rate_);
    const long long attack = std::max(1LL, std::llround(shape.attack * rate_));
    // Exponential envelopes advance by one factor per sample.
    const double holdStep = shape.decay > 0 ? std::exp(-dt / shape.decay) : 1.0;
    const double releaseStep = std::exp(-dt / shape.release);
    const double brightStep = std::exp(-dt / shape.brightDecay);
    const double omega = kTwoPi * note.frequency * dt;
    double level = 1, bright = 1;
    for (long long i = 0; i < count; ++i) {
        double env = level * (i < attack ? static_cast<double>(i) / attack : 1.0);
        double t = static_cast<double>(i) * dt;
        Put(first + i, note.amplitude * env * Sample(voice, omega * i, t, env, bright), gains);
        level *= i < held ? holdStep : releaseStep;
        bright *= brightStep;
    }
}

void Track::AddNoise(double start, double duration, double amplitude, double brightness,
                     double decay, double pan, uint32_t seed) {
    const long long first = std::llround(start * rate_);
    const long long count = static_cast<long long>(duration * rate_);
    const Gains gains = PanGains(pan);
    uint32_t state = seed * 2654435761u + 1;
    double low = 0, lower = 0;
    const double alpha = 0.05 + 0.9 * brightness;
    for (long long i = 0; i < count; ++i) {
        state = state * 1664525u + 1013904223u;
        double white = static_cast<double>(state >> 8) / 8388608.0 - 1.0;
        low += alpha * (white - low);
        lower += alpha * (low - lower);
        double t = static_cast<double>(i) / rate_;
        double env = std::min(1.0, t / 0.0015) * std::exp(-t / decay);
        double fade = std::min(1.0, static_cast<double>(count - i) / (0.004 * rate_));
        Put(first + i, amplitude * env * fade * (brightness > 0.5 ? low : lower), gains);
    }
}

void Track::Echo(double delaySeconds, double feedback, double mix) {
    const size_t delay = static_cast<size_t>(delaySeconds * rate_);
    if (delay == 0 || delay >= frames_) {
        return;
    }
    std::vector<double> wet(data_.size(), 0.0);
    auto step = [&](size_t i, size_t j) {
        for (int c = 0; c < channels_; ++c) {
            // Ping-pong: each echo comes back from the other side.
            int from = channels_ == 2 ? 1 - c : c;
            wet[i * channels_ + c] =
                feedback * (data_[j * channels_ + from] + wet[j * channels_ + from]);
        }
    };
    if (wrap_) {
        // Two laps around the loop: the second one sees the echoes of the end at the start.
        for (size_t n = 0; n < 2 * frames_; ++n) {
            step(n % frames_, (n + frames_ - delay) % frames_);
        }
    } else {
        for (size_t i = delay; i < frames_; ++i) {
            step(i, i - delay);
        }
    }
    for (size_t k = 0; k < data_.size(); ++k) {
        data_[k] += mix * wet[k];
    }
}

double LoudestRms(const std::vector<double>& samples, int channels, int rate) {
    const size_t window = static_cast<size_t>(0.05 * rate) * channels;
    double best = 0, sum = 0;
    for (size_t k = 0; k < samples.size(); ++k) {
        sum += samples[k] * samples[k];
        if (k >= window) {
            sum -= samples[k - window] * samples[k - window];
        }
        size_t count = std::min(k + 1, window);
        best = std::max(best, std::sqrt(std::max(0.0, sum) / count));
    }
    return best;
}

namespace {

double Peak(const std::vector<double>& samples) {
    double top = 1e-9;
    for (double v : samples) {
        top = std::max(top, std::fabs(v));
    }
    return top;
}

} // namespace

void Track::MixIn(const Track& other) {
    const size_t n = std::min(data_.size(), other.data_.size());
    for (size_t k = 0; k < n; ++k) {
        data_[k] += other.data_[k];
    }
}

Sound Track::Finish(double peak) const {
    return Scaled(peak * 32767.0 / Peak(data_));
}

Sound Track::FinishAtLoudness(double loudness, double maxPeak) const {
    double byLoudness = loudness * 32767.0 / std::max(1e-9, LoudestRms(data_, channels_, rate_));
    return Scaled(std::min(byLoudness, maxPeak * 32767.0 / Peak(data_)));
}

Sound Track::Scaled(double scale) const {
    Sound sound;
    sound.rate = rate_;
    sound.channels = channels_;
    sound.samples.resize(data_.size());
    // One-shot sounds start and end at silence, so they never click.
    const double fadeIn = wrap_ ? 0 : 0.002 * rate_, fadeOut = wrap_ ? 0 : 0.008 * rate_;
    for (size_t k = 0; k < data_.size(); ++k) {
        double frame = static_cast<double>(k / channels_);
        double gain = 1.0;
        if (frame < fadeIn) {
            gain = frame / fadeIn;
        }
        double left = static_cast<double>(frames_ - 1) - frame;
        if (left < fadeOut) {
            gain = std::min(gain, left / fadeOut);
        }
        long value = std::lround(data_[k] * scale * gain);
        sound.samples[k] = static_cast<int16_t>(std::clamp(value, -32767L, 32767L));
    }
    return sound;
}

} // namespace artgen
