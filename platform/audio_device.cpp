// Opening and closing the one output device: SDL's audio device with the mixer in its
// callback, or, on the null backend, an in-memory device that mixes when a test asks.
//
// SDL's output is opened on a thread of its own: looking for a sound server and a sound card
// takes a good part of a second on some machines, and the programs show their first frame
// meanwhile. Sounds started before the output is open are heard as soon as it is. A machine
// with no output at all still gets a device: a clock thread mixes into nothing at the pace of
// real time, so sounds end and music streams refill as if they were heard.
#include <SDL.h>
#include <dlfcn.h>

#include <algorithm>
#include <chrono>

#include "platform/audio_internal.h"
#include "platform/backend.h"

namespace plat {

namespace {
// 512 frames at 44.1 or 48 kHz is about 11 ms a callback: a sound started just after one
// callback is heard less than two callbacks later.
constexpr int kDeviceFrames = 512;
constexpr uint32_t kDefaultRate = 44100;
// Often enough for the music's quarter-second refills; rarely enough to cost next to nothing.
constexpr auto kSilentTick = std::chrono::milliseconds(50);

// The open device; g_deviceMutex keeps it alive while the in-memory device mixes.
std::mutex g_deviceMutex;
AudioDevice* g_device = nullptr;

void SdlMix(void* userdata, Uint8* stream, int len) {
    auto* device = static_cast<AudioDevice*>(userdata);
    std::lock_guard<std::mutex> lock(device->mutex);
    MixDevice(device, reinterpret_cast<int16_t*>(stream), len / 4);
}

void IgnoreAlsaError(const char*, int, const char*, int, const char*, ...) {}

// libasound reports every device it cannot open on standard error ("ALSA lib ... cannot find
// card"), which on a machine without a sound card is a screenful at each start. SDL loads the
// same library; a silent error handler set here quiets it.
void QuietAlsa() {
    void* alsa = dlopen("libasound.so.2", RTLD_NOW | RTLD_GLOBAL);
    if (!alsa)
        return;
    using Handler = void (*)(const char*, int, const char*, int, const char*, ...);
    using SetHandler = int (*)(Handler);
    if (auto set = reinterpret_cast<SetHandler>(dlsym(alsa, "snd_lib_error_set_handler")))
        set(IgnoreAlsaError);
    // The library stays loaded for SDL.
}

bool OpenSdlOutput(AudioDevice* device) {
    QuietAlsa();
    // SDL_AudioInit rather than SDL_InitSubSystem: the subsystem counts are not for two threads
    // at once, and the main thread is starting the video meanwhile.
    if (SDL_AudioInit(nullptr) != 0)
        return false;
    SDL_AudioSpec want{};
    SDL_AudioSpec have{};
    want.freq = kDefaultRate;
    want.format = AUDIO_S16SYS;
    want.channels = 2;
    want.samples = kDeviceFrames;
    want.callback = SdlMix;
    want.userdata = device;
    SDL_AudioDeviceID id =
        SDL_OpenAudioDevice(nullptr, 0, &want, &have, SDL_AUDIO_ALLOW_FREQUENCY_CHANGE);
    if (id == 0) {
        SDL_AudioQuit();
        return false;
    }
    {
        std::lock_guard<std::mutex> lock(device->mutex);
        device->rate = static_cast<uint32_t>(have.freq);
        device->sdlDevice = id;
    }
    SDL_PauseAudioDevice(id, 0);
    return true;
}

void CloseSdlOutput(AudioDevice* device) {
    if (device->sdlDevice == 0)
        return;
    SDL_CloseAudioDevice(device->sdlDevice); // waits for a running callback to end
    device->sdlDevice = 0;
    SDL_AudioQuit();
}

bool AnyBufferPlaying(const AudioDevice* device) {
    return std::any_of(device->buffers.begin(), device->buffers.end(), IsHeard);
}

// Without an output: mix what has played since the last tick, and throw it away. While nothing
// plays there is no time to keep, and the clock sleeps until a sound starts.
void KeepSilentTime(AudioDevice* device) {
    std::vector<int16_t> scratch(2 * kMixChunkFrames);
    using Clock = std::chrono::steady_clock;
    auto last = Clock::now();
    double owed = 0;
    for (;;) {
        {
            std::unique_lock<std::mutex> lock(device->mutex);
            if (!AnyBufferPlaying(device)) {
                device->started.wait(lock,
                                     [&] { return device->closing || AnyBufferPlaying(device); });
                last = Clock::now();
                owed = 0;
            }
        }
        if (device->closing)
            return;
        std::this_thread::sleep_for(kSilentTick);
        const auto now = Clock::now();
        std::lock_guard<std::mutex> lock(device->mutex);
        owed += std::chrono::duration<double>(now - last).count() * device->rate;
        last = now;
        while (owed >= 1) {
            const int frames = owed > kMixChunkFrames ? kMixChunkFrames : static_cast<int>(owed);
            MixDevice(device, scratch.data(), frames);
            owed -= frames;
        }
    }
}

void RunOutput(AudioDevice* device) {
    if (!OpenSdlOutput(device))
        KeepSilentTime(device);
    // SDL keeps its error text in storage of the calling thread, freed by itself only for
    // threads it started.
    SDL_TLSCleanup();
}
} // namespace

AudioDevice* OpenAudioDevice() {
    std::lock_guard<std::mutex> open(g_deviceMutex);
    if (g_device)
        return nullptr;
    auto* device = new AudioDevice;
    device->mix.resize(2 * kMixChunkFrames);
    device->rate = kDefaultRate; // until the output says which it takes
    if (CurrentBackend() == BackendKind::Null) {
        device->inMemory = true;
    } else {
        try {
            device->output = std::thread(RunOutput, device);
        } catch (...) {
            delete device;
            return nullptr;
        }
    }
    g_device = device;
    return device;
}

void CloseAudioDevice(AudioDevice* device) {
    std::lock_guard<std::mutex> open(g_deviceMutex);
    if (!device || g_device != device)
        return;
    {
        std::lock_guard<std::mutex> lock(device->mutex);
        device->closing = true;
    }
    device->started.notify_all();
    if (device->output.joinable())
        device->output.join();
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
    if (!device)
        return 0;
    std::lock_guard<std::mutex> lock(device->mutex);
    return device->rate;
}

int MixNullAudio(int16_t* out, int frames) {
    std::lock_guard<std::mutex> open(g_deviceMutex);
    AudioDevice* device = g_device;
    if (!device || !device->inMemory || !out || frames <= 0)
        return 0;
    std::lock_guard<std::mutex> lock(device->mutex);
    MixDevice(device, out, frames);
    return frames;
}

} // namespace plat
