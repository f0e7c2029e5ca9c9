#pragma once
// Records, flag bits and file-function types shared by the sound library's classes.
#include <atomic>
#include <cstdint>
#include <cstdio>

#include "platform/audio.h"
#include "platform/sync.h"

// The library's classes are part of each program's exported interface.
#define ZELSOUND_API __attribute__((visibility("default")))

namespace plat {
struct Window;
}

class SNDSample;

// Sound files are read through pluggable functions: an open function hands back a handle that
// reads sequentially and seeks to absolute positions, or SndInvalidHandle().
using SNDFileHandle = std::FILE*;
inline SNDFileHandle SndInvalidHandle() {
    return reinterpret_cast<SNDFileHandle>(~static_cast<uintptr_t>(0));
}
using SNDOpenFileFunc = SNDFileHandle (*)(const char* name);
using SNDCloseFileFunc = void (*)(SNDFileHandle handle);
// Called with the ended stream's ID; may load the next stream.
using SNDNextStreamFunc = void (*)(uint32_t id);

// SNDSample::dwFlags
constexpr uint32_t SNDF_INUSE = 0x1;
constexpr uint32_t SNDF_CLAIMED = 0x2;
constexpr uint32_t SNDF_DUPE = 0x4;
constexpr uint32_t SNDF_LOOPED = 0x8;
constexpr uint32_t SNDF_FORMAT = 0x10;
constexpr uint32_t SNDF_PAUSED = 0x100;
constexpr uint32_t SNDF_NOTIFY = 0x400;
// The completion thread is starting the record as a follower and uses its buffer.
constexpr uint32_t SNDF_STARTING = 0x800;

// _SNDStream::dwFlags
constexpr uint32_t SNDSTREAM_LOADED = 0x1;
constexpr uint32_t SNDSTREAM_PLAYING = 0x2;
constexpr uint32_t SNDSTREAM_LOOP = 0x4;
constexpr uint32_t SNDSTREAM_PAUSED = 0x8;
constexpr uint32_t SNDSTREAM_FILLTHREAD = 0x10;
// Asked to end while its buffer is not playing (paused or never started): no stop position
// will be reached, so the fill thread ends the stream on its own next turn.
constexpr uint32_t SNDSTREAM_ENDING = 0x40000000;
// The fill thread is releasing the stream: calls of the main thread leave it alone.
constexpr uint32_t SNDSTREAM_CLOSING = 0x20000000;
constexpr uint32_t SNDSTREAM_PRIMED = 0x80000000;

constexpr int SND_STREAM_SEGMENTS = 8;
constexpr int SND_STREAM_EVENTS = SND_STREAM_SEGMENTS + 1;

// What a status query gives for a sample without a buffer (the platform's "invalid argument").
constexpr long SND_STATUS_INVALID = static_cast<long>(static_cast<int32_t>(0x80070057));

struct _ChunkHeader {
    uint32_t dwID;
    uint32_t dwSize;
};

constexpr uint32_t SndFourCC(char a, char b, char c, char d) {
    return static_cast<uint32_t>(static_cast<uint8_t>(a)) |
           static_cast<uint32_t>(static_cast<uint8_t>(b)) << 8 |
           static_cast<uint32_t>(static_cast<uint8_t>(c)) << 16 |
           static_cast<uint32_t>(static_cast<uint8_t>(d)) << 24;
}

// A position-notify record whose two words may be written by the main and completion threads.
struct _SNDNotify {
    std::atomic<uint32_t> dwOffset{0};
    std::atomic<plat::Event*> hEvent{nullptr};
};

// A completion slot: its event reports the stop of pSample; null pSample = free.
struct _SNDEvent {
    plat::Event* hEvent = nullptr;
    std::atomic<SNDSample*> pSample{nullptr};
};

struct _SNDStream {
    std::atomic<uint32_t> dwFlags{0};
    std::atomic<SNDFileHandle> hFile{nullptr};
    std::atomic<uint32_t> dwDataStart{0};
    std::atomic<uint32_t> dwSegmentSize{0};
    std::atomic<uint32_t> dwBufferSize{0};
    std::atomic<uint32_t> dwBytesLeft{0};
    // Silent segments written after a non-looping track's last data; at seven the segment that
    // held the last data has been heard and the buffer can stop.
    std::atomic<uint32_t> dwSilentSegments{0};
    std::atomic<SNDSample*> pSample{nullptr};
    std::atomic<SNDNextStreamFunc> pNextFunc{nullptr};
    std::atomic<plat::SoundBuffer*> lpNotify{nullptr}; // the buffer whose positions are set
    plat::NotifyPosition Positions[SND_STREAM_EVENTS] = {};
};
