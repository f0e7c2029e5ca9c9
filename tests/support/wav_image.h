#pragma once
// RIFF WAVE images built in memory, chunk by chunk, so that tests can make plain, damaged and
// unusual sound files alike.
#include <cstdint>
#include <utility>
#include <vector>

#include "support/little_endian.h"

namespace testing_support {

using Bytes = std::vector<uint8_t>;

// A chunk whose header claims `claimedSize` bytes, or the body's own size.
inline Bytes Chunk(const char* id, const Bytes& body, uint32_t claimedSize = 0xFFFFFFFF) {
    Bytes b(id, id + 4);
    PutLE(b, claimedSize == 0xFFFFFFFF ? static_cast<uint32_t>(body.size()) : claimedSize, 4);
    b.insert(b.end(), body.begin(), body.end());
    return b;
}

struct Format {
    uint16_t channels = 1;
    uint32_t rate = 44100;
    uint16_t bits = 16;
    uint16_t tag = 1; // PCM
};

// A "fmt " body of the usual 16 bytes: tag, channels, rate, bytes a second, block, bits.
inline Bytes FmtBody(const Format& f) {
    const uint32_t block = f.channels * f.bits / 8u;
    const std::pair<uint32_t, int> fields[] = {{f.tag, 2},          {f.channels, 2}, {f.rate, 4},
                                               {f.rate * block, 4}, {block, 2},      {f.bits, 2}};
    Bytes b;
    for (const auto& [value, size] : fields)
        PutLE(b, value, size);
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

// Mono 16-bit at 44100 Hz holding one constant value.
inline Bytes ConstantWav(int16_t value, int frames) {
    Bytes pcm;
    for (int i = 0; i < frames; ++i)
        PutLE(pcm, static_cast<uint16_t>(value), 2);
    return Wav(Format{}, pcm);
}

// A "smpl" body with one loop from frame `start` to frame `end`: the sampler data, then the
// loop's identifier, type, start, end, fraction and play count.
inline Bytes SmplBody(uint32_t start, uint32_t end) {
    Bytes b(28, 0);
    for (uint32_t field : {1u, 0u, 0u, 0u, start, end, 0u, 0u})
        PutLE(b, field, 4);
    return b;
}

} // namespace testing_support
