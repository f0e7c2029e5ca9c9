#pragma once
// Little-endian integers appended to a byte image, as BMP and WAV headers store them.
#include <cstdint>
#include <vector>

namespace testing_support {

inline void PutLE(std::vector<uint8_t>& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

} // namespace testing_support
