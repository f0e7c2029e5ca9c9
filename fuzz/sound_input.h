#pragma once
// The sound library on the in-memory device, opening every file as the fuzzer's current input.
#include <cstddef>
#include <cstdint>
#include <cstdio>

#include "platform/backend.h"
#include "sound/zel_sound.h"

class SoundInput {
  public:
    // Starts the library once per process; false when it cannot start.
    static bool Start() {
        static const bool started = [] {
            plat::SelectBackend(plat::BackendKind::Null);
            if (!zelSound.Init(nullptr, 4))
                return false;
            ZelSound::SetFileOpenFunc(Open);
            return true;
        }();
        return started;
    }
    // What the next file opened holds.
    static void Set(const uint8_t* data, size_t size) {
        data_ = data;
        size_ = size;
    }

  private:
    static SNDFileHandle Open(const char*) {
        std::FILE* f = std::tmpfile();
        if (!f)
            return SndInvalidHandle();
        if (size_)
            std::fwrite(data_, 1, size_, f);
        std::rewind(f);
        return f;
    }
    static inline const uint8_t* data_ = nullptr;
    static inline size_t size_ = 0;
};
