// Little-endian packing and whole-file reading and writing shared by the file writers.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace artgen {

void PutU16(std::vector<unsigned char>& out, uint32_t value);
void PutU32(std::vector<unsigned char>& out, uint32_t value);
uint32_t GetU16(const std::vector<unsigned char>& in, size_t at);
uint32_t GetU32(const std::vector<unsigned char>& in, size_t at);

bool WriteFileBytes(const std::string& path, const std::vector<unsigned char>& bytes);
bool ReadFileBytes(const std::string& path, std::vector<unsigned char>& bytes);

} // namespace artgen
