#pragma once
// INI settings read and written by key. Sections and keys match without regard to case; a
// missing file, section or key gives the default; values are cut to the buffer. Only regular
// files of at most MAX_PROFILE_BYTES are read: anything else reads as a missing file.
#include <cstddef>

namespace plat {

constexpr size_t MAX_PROFILE_BYTES = 1024 * 1024;

// Copies the value (or the default) into out, cut to size - 1 bytes and NUL-terminated.
// Returns the number of bytes copied, not counting the NUL.
size_t GetProfileString(const char* section, const char* key, const char* defaultValue, char* out,
                        size_t size, const char* path);

// The value's leading decimal number ("7th" reads as 7, "+3" as 3). The default when the key
// is missing, when the value does not begin with a number, or when the number lies outside
// minimum ... maximum, however many digits it has.
int GetProfileInt(const char* section, const char* key, int defaultValue, int minimum, int maximum,
                  const char* path);

struct ProfileValue {
    const char* key;
    const char* value;
};

// Writes key=value into the section, creating file and section as needed and keeping every
// other line. The file is replaced atomically (temporary file, then rename). False, with errno
// telling why (EINVAL for a name that cannot be written), when the file was not written.
bool WriteProfileString(const char* section, const char* key, const char* value, const char* path);
// Writes several keys of one section in one replacement of the file, so that a crash leaves
// all of them or none; the file ends up as the writes one by one, in order, would leave it.
// Nothing is written when any name cannot be.
bool WriteProfileStrings(const char* section, const ProfileValue* values, size_t count,
                         const char* path);

} // namespace plat
