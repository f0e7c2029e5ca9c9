#pragma once
#include <cstdint>

namespace plat {
// Milliseconds of a steady clock (the Windows tick count's stand-in); wraps like a 32-bit count.
uint32_t GetTickCount();
} // namespace plat
