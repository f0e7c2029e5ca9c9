#pragma once
// INI settings read and written one key at a time. Sections and keys match without regard to
// case; a missing file, section or key gives the default; values are cut to the buffer.
#include <cstddef>

namespace plat {

// Copies the value (or the default) into out, cut to size - 1 bytes and NUL-terminated.
// Returns the number of bytes copied, not counting the NUL.
size_t GetProfileString(const char* section, const char* key, const char* defaultValue,
                        char* out, size_t size, const char* path);

// Writes key=value into the section, creating file and section as needed and keeping every
// other line. The file is replaced atomically (temporary file, then rename).
bool WriteProfileString(const char* section, const char* key, const char* value,
                        const char* path);

} // namespace plat
