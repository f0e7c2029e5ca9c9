// Linear volume and pan (0 .. 65535) to hundredths of a decibel through one logarithmic
// table, the stream volume, and blocking music fades.
#include <cmath>

#include "platform/clock.h"
#include "sound/zel_sound.h"

int16_t ZelSound::g_VolumeTable[16384];

namespace {
// Each halving of the linear value is 10 dB quieter; below 17/16384 it is silence.
bool BuildVolumeTable() {
    ZelSound::g_VolumeTable[0] = -10000;
    for (int i = 1; i < 16384; ++i) {
        const double level = std::trunc(1000.0 * std::log2(i / 16384.0));
        ZelSound::g_VolumeTable[i] = static_cast<int16_t>(level < -10000.0 ? -10000 : level);
    }
    return true;
}

const int16_t* VolumeTable() {
    static const bool built = BuildVolumeTable();
    (void)built;
    return ZelSound::g_VolumeTable;
}
} // namespace

int ZelSound::MapVolume(int volume) {
    int index;
    if (volume > 65535)
        index = 16383;
    else if (volume < 0)
        index = 0;
    else
        index = volume >> 2;
    return VolumeTable()[index];
}

int ZelSound::MapPan(int pan) {
    const int16_t* table = VolumeTable();
    if (pan > 65535)
        return -10000;
    if (pan >= 0x8000)
        return table[16383 - (pan - 0x8000) / 2];
    if (pan >= 1)
        return -table[pan / 2];
    return 10000;
}

void ZelSound::SetStreamVolume(int volume) {
    StreamHold hold; // the track may end by itself meanwhile
    if (hold.sample)
        hold.sample->SetVolume(volume);
}

int ZelSound::GetStreamVolume() {
    StreamHold hold;
    return hold.sample ? hold.sample->nVolume.load() : 0;
}

void ZelSound::FadeMusic(int from, int to, int milliseconds) {
    const uint32_t start = plat::GetTickCount();
    const uint32_t end = start + static_cast<uint32_t>(milliseconds);
    for (uint32_t now = start; end > now; now = plat::GetTickCount()) {
        const int64_t elapsed = static_cast<int32_t>(now - start);
        SetStreamVolume(static_cast<int>(from + elapsed * (to - from) / milliseconds));
        plat::SleepMs(1); // the caller waits anyway; no need to spin a core
    }
    SetStreamVolume(to);
}

void ZelSound::FadeMusicIn(int milliseconds) {
    FadeMusic(0, nMusicLevel, milliseconds);
}
void ZelSound::StartFadeMusicIn(int milliseconds) {
    StreamHold hold;
    if (hold.sample)
        hold.sample->FadeVolume(0, nMusicLevel, milliseconds);
}

void ZelSound::FadeMusicOut(int milliseconds) {
    FadeMusic(nMusicLevel, 0, milliseconds);
}
