// 16-bit PCM RIFF WAVE files: a "fmt " chunk of 16 bytes and one "data" chunk.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace artgen {

struct Sound {
    int rate = 22050;
    int channels = 1;
    std::vector<int16_t> samples; // interleaved when stereo
    size_t Frames() const { return channels > 0 ? samples.size() / channels : 0; }
};

std::vector<unsigned char> EncodeWav(const Sound& sound);
bool WriteWav(const std::string& path, const Sound& sound);

} // namespace artgen
