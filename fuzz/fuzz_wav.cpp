// The WAV reader on arbitrary bytes: opening, header and chunk search, and loading the data
// into a sound buffer of the in-memory device.
#include <cstddef>
#include <cstdint>

#include "sound_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (!SoundInput::Start())
        return 0;
    SoundInput::Set(data, size);
    if (zelSound.LoadSample("input.wav", 10)) {
        SNDSample* sample = zelSound.FindSample(10);
        if (sample)
            sample->PlaySample(65535, 0x8000);
        int16_t out[2 * 64];
        plat::MixNullAudio(out, 64);
        zelSound.FreeSample(sample);
    }
    SNDSample probe;
    SNDFileHandle f = probe.OpenSoundFile("input.wav");
    if (f != SndInvalidHandle())
        ZelSound::DefaultCloseFile(f);
    return 0;
}
