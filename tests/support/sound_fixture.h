#pragma once
// The sound library on the null backend's in-memory device (44100 Hz): sound files served by
// name from memory through the library's file hooks, audio pulled as the device's callback
// would, and a thread that keeps pulling so that the library's own threads run as in the
// programs.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <functional>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "platform/audio.h"
#include "platform/backend.h"
#include "platform/sync.h"
#include "sound/zel_sound.h"
#include "support/wav_image.h"

namespace testing_support {

// Files served by name; every handle given out must come back closed.
struct MemoryFiles {
    static inline std::map<std::string, Bytes> store;
    static inline std::atomic<int> open{0};

    static void Install() {
        store.clear();
        open = 0;
        ZelSound::SetFileOpenFunc(Open);
        ZelSound::SetFileCloseFunc(Close);
    }
    static SNDFileHandle Open(const char* name) {
        auto it = store.find(name);
        std::FILE* f =
            it == store.end() ? nullptr : fmemopen(it->second.data(), it->second.size(), "rb");
        if (!f)
            return SndInvalidHandle();
        ++open;
        return f;
    }
    static void Close(SNDFileHandle f) {
        if (f && f != SndInvalidHandle()) {
            --open;
            std::fclose(f);
        }
    }
};

inline bool WaitUntil(const std::function<bool()>& done, int timeoutMs = 3000) {
    for (int waited = 0; waited < timeoutMs && !done(); ++waited)
        plat::SleepMs(1);
    return done();
}

// Stereo frames from the device, as its callback would take them.
inline std::vector<int16_t> Pull(int frames) {
    std::vector<int16_t> out(static_cast<size_t>(frames) * 2);
    EXPECT_EQ(plat::MixNullAudio(out.data(), frames), frames);
    return out;
}

class SoundTest : public ::testing::Test {
  protected:
    virtual int Init() { return zelSound.Init(nullptr, 200); }
    void SetUp() override {
        plat::SelectBackend(plat::BackendKind::Null);
        ASSERT_EQ(Init(), 1);
        MemoryFiles::Install();
    }
    void TearDown() override {
        ZelSound::ClearStreamNextStreamFunc();
        zelSound.Exit();
        EXPECT_EQ(ZelSound::g_nCallBackThreadActive.load(), 0);
        EXPECT_EQ(ZelSound::g_FillThread.load(), nullptr);
        EXPECT_EQ(MemoryFiles::open.load(), 0) << "a sound file was left open";
        ZelSound::SetFileOpenFunc(nullptr);
        ZelSound::SetFileCloseFunc(nullptr);
    }
    // Loads a constant-level mono sound under an ID: mixed alone at full volume, its level.
    static void LoadConstant(uint32_t id, int16_t value, int frames) {
        const std::string name = std::to_string(id) + ".wav";
        MemoryFiles::store[name] = ConstantWav(value, frames);
        ASSERT_EQ(zelSound.LoadSample(name.c_str(), id), 1);
    }
    // Slots holding a record whose flags have all of `bits`.
    static int Slots(uint32_t bits = SNDF_INUSE) {
        int n = 0;
        for (SNDSample* s = ZelSound::g_SampleList; s < ZelSound::g_pEndSample.load(); ++s)
            n += (s->dwFlags & bits) == bits ? 1 : 0;
        return n;
    }
};

// Pulls 512 frames at a time with `pauseMs` between pulls: 6 is about twice real time, 0 as
// fast as it goes.
class MixerThread {
  public:
    explicit MixerThread(int pauseMs = 6) : pause(pauseMs), thread([this] { Run(); }) {}
    ~MixerThread() { Stop(); }
    void Stop() {
        running = false;
        if (thread.joinable())
            thread.join();
    }
    std::atomic<long> frames{0};
    std::atomic<long> loudSamples{0};

  private:
    void Run() {
        std::vector<int16_t> out(2 * 512);
        while (running) {
            const int got = plat::MixNullAudio(out.data(), 512);
            loudSamples +=
                std::count_if(out.begin(), out.begin() + 2 * got, [](int16_t v) { return v != 0; });
            frames += got;
            if (pause > 0)
                plat::SleepMs(pause);
            else
                std::this_thread::yield();
        }
    }
    const int pause;
    std::atomic<bool> running{true};
    std::thread thread;
};

} // namespace testing_support
