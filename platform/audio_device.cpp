// Opening and closing the one output device: SDL's audio device with the mixer in its
// callback, or, on the null backend, an in-memory device that mixes when a test asks.
#include <SDL.h>

#include "platform/audio_internal.h"
#include "platform/backend.h"

namespace plat {

namespace {
// 512 frames at 44.1 or 48 kHz is about 11 ms a callback: a sound started just after one
// callback is heard less than two callbacks later.
constexpr int kDeviceFrames = 512;
constexpr uint32_t kNullDeviceRate = 44100;

// The open device; g_deviceMutex keeps it alive while the in-memory device mixes.
std::mutex g_deviceMutex;
AudioDevice* g_device = nullptr;

void SdlMix(void* userdata, Uint8* stream, int len) {
    auto* device = static_cast<AudioDevice*>(userdata);
    std::lock_guard<std::mutex> lock(device->mutex);
    MixDevice(device, reinterpret_cast<int16_t*>(stream), len / 4);
}
} // namespace

bool OpenSdlOutput(AudioDevice* device) {
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0)
        return false;
    SDL_AudioSpec want{};
    SDL_AudioSpec have{};
    want.freq = 44100;
    want.format = AUDIO_S16SYS;
    want.channels = 2;
    want.samples = kDeviceFrames;
    want.callback = SdlMix;
    want.userdata = device;
    SDL_AudioDeviceID id =
        SDL_OpenAudioDevice(nullptr, 0, &want, &have, SDL_AUDIO_ALLOW_FREQUENCY_CHANGE);
    if (id == 0) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    device->rate = static_cast<uint32_t>(have.freq);
    device->sdlDevice = id;
    SDL_PauseAudioDevice(id, 0);
    return true;
}

void CloseSdlOutput(AudioDevice* device) {
    if (device->sdlDevice == 0)
        return;
    SDL_CloseAudioDevice(device->sdlDevice); // waits for a running callback to end
    device->sdlDevice = 0;
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

AudioDevice* OpenAudioDevice() {
    std::lock_guard<std::mutex> open(g_deviceMutex);
    if (g_device)
        return nullptr;
    auto* device = new AudioDevice;
    device->mix.resize(2 * kMixChunkFrames);
    if (CurrentBackend() == BackendKind::Null) {
        device->rate = kNullDeviceRate;
    } else if (!OpenSdlOutput(device)) {
        delete device;
        return nullptr;
    }
    g_device = device;
    return device;
}

void CloseAudioDevice(AudioDevice* device) {
    std::lock_guard<std::mutex> open(g_deviceMutex);
    if (!device || g_device != device)
        return;
    CloseSdlOutput(device);
    g_device = nullptr;
    std::vector<SoundBuffer*> left;
    {
        std::lock_guard<std::mutex> lock(device->mutex);
        left.swap(device->buffers);
    }
    for (SoundBuffer* b : left)
        delete b;
    delete device;
}

uint32_t AudioDeviceCaps(AudioDevice* device) {
    return device ? (kCapsPrimaryStereo | kCapsPrimary16Bit) : 0;
}

uint32_t AudioDeviceRate(AudioDevice* device) {
    return device ? device->rate : 0;
}

int MixNullAudio(int16_t* out, int frames) {
    std::lock_guard<std::mutex> open(g_deviceMutex);
    AudioDevice* device = g_device;
    if (!device || device->sdlDevice != 0 || !out || frames <= 0)
        return 0;
    std::lock_guard<std::mutex> lock(device->mutex);
    MixDevice(device, out, frames);
    return frames;
}

} // namespace plat
