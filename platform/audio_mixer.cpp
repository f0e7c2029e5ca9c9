// The mixer: every playing buffer, resampled by linear interpolation to the device rate,
// scaled by its (ramped) gain and summed into 16-bit stereo with clipping.
#include <algorithm>
#include <cmath>
#include <cstring>

#include "platform/audio_internal.h"

namespace plat {

float GainForVolume(int32_t volume) {
    if (volume <= -10000)
        return 0.0f;
    return std::pow(10.0f, static_cast<float>(volume) / 2000.0f);
}

void SignalStop(SoundBuffer* buffer) {
    for (const NotifyPosition& n : buffer->notify) {
        if (n.offset == kNotifyStop)
            SetEvent(n.event);
    }
}

namespace {

template <int Bits> inline float SampleAt(const uint8_t* bytes, uint32_t index) {
    if constexpr (Bits == 8) {
        return static_cast<float>((static_cast<int>(bytes[index]) - 128) * 256);
    } else {
        int16_t v;
        std::memcpy(&v, bytes + index * 2, 2);
        return static_cast<float>(v);
    }
}

template <int Bits, int Channels>
inline void FrameAt(const uint8_t* bytes, uint32_t frame, float* left, float* right) {
    *left = SampleAt<Bits>(bytes, frame * Channels);
    *right = Channels == 2 ? SampleAt<Bits>(bytes, frame * Channels + 1) : *left;
}

// Sets the events of the positions the cursor passed on its way from byte `from` to byte
// `to` (both counted without wrapping, so `to` may lie beyond the buffer's end).
void SignalPassedPositions(SoundBuffer* buffer, uint64_t from, uint64_t to) {
    const uint64_t size = buffer->data->bytes.size();
    for (const NotifyPosition& n : buffer->notify) {
        if (n.offset == kNotifyStop || n.offset >= size)
            continue;
        uint64_t next =
            n.offset > from ? n.offset : n.offset + ((from - n.offset) / size + 1) * size;
        if (next <= to)
            SetEvent(n.event);
    }
}

// Whether a writer holds any byte of the frame; the held range may wrap around the end.
bool HeldByWriter(const SoundData& data, uint32_t frame, uint32_t block) {
    const uint64_t size = data.bytes.size();
    const uint64_t first = uint64_t{frame} * block;
    auto held = [&](uint64_t byte) {
        return (byte + size - data.lockOffset) % size < data.lockBytes;
    };
    return held(first) || held(first + block - 1);
}

template <int Bits, int Channels>
void MixVoice(SoundBuffer* b, float* mix, int frames, uint32_t rate) {
    const SoundData& data = *b->data;
    const uint8_t* bytes = data.bytes.data();
    const bool writing = data.lockBytes != 0;
    const uint64_t end = static_cast<uint64_t>(b->frames) << 32;
    const uint64_t step = (static_cast<uint64_t>(b->frequency) << 32) / rate;
    const uint32_t block = b->format.BlockAlign();
    const uint64_t startByte = (b->position >> 32) * block;
    uint64_t laps = 0;
    uint64_t pos = b->position;
    bool ended = false;
    for (int i = 0; i < frames; ++i) {
        if (pos >= end) {
            if (!b->looping) {
                ended = true;
                break;
            }
            laps += pos / end;
            pos %= end;
        }
        const uint32_t frame = static_cast<uint32_t>(pos >> 32);
        uint32_t next = frame + 1;
        if (next >= b->frames)
            next = b->looping ? 0 : frame;
        float l0 = 0, r0 = 0, l1 = 0, r1 = 0;
        if (!writing || !HeldByWriter(data, frame, block))
            FrameAt<Bits, Channels>(bytes, frame, &l0, &r0);
        if (!writing || !HeldByWriter(data, next, block))
            FrameAt<Bits, Channels>(bytes, next, &l1, &r1);
        const float t = static_cast<float>(static_cast<uint32_t>(pos)) * (1.0f / 4294967296.0f);
        if (b->rampFrames > 0) {
            b->gain = --b->rampFrames == 0 ? b->targetGain : b->gain + b->gainStep;
        }
        mix[2 * i] += (l0 + (l1 - l0) * t) * b->gain;
        mix[2 * i + 1] += (r0 + (r1 - r0) * t) * b->gain;
        pos += step;
    }
    if (!ended && pos >= end && !b->looping)
        ended = true;
    if (ended) {
        // A one-shot buffer that reaches its end stops and rewinds, so the next play starts
        // from the beginning.
        SignalPassedPositions(b, startByte, static_cast<uint64_t>(b->frames) * block - 1);
        b->position = 0;
        b->playing = false;
        b->gain = b->targetGain;
        b->rampFrames = 0;
        SignalStop(b);
        return;
    }
    if (pos >= end) {
        laps += pos / end;
        pos %= end;
    }
    b->position = pos;
    SignalPassedPositions(b, startByte, (laps * b->frames + (pos >> 32)) * block);
}

void MixBuffer(SoundBuffer* b, float* mix, int frames, uint32_t rate) {
    const bool stereo = b->format.channels == 2;
    if (b->format.bitsPerSample == 8) {
        stereo ? MixVoice<8, 2>(b, mix, frames, rate) : MixVoice<8, 1>(b, mix, frames, rate);
    } else {
        stereo ? MixVoice<16, 2>(b, mix, frames, rate) : MixVoice<16, 1>(b, mix, frames, rate);
    }
}

} // namespace

void MixDevice(AudioDevice* device, int16_t* out, int frames) {
    while (frames > 0) {
        const int chunk = std::min(frames, kMixChunkFrames);
        float* mix = device->mix.data();
        std::fill(mix, mix + 2 * chunk, 0.0f);
        for (SoundBuffer* b : device->buffers) {
            if (IsHeard(b))
                MixBuffer(b, mix, chunk, device->rate);
        }
        for (int i = 0; i < 2 * chunk; ++i)
            out[i] = static_cast<int16_t>(std::lrint(std::clamp(mix[i], -32768.0f, 32767.0f)));
        out += 2 * chunk;
        frames -= chunk;
    }
}

} // namespace plat
