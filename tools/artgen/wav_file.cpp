#include "tools/artgen/wav_file.h"

#include <cstring>

#include "tools/artgen/byte_io.h"

namespace artgen {

namespace {

void PutTag(std::vector<unsigned char>& out, const char* tag) {
    for (int i = 0; i < 4; ++i) {
        out.push_back(static_cast<unsigned char>(tag[i]));
    }
}

bool TagAt(const std::vector<unsigned char>& in, size_t at, const char* tag) {
    return at + 4 <= in.size() && std::memcmp(in.data() + at, tag, 4) == 0;
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

bool DecodeWav(const std::vector<unsigned char>& bytes, Sound& sound) {
    if (!TagAt(bytes, 0, "RIFF") || !TagAt(bytes, 8, "WAVE")) {
        return false;
    }
    bool haveFormat = false;
    size_t at = 12;
    while (at + 8 <= bytes.size()) {
        uint32_t size = GetU32(bytes, at + 4);
        size_t body = at + 8;
        if (size > bytes.size() - body) {
            return false;
        }
        if (TagAt(bytes, at, "fmt ")) {
            if (size < 16 || GetU16(bytes, body) != 1 || GetU16(bytes, body + 14) != 16) {
                return false;
            }
            sound.channels = static_cast<int>(GetU16(bytes, body + 2));
            sound.rate = static_cast<int>(GetU32(bytes, body + 4));
            haveFormat = sound.channels == 1 || sound.channels == 2;
        } else if (TagAt(bytes, at, "data")) {
            if (!haveFormat) {
                return false;
            }
            sound.samples.resize(size / 2);
            for (size_t i = 0; i < sound.samples.size(); ++i) {
                sound.samples[i] = static_cast<int16_t>(GetU16(bytes, body + i * 2));
            }
            return true;
        }
        at = body + size;
    }
    return false;
}

bool WriteWav(const std::string& path, const Sound& sound) {
    return WriteFileBytes(path, EncodeWav(sound));
}

bool ReadWav(const std::string& path, Sound& sound) {
    std::vector<unsigned char> bytes;
    return ReadFileBytes(path, bytes) && DecodeWav(bytes, sound);
}

} // namespace artgen
