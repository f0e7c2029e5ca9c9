#pragma once
// WAV images built in memory, served to the sound library by name through its file-open hook,
// and a fixture that runs the library on the null backend's in-memory device (44100 Hz).
#include <atomic>
#include <cstdint>
#include <cstring>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <string>
#include <vector>

#include "platform/backend.h"
#include "platform/sync.h"
#include "sound/zel_sound.h"

namespace soundtest {

using Bytes = std::vector<uint8_t>;

inline void Put16(Bytes& b, uint32_t v) {
    b.push_back(static_cast<uint8_t>(v));
    b.push_back(static_cast<uint8_t>(v >> 8));
}
inline void Put32(Bytes& b, uint32_t v) {
    Put16(b, v & 0xFFFF);
    Put16(b, v >> 16);
}

inline Bytes Chunk(const char* id, const Bytes& body, uint32_t claimedSize = 0xFFFFFFFF) {
    Bytes b(id, id + 4);
    Put32(b, claimedSize == 0xFFFFFFFF ? static_cast<uint32_t>(body.size()) : claimedSize);
    b.insert(b.end(), body.begin(), body.end());
    return b;
}

struct Format {
    uint16_t channels = 1;
    uint32_t rate = 44100;
    uint16_t bits = 16;
    uint16_t tag = 1;
};

// A "fmt " body of 16 bytes (the usual PCM size) or 18 (with the extension size).
inline Bytes FmtBody(const Format& f, int size = 16) {
    Bytes b;
    const uint16_t block = static_cast<uint16_t>(f.channels * f.bits / 8);
    Put16(b, f.tag);
    Put16(b, f.channels);
    Put32(b, f.rate);
    Put32(b, f.rate * block);
    Put16(b, block);
    Put16(b, f.bits);
    if (size > 16)
        Put16(b, 0);
    return b;
}

inline Bytes Riff(const std::vector<Bytes>& chunks, const char* form = "WAVE") {
    Bytes body(form, form + 4);
    for (const Bytes& c : chunks)
        body.insert(body.end(), c.begin(), c.end());
    return Chunk("RIFF", body);
}

inline Bytes Wav(const Format& f, const Bytes& pcm) {
    return Riff({Chunk("fmt ", FmtBody(f)), Chunk("data", pcm)});
}

inline Bytes Pcm16(const std::vector<int16_t>& samples) {
    Bytes b;
    for (int16_t s : samples)
        Put16(b, static_cast<uint16_t>(s));
    return b;
}

// Mono 16-bit at the device rate holding one constant value: its mixed level is that value.
inline Bytes ConstantWav(int16_t value, int frames) {
    return Wav(Format{}, Pcm16(std::vector<int16_t>(frames, value)));
}

// A "smpl" body with one loop from frame `start` to frame `end`.
inline Bytes SmplBody(uint32_t start, uint32_t end) {
    Bytes b(28, 0);
    Put32(b, 1); // loop count
    Put32(b, 0); // sampler data
    Put32(b, 0); // identifier
    Put32(b, 0); // type
    Put32(b, start);
    Put32(b, end);
    Put32(b, 0); // fraction
    Put32(b, 0); // play count
    return b;
}

// Files served by name; every handle given out must come back closed.
class MemoryFiles {
  public:
    static std::map<std::string, Bytes>& Store() {
        static std::map<std::string, Bytes> files;
        return files;
    }
    static std::atomic<int>& Open() {
        static std::atomic<int> open{0};
        return open;
    }
    static void Add(const std::string& name, const Bytes& bytes) { Store()[name] = bytes; }
    static SNDFileHandle OpenFile(const char* name) {
        auto it = Store().find(name);
        if (it == Store().end())
            return SndInvalidHandle();
        std::FILE* f = std::tmpfile();
        if (!f)
            return SndInvalidHandle();
        std::fwrite(it->second.data(), 1, it->second.size(), f);
        std::rewind(f);
        ++Open();
        return f;
    }
    static void CloseFile(SNDFileHandle f) {
        if (f && f != SndInvalidHandle()) {
            --Open();
            std::fclose(f);
        }
    }
};

inline bool WaitUntil(const std::function<bool()>& done, int timeoutMs = 3000) {
    for (int waited = 0; waited < timeoutMs; ++waited) {
        if (done())
            return true;
        plat::SleepMs(1);
    }
    return done();
}

inline std::vector<int16_t> Pull(int frames) {
    std::vector<int16_t> out(static_cast<size_t>(frames) * 2);
    EXPECT_EQ(plat::MixNullAudio(out.data(), frames), frames);
    return out;
}

class SoundTest : public ::testing::Test {
  protected:
    virtual int SampleCount() const { return 200; }
    void SetUp() override {
        plat::SelectBackend(plat::BackendKind::Null);
        MemoryFiles::Store().clear();
        MemoryFiles::Open() = 0;
        ASSERT_EQ(zelSound.Init(nullptr, SampleCount()), 1);
        ZelSound::SetFileOpenFunc(MemoryFiles::OpenFile);
        ZelSound::SetFileCloseFunc(MemoryFiles::CloseFile);
    }
    void TearDown() override {
        ZelSound::ClearStreamNextStreamFunc();
        zelSound.Exit();
        EXPECT_EQ(ZelSound::g_nCallBackThreadActive.load(), 0);
        EXPECT_EQ(ZelSound::g_FillThread.load(), nullptr);
        EXPECT_EQ(MemoryFiles::Open().load(), 0) << "a sound file was left open";
        ZelSound::SetFileOpenFunc(nullptr);
        ZelSound::SetFileCloseFunc(nullptr);
    }
    // Loads a constant-level mono sound under an ID.
    void LoadConstant(uint32_t id, int16_t value, int frames) {
        const std::string name = "s" + std::to_string(id) + ".wav";
        MemoryFiles::Add(name, ConstantWav(value, frames));
        ASSERT_EQ(zelSound.LoadSample(name.c_str(), id), 1);
    }
    static int InUseSlots() {
        int n = 0;
        for (SNDSample* s = ZelSound::g_SampleList; s < ZelSound::g_pEndSample.load(); ++s)
            n += (s->dwFlags & SNDF_INUSE) ? 1 : 0;
        return n;
    }
};

} // namespace soundtest
