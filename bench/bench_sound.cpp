// Sound mixing cost and the delay from PlaySample to the sound's first samples, both on the
// null backend's in-memory device (44100 frames a second, pulled in 512-frame device buffers
// like SDL's callback).
#include <algorithm>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "platform/backend.h"
#include "sound/zel_sound.h"

namespace {

constexpr int kRate = 44100;
constexpr int kDeviceFrames = 512;

std::vector<std::vector<uint8_t>> g_files;

void Put32(std::vector<uint8_t>& b, uint32_t v) {
    for (int i = 0; i < 4; ++i)
        b.push_back(static_cast<uint8_t>(v >> (8 * i)));
}
void Put16(std::vector<uint8_t>& b, uint32_t v) {
    b.push_back(static_cast<uint8_t>(v));
    b.push_back(static_cast<uint8_t>(v >> 8));
}

// A one-second noise-like sound with a sampler loop over all of it, so it plays looping.
std::vector<uint8_t> LoopedWav(uint16_t channels, uint32_t rate, uint16_t bits) {
    const uint32_t block = channels * bits / 8;
    std::vector<uint8_t> pcm(rate * block);
    uint32_t x = 12345;
    for (auto& byte : pcm) {
        x = x * 1103515245 + 12345;
        byte = static_cast<uint8_t>(x >> 16);
    }
    std::vector<uint8_t> w = {'R', 'I', 'F', 'F', 0,   0,   0,   0,
                              'W', 'A', 'V', 'E', 'f', 'm', 't', ' '};
    Put32(w, 16);
    Put16(w, 1);
    Put16(w, channels);
    Put32(w, rate);
    Put32(w, rate * block);
    Put16(w, block);
    Put16(w, bits);
    for (char c : std::string("smpl"))
        w.push_back(static_cast<uint8_t>(c));
    Put32(w, 60);
    w.resize(w.size() + 28, 0);
    Put32(w, 1);
    Put32(w, 0);
    Put32(w, 0);
    Put32(w, 0);
    Put32(w, 0);
    Put32(w, rate - 1);
    Put32(w, 0);
    Put32(w, 0);
    for (char c : std::string("data"))
        w.push_back(static_cast<uint8_t>(c));
    Put32(w, static_cast<uint32_t>(pcm.size()));
    w.insert(w.end(), pcm.begin(), pcm.end());
    return w;
}

SNDFileHandle OpenFromMemory(const char* name) {
    const size_t index = static_cast<size_t>(std::atoi(name));
    if (index >= g_files.size())
        return SndInvalidHandle();
    std::FILE* f = std::tmpfile();
    std::fwrite(g_files[index].data(), 1, g_files[index].size(), f);
    std::rewind(f);
    return f;
}

bool StartLibrary() {
    plat::SelectBackend(plat::BackendKind::Null);
    if (!zelSound.Init(nullptr, 200))
        return false;
    ZelSound::SetFileOpenFunc(OpenFromMemory);
    // Every format the mixer knows, most of them resampled to the device rate.
    g_files = {LoopedWav(1, 22050, 16), LoopedWav(1, 22050, 8),  LoopedWav(2, 44100, 16),
               LoopedWav(2, 11025, 8),  LoopedWav(2, 22050, 16), LoopedWav(1, 44100, 16),
               LoopedWav(2, 48000, 16), LoopedWav(1, 8000, 8)};
    for (size_t i = 0; i < g_files.size(); ++i) {
        if (!zelSound.LoadSample(std::to_string(i).c_str(), static_cast<uint32_t>(10 + i)))
            return false;
    }
    return true;
}

void PullSecond(std::vector<int16_t>& out) {
    for (int done = 0; done < kRate; done += kDeviceFrames)
        plat::MixNullAudio(out.data(), kDeviceFrames);
}

// 32 voices (each sound of the table four times: the master and three duplicates sharing its
// data), each at its own volume; one iteration is one second of device audio, so its time in
// milliseconds divided by 10 is the share of one core in percent.
void BM_Mix32VoicesOneSecond(benchmark::State& state) {
    std::vector<SNDSample*> voices;
    for (int i = 0; i < 32; ++i) {
        SNDSample* s =
            zelSound.PlaySample(static_cast<uint32_t>(10 + i % 8), 30000 + i * 1000, 0x8000);
        if (s)
            voices.push_back(s);
    }
    if (voices.size() != 32) {
        state.SkipWithError("could not start 32 voices");
        return;
    }
    std::vector<int16_t> out(2 * kDeviceFrames);
    for (auto _ : state) {
        PullSecond(out);
        benchmark::DoNotOptimize(out.data());
    }
    for (SNDSample* s : voices)
        s->StopSample();
    zelSound.FlushSamples();
}
BENCHMARK(BM_Mix32VoicesOneSecond)->Unit(benchmark::kMillisecond);

// Frames of device audio between the PlaySample call and the first frame that carries the
// sound: the call lands between two device buffers, and the sound must be in the very next.
void BM_PlayToFirstSample(benchmark::State& state) {
    std::vector<int16_t> out(2 * kDeviceFrames);
    int64_t worstFrames = 0;
    for (auto _ : state) {
        state.PauseTiming();
        zelSound.FlushSamples();
        plat::MixNullAudio(out.data(), kDeviceFrames);
        state.ResumeTiming();
        SNDSample* s = zelSound.PlaySample(15, 65535, 0x8000); // 44100 Hz mono: no resampling
        state.PauseTiming();
        int64_t frames = 0;
        bool heard = false;
        for (int buffers = 0; buffers < 8 && !heard; ++buffers) {
            plat::MixNullAudio(out.data(), kDeviceFrames);
            for (int i = 0; i < kDeviceFrames && !heard; ++i, ++frames)
                heard = out[2 * i] != 0 || out[2 * i + 1] != 0;
        }
        worstFrames = std::max(worstFrames, frames - 1);
        if (s)
            s->StopSample();
        state.ResumeTiming();
    }
    state.counters["first_sample_frame"] = static_cast<double>(worstFrames);
    // Worst case on a real device: the call just misses a callback (one buffer period), the
    // sound starts at frame `worstFrames` of the next buffer, which is heard after the buffer
    // the device is playing at that moment (one more period).
    state.counters["worst_latency_ms"] =
        1000.0 * static_cast<double>(2 * kDeviceFrames + worstFrames) / kRate;
}
BENCHMARK(BM_PlayToFirstSample)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    if (!StartLibrary()) {
        std::fprintf(stderr, "sound library could not start\n");
        return 1;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    zelSound.Exit();
    return 0;
}
