// The music's path on arbitrary bytes: a WAV loaded as a stream, played while the in-memory
// device mixes and the fill thread refills the buffer from the file (looping or playing out to
// its end), paused, resumed and stopped.
#include <cstddef>
#include <cstdint>
#include <thread>

#include "sound_input.h"

namespace {
// Frames mixed per call; a segment (a quarter second) is 11025 of them at the device's rate.
constexpr int kChunkFrames = 2048;
// Eleven segments: enough for a short track that does not loop to play out and end.
constexpr int kChunks = 60;
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (!SoundInput::Start())
        return 0;
    SoundInput::Set(data, size);
    if (!zelSound.LoadStream("input.wav", 0))
        return 0;
    // The input's last byte decides whether the track loops.
    const bool loop = size > 0 && (data[size - 1] & 1);
    zelSound.PlayStream(loop ? SNDSTREAM_LOOP : 0);
    ZelSound::SetStreamVolume(0x8000);
    static int16_t out[2 * kChunkFrames];
    for (int i = 0; i < kChunks; ++i) {
        plat::MixNullAudio(out, kChunkFrames);
        if (i == kChunks / 2) {
            zelSound.PauseStream();
            zelSound.PauseStream();
        }
        std::this_thread::yield(); // the fill thread's turn to refill what was played
    }
    zelSound.StopStream();
    return 0;
}
