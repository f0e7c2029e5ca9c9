// Reading RIFF WAVE headers: the format, an optional sampler loop and the size of the sound
// data, leaving the file at the first data byte so the data can be read straight into a
// sound buffer. Positions are absolute positions of the handle.
#include "sound/zel_sound.h"

#include "platform/files.h"

#include <cerrno>
#include <cstring>

namespace {
// More sound data than any effect or music track of the suite holds (about 25 minutes of
// 44.1 kHz 16-bit stereo); a larger claim is a damaged file, not a reason to allocate.
constexpr uint32_t kMaxDataBytes = 256u * 1024 * 1024;

uint32_t ReadLE32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
           static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}
uint16_t ReadLE16(const uint8_t* p) {
    return static_cast<uint16_t>(p[0] | p[1] << 8);
}

bool ReadExactly(SNDFileHandle file, void* out, size_t bytes) {
    return std::fread(out, 1, bytes, file) == bytes;
}

// Bytes from the current position to the end of the file, or -1 when it cannot be told.
long long BytesToEnd(SNDFileHandle file) {
    const long here = std::ftell(file);
    if (here < 0 || std::fseek(file, 0, SEEK_END) != 0)
        return -1;
    const long end = std::ftell(file);
    if (std::fseek(file, here, SEEK_SET) != 0 || end < here)
        return -1;
    return end - here;
}
} // namespace

SNDFileHandle SNDSample::OpenSoundFile(const char* name) {
    errno = 0;
    SNDFileHandle file = ZelSound::g_pOpenFile.load()(name);
    if (!file || file == SndInvalidHandle()) {
        plat::ReportFileFailure("load sound", name,
                                errno ? plat::FileErrorText(errno) : "cannot be opened");
        return SndInvalidHandle();
    }
    if (!IsWavFile(file)) {
        ZelSound::g_pCloseFile.load()(file);
        plat::ReportFileFailure("load sound", name, "not a PCM WAV sound, or damaged");
        return SndInvalidHandle();
    }
    return file;
}

int SNDSample::FindRiffChunk(SNDFileHandle file, uint32_t chunkId, _ChunkHeader* header,
                             uint32_t start) {
    if (std::fseek(file, static_cast<long>(start), SEEK_SET) != 0)
        return 0;
    for (;;) {
        uint8_t raw[8];
        if (!ReadExactly(file, raw, 8))
            return 0;
        header->dwID = ReadLE32(raw);
        header->dwSize = ReadLE32(raw + 4);
        if (header->dwID == chunkId)
            return 1;
        // An odd-sized body is followed by one pad byte, so every chunk starts at an even offset.
        const long long skip = static_cast<long long>(header->dwSize) + (header->dwSize & 1);
        if (std::fseek(file, static_cast<long>(skip), SEEK_CUR) != 0)
            return 0;
    }
}

int SNDSample::IsWavFile(SNDFileHandle file) {
    uint8_t riff[12];
    if (!ReadExactly(file, riff, 12) || std::memcmp(riff, "RIFF", 4) != 0 ||
        std::memcmp(riff + 8, "WAVE", 4) != 0)
        return 0;
    const long afterHeader = std::ftell(file);
    if (afterHeader < 0)
        return 0;
    const uint32_t p = static_cast<uint32_t>(afterHeader);

    _ChunkHeader chunk;
    if (!FindRiffChunk(file, SndFourCC('f', 'm', 't', ' '), &chunk, p))
        return 0;
    uint8_t fmt[20];
    if (!ReadExactly(file, fmt, 20) || ReadLE16(fmt) != 1)
        return 0;
    dwChannels = ReadLE16(fmt + 2);
    dwFrequency = ReadLE32(fmt + 4);
    dwBitsPerSample = ReadLE16(fmt + 14);
    dwFlags |= SNDF_FORMAT;
    const uint32_t block = dwBitsPerSample * dwChannels / 8;
    if (dwChannels == 0 || dwFrequency == 0 || block == 0)
        return 0;

    if (FindRiffChunk(file, SndFourCC('s', 'm', 'p', 'l'), &chunk, p)) {
        uint8_t smpl[36];
        uint8_t loop[24];
        if (ReadExactly(file, smpl, 36) && ReadLE32(smpl + 28) != 0 &&
            ReadExactly(file, loop, 24)) {
            dwLoopStart = ReadLE32(loop + 8) * block;
            dwLoopEnd = ReadLE32(loop + 12) * block;
            dwLoopPlayCount = ReadLE32(loop + 20);
            dwFlags |= SNDF_LOOPED;
        }
    }

    if (!FindRiffChunk(file, SndFourCC('d', 'a', 't', 'a'), &chunk, p))
        return 0;
    const long long available = BytesToEnd(file);
    if (chunk.dwSize > kMaxDataBytes || available < 0 || chunk.dwSize > available)
        return 0;
    dwDataSize = chunk.dwSize;
    return 1;
}
