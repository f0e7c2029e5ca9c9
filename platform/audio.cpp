// Sound buffer calls. Each takes the device mutex only for the few field updates it makes, so
// the mixer is never held up for long.
#include <algorithm>
#include <mutex>

#include "platform/audio_internal.h"

namespace plat {

namespace {
using Guard = std::lock_guard<std::mutex>;

bool ValidFormat(const SoundFormat& f) {
    return (f.channels == 1 || f.channels == 2) &&
           (f.bitsPerSample == 8 || f.bitsPerSample == 16) && f.frequency >= 1 &&
           f.frequency <= 200000;
}

SoundBuffer* Register(AudioDevice* device, SoundBuffer* buffer) {
    Guard lock(device->mutex);
    device->buffers.push_back(buffer);
    return buffer;
}

bool Secondary(SoundBuffer* b) {
    return b && !b->primary;
}
} // namespace

SoundBuffer* CreatePrimaryBuffer(AudioDevice* device) {
    if (!device)
        return nullptr;
    auto* b = new SoundBuffer;
    b->device = device;
    b->primary = true;
    b->format = {2, AudioDeviceRate(device), 16};
    return Register(device, b);
}

bool SetPrimaryFormat(SoundBuffer* primary, const SoundFormat& format) {
    if (!primary || !primary->primary || !ValidFormat(format))
        return false;
    Guard lock(primary->device->mutex);
    primary->format = format;
    return true;
}

bool GetBufferFormat(SoundBuffer* buffer, SoundFormat* format) {
    if (!buffer || !format)
        return false;
    Guard lock(buffer->device->mutex);
    *format = buffer->format;
    return true;
}

SoundBuffer* CreateSoundBuffer(AudioDevice* device, const SoundFormat& format, uint32_t bytes) {
    if (!device || !ValidFormat(format) || bytes == 0 || bytes % format.BlockAlign() != 0)
        return nullptr;
    auto* b = new SoundBuffer;
    b->device = device;
    b->format = format;
    b->data = std::make_shared<SoundData>();
    b->data->bytes.assign(bytes, 0);
    b->frames = bytes / format.BlockAlign();
    b->frequency = format.frequency;
    return Register(device, b);
}

SoundBuffer* DuplicateSoundBuffer(SoundBuffer* original) {
    if (!Secondary(original))
        return nullptr;
    auto* b = new SoundBuffer;
    {
        Guard lock(original->device->mutex);
        b->device = original->device;
        b->format = original->format;
        b->data = original->data;
        b->frames = original->frames;
        b->frequency = original->frequency;
        b->volume = original->volume;
        b->gain = b->targetGain = original->targetGain;
    }
    return Register(b->device, b);
}

void ReleaseSoundBuffer(SoundBuffer* buffer) {
    if (!buffer)
        return;
    {
        Guard lock(buffer->device->mutex);
        auto& list = buffer->device->buffers;
        list.erase(std::remove(list.begin(), list.end(), buffer), list.end());
    }
    delete buffer;
}

bool PlayBuffer(SoundBuffer* buffer, bool looping) {
    if (!buffer)
        return false;
    Guard lock(buffer->device->mutex);
    if (!buffer->playing) {
        buffer->gain = buffer->targetGain; // a fresh start needs no ramp
        buffer->rampFrames = 0;
    }
    buffer->playing = true;
    buffer->looping = looping;
    buffer->device->started.notify_all();
    return true;
}

bool StopBuffer(SoundBuffer* buffer) {
    if (!buffer)
        return false;
    Guard lock(buffer->device->mutex);
    if (buffer->playing) {
        buffer->playing = false;
        if (!buffer->primary)
            SignalStop(buffer);
    }
    return true;
}

bool GetBufferStatus(SoundBuffer* buffer, uint32_t* status) {
    if (!buffer || !status)
        return false;
    Guard lock(buffer->device->mutex);
    *status = buffer->playing ? (kStatusPlaying | (buffer->looping ? kStatusLooping : 0)) : 0;
    return true;
}

bool GetBufferPosition(SoundBuffer* buffer, uint32_t* position) {
    if (!Secondary(buffer) || !position)
        return false;
    Guard lock(buffer->device->mutex);
    *position = static_cast<uint32_t>(buffer->position >> 32) * buffer->format.BlockAlign();
    return true;
}

bool SetBufferPosition(SoundBuffer* buffer, uint32_t position) {
    if (!Secondary(buffer) || position >= buffer->data->bytes.size())
        return false;
    Guard lock(buffer->device->mutex);
    buffer->position = static_cast<uint64_t>(position / buffer->format.BlockAlign()) << 32;
    return true;
}

bool LockBuffer(SoundBuffer* buffer, uint32_t offset, uint32_t bytes, BufferLock* lock) {
    if (!Secondary(buffer) || !lock)
        return false;
    SoundData& data = *buffer->data;
    const uint32_t size = static_cast<uint32_t>(data.bytes.size());
    if (bytes == 0) {
        offset = 0;
        bytes = size;
    }
    if (offset >= size || bytes > size)
        return false;
    {
        Guard guard(buffer->device->mutex);
        if (data.lockBytes != 0)
            return false; // one writer at a time
        data.lockOffset = offset;
        data.lockBytes = bytes;
    }
    uint8_t* base = data.bytes.data();
    lock->part1 = base + offset;
    lock->bytes1 = std::min(bytes, size - offset);
    lock->bytes2 = bytes - lock->bytes1;
    lock->part2 = lock->bytes2 ? base : nullptr;
    return true;
}

bool UnlockBuffer(SoundBuffer* buffer, const BufferLock& lock) {
    if (!Secondary(buffer) || !lock.part1)
        return false;
    Guard guard(buffer->device->mutex); // publishes the written bytes to the mixer
    buffer->data->lockBytes = 0;
    return true;
}

bool SetBufferVolume(SoundBuffer* buffer, int32_t volume) {
    return FadeBufferVolume(buffer, volume, volume, 0);
}

bool FadeBufferVolume(SoundBuffer* buffer, int32_t from, int32_t to, uint32_t milliseconds) {
    if (!Secondary(buffer) || from < -10000 || from > 0 || to < -10000 || to > 0)
        return false;
    Guard lock(buffer->device->mutex);
    if (from != to)
        buffer->gain = GainForVolume(from);
    buffer->volume = to;
    buffer->targetGain = GainForVolume(to);
    const uint64_t fadeFrames = uint64_t{milliseconds} * buffer->device->rate / 1000;
    const int frames =
        fadeFrames > kVolumeRampFrames ? static_cast<int>(fadeFrames) : kVolumeRampFrames;
    if (buffer->playing || from != to) {
        buffer->rampFrames = frames;
        buffer->gainStep = (buffer->targetGain - buffer->gain) / frames;
    } else {
        buffer->gain = buffer->targetGain;
        buffer->rampFrames = 0;
    }
    return true;
}

bool GetBufferVolume(SoundBuffer* buffer, int32_t* volume) {
    if (!Secondary(buffer) || !volume)
        return false;
    Guard lock(buffer->device->mutex);
    *volume = buffer->volume;
    return true;
}

bool SetBufferPan(SoundBuffer*, int32_t) {
    return false;
}

bool SetBufferFrequency(SoundBuffer* buffer, uint32_t frequency) {
    if (!Secondary(buffer) || frequency < 100 || frequency > 200000)
        return false;
    Guard lock(buffer->device->mutex);
    buffer->frequency = frequency;
    return true;
}

bool SetNotificationPositions(SoundBuffer* buffer, const NotifyPosition* positions, int count) {
    if (!Secondary(buffer) || count < 0 || count > kMaxNotifyPositions || (count && !positions))
        return false;
    for (int i = 0; i < count; ++i) {
        if (!positions[i].event)
            return false;
        if (positions[i].offset != kNotifyStop && positions[i].offset >= buffer->data->bytes.size())
            return false;
    }
    Guard lock(buffer->device->mutex);
    buffer->notify.assign(positions, positions + count);
    return true;
}

} // namespace plat
