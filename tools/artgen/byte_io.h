// Little-endian packing and whole-file writing shared by the file writers.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace artgen {

void PutU16(std::vector<unsigned char>& out, uint32_t value);
void PutU32(std::vector<unsigned char>& out, uint32_t value);

bool WriteFileBytes(const std::string& path, const std::vector<unsigned char>& bytes);

} // namespace artgen
