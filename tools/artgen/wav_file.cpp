#include "tools/artgen/wav_file.h"

#include "tools/artgen/byte_io.h"

namespace artgen {

namespace {

void PutTag(std::vector<unsigned char>& out, const char* tag) {
    for (int i = 0; i < 4; ++i) {
        out.push_back(static_cast<unsigned char>(tag[i]));
    }
}

} // namespace

std::vector<unsigned char> EncodeWav(const Sound& sound) {
    const uint32_t dataBytes = static_cast<uint32_t>(sound.samples.size() * 2);
    const uint32_t block = static_cast<uint32_t>(sound.channels * 2);
    std::vector<unsigned char> out;
    out.reserve(44 + dataBytes);
    PutTag(out, "RIFF");
    PutU32(out, 36 + dataBytes);
    PutTag(out, "WAVE");
    PutTag(out, "fmt ");
    PutU32(out, 16);
    PutU16(out, 1);
    PutU16(out, static_cast<uint32_t>(sound.channels));
    PutU32(out, static_cast<uint32_t>(sound.rate));
    PutU32(out, static_cast<uint32_t>(sound.rate) * block);
    PutU16(out, block);
    PutU16(out, 16);
    PutTag(out, "data");
    PutU32(out, dataBytes);
    for (int16_t sample : sound.samples) {
        PutU16(out, static_cast<uint16_t>(sample));
    }
    return out;
}

bool WriteWav(const std::string& path, const Sound& sound) {
    return WriteFileBytes(path, EncodeWav(sound));
}

} // namespace artgen
