#pragma once
// The sound device and its sound buffers: one output device (16-bit stereo at the device's
// own rate) and a mixer that plays every buffer into it. A buffer holds PCM of 8 or 16 bits,
// mono or stereo, at any rate; it is resampled as it is mixed. Duplicates share the sound
// data. Volumes are in hundredths of a decibel (-10000 .. 0, gain 10^(v/2000)); a change is
// ramped over a few milliseconds so it never clicks. Buffers have no pan control: a pan
// request fails and everything plays centred.
//
// With the SDL backend the mixer runs in SDL's audio callback, which never waits for files or
// for the game. With the null backend the device lives in memory and mixes only when a test
// pulls audio with MixNullAudio.
#include <cstdint>

#include "platform/sync.h"

namespace plat {

struct SoundFormat {
    uint32_t channels = 0;      // 1 or 2
    uint32_t frequency = 0;     // samples per second of one channel
    uint32_t bitsPerSample = 0; // 8 (unsigned) or 16 (signed)
    uint32_t BlockAlign() const { return channels * bitsPerSample / 8; }
};

// Capabilities of the output: it always takes a 16-bit stereo primary format.
constexpr uint32_t kCapsPrimaryStereo = 0x2;
constexpr uint32_t kCapsPrimary16Bit = 0x8;

struct AudioDevice;
struct SoundBuffer;

// Opens the output (one per process); null when no device can be opened or one is open.
AudioDevice* OpenAudioDevice();
// Closes the output; buffers still alive are released with it.
void CloseAudioDevice(AudioDevice* device);
uint32_t AudioDeviceCaps(AudioDevice* device);
// Frames per second of the output; 0 when closed.
uint32_t AudioDeviceRate(AudioDevice* device);

// The primary buffer stands for the output itself: it accepts a format request (the mixer
// keeps its own format), plays and stops, and is never mixed.
SoundBuffer* CreatePrimaryBuffer(AudioDevice* device);
bool SetPrimaryFormat(SoundBuffer* primary, const SoundFormat& format);
bool GetBufferFormat(SoundBuffer* buffer, SoundFormat* format);

// A secondary buffer of `bytes` bytes, silent (zero) at first. Null for a bad format (not 8 or
// 16 bits, not 1 or 2 channels, rate 0 or above 200000) or a size that is 0 or not whole
// frames.
SoundBuffer* CreateSoundBuffer(AudioDevice* device, const SoundFormat& format, uint32_t bytes);
// A new buffer playing the same data; it has its own position, volume and notifications.
SoundBuffer* DuplicateSoundBuffer(SoundBuffer* original);
// Frees the buffer (without signalling anything: stop it first for that). The data lives on
// while a duplicate uses it.
void ReleaseSoundBuffer(SoundBuffer* buffer);

bool PlayBuffer(SoundBuffer* buffer, bool looping);
// Stopping a playing buffer signals its stop position; the position stays where it stopped.
bool StopBuffer(SoundBuffer* buffer);

constexpr uint32_t kStatusPlaying = 0x1;
constexpr uint32_t kStatusLooping = 0x4;
bool GetBufferStatus(SoundBuffer* buffer, uint32_t* status);

// Byte offset of the play cursor.
bool GetBufferPosition(SoundBuffer* buffer, uint32_t* position);
// Moves the play cursor (rounded down to a whole frame); false past the end.
bool SetBufferPosition(SoundBuffer* buffer, uint32_t position);

// Gives write access to `bytes` bytes from `offset` (0 bytes = the whole buffer). A range that
// runs past the end wraps: the second part starts at offset 0. The pointers are the buffer's
// own memory, so data is written in place.
struct BufferLock {
    void* part1 = nullptr;
    uint32_t bytes1 = 0;
    void* part2 = nullptr;
    uint32_t bytes2 = 0;
};
bool LockBuffer(SoundBuffer* buffer, uint32_t offset, uint32_t bytes, BufferLock* lock);
bool UnlockBuffer(SoundBuffer* buffer, const BufferLock& lock);

// Hundredths of a decibel, -10000 (silent) .. 0 (as recorded); false outside that range.
bool SetBufferVolume(SoundBuffer* buffer, int32_t volume);
// Starts at `from` at once and reaches `to` over the given time as the buffer plays, without
// the caller waiting; the buffer's volume reads `to` from the start.
bool FadeBufferVolume(SoundBuffer* buffer, int32_t from, int32_t to, uint32_t milliseconds);
bool GetBufferVolume(SoundBuffer* buffer, int32_t* volume);
// Always false: no buffer is made with a pan control.
bool SetBufferPan(SoundBuffer* buffer, int32_t pan);
// Playback rate in samples per second, 100 .. 200000; false outside that range.
bool SetBufferFrequency(SoundBuffer* buffer, uint32_t frequency);

// Byte offsets at which the buffer sets an event when the play cursor reaches them; the
// offset kNotifyStop sets its event whenever the buffer stops (end of data, Stop, Release).
// Replaces earlier positions; at most kMaxNotifyPositions.
constexpr uint32_t kNotifyStop = 0xFFFFFFFF;
constexpr int kMaxNotifyPositions = 16;
struct NotifyPosition {
    uint32_t offset;
    Event* event;
};
bool SetNotificationPositions(SoundBuffer* buffer, const NotifyPosition* positions, int count);

// Null backend only: mixes the next `frames` frames of the in-memory device into `out`
// (interleaved left, right). Returns the frames written (0 when no null device is open).
int MixNullAudio(int16_t* out, int frames);

} // namespace plat
