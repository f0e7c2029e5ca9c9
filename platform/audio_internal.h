#pragma once
// The device and buffer records shared by the buffer calls, the mixer and the two device
// backends. Everything the mixer reads is guarded by the device's mutex, except the sample
// bytes themselves: a writer fills them between Lock and Unlock without the mutex, and the
// mixer reads no byte of a range while a writer holds it (see SoundData).
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/audio.h"

namespace plat {

// A buffer's sound bytes, shared by its duplicates. Lock and Unlock mark the range a writer
// holds, under the device mutex; the mixer plays silence there instead of reading it. So a
// writer that falls behind the play cursor (a starved fill thread) glitches, never races.
struct SoundData {
    std::vector<uint8_t> bytes;
    uint32_t lockOffset = 0;
    uint32_t lockBytes = 0; // 0: no writer holds a range
};

struct SoundBuffer {
    AudioDevice* device = nullptr;
    bool primary = false;
    SoundFormat format;
    std::shared_ptr<SoundData> data;
    uint32_t frames = 0;
    uint64_t position = 0; // frames, 32.32 fixed point
    uint32_t frequency = 0;
    bool playing = false;
    bool looping = false;
    int32_t volume = 0;
    float gain = 1.0f;
    float targetGain = 1.0f;
    float gainStep = 0.0f;
    int rampFrames = 0;
    std::vector<NotifyPosition> notify;
};

struct AudioDevice {
    std::mutex mutex;
    uint32_t rate = 0;
    std::vector<SoundBuffer*> buffers; // every live buffer, primary included
    std::vector<float> mix;            // two floats a frame, sized once at open
    uint32_t sdlDevice = 0;            // 0 until SDL's output is open, and for the others
    bool inMemory = false;             // the null backend's device, mixed by the tests
    // SDL's output opens on this thread, so start-up does not wait for it; without an output
    // the same thread keeps the sounds' time going (see audio_device.cpp).
    std::thread output;
    std::atomic<bool> closing{false}; // set with the mutex held, so a waiting clock sees it
    std::condition_variable started;  // a buffer started playing, or the device closes
};

// Frames the mixer handles in one pass; longer requests are split.
constexpr int kMixChunkFrames = 2048;
// Frames over which a volume change is spread.
constexpr int kVolumeRampFrames = 256;

float GainForVolume(int32_t volume);
// Sets the events of positions reached and, when the buffer stops, its stop events. Both run
// with the device mutex held.
void SignalStop(SoundBuffer* buffer);
// A buffer the mixer adds to the output: playing, and not the primary buffer. The caller holds
// the device mutex.
inline bool IsHeard(const SoundBuffer* buffer) {
    return buffer->playing && !buffer->primary;
}

// Mixes every playing buffer into `out`; the caller holds the device mutex.
void MixDevice(AudioDevice* device, int16_t* out, int frames);

} // namespace plat
