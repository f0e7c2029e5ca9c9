// The WAV reader on arbitrary bytes: opening, header and chunk search, and loading the data
// into a sound buffer of the in-memory device.
#include <cstddef>
#include <cstdint>
#include <cstdio>

#include "platform/backend.h"
#include "sound/zel_sound.h"

namespace {
const uint8_t* g_data = nullptr;
size_t g_size = 0;

SNDFileHandle OpenInput(const char*) {
    std::FILE* f = std::tmpfile();
    if (!f)
        return SndInvalidHandle();
    if (g_size)
        std::fwrite(g_data, 1, g_size, f);
    std::rewind(f);
    return f;
}

bool StartLibrary() {
    plat::SelectBackend(plat::BackendKind::Null);
    if (!zelSound.Init(nullptr, 4))
        return false;
    ZelSound::SetFileOpenFunc(OpenInput);
    return true;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool started = StartLibrary();
    if (!started)
        return 0;
    g_data = data;
    g_size = size;
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
