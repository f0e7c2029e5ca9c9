#pragma once
// Copies into the fixed-size character fields of the records: never more than the field
// holds, always NUL-terminated, whatever the source.
#include <cstddef>
#include <cstring>

namespace records {

// Length of a string that may lack its NUL within `limit` bytes (memchr stops at the first
// match, so a shorter string is not read past its end).
inline size_t BoundedLength(const char* text, size_t limit) {
    const void* end = std::memchr(text, '\0', limit);
    return end ? static_cast<size_t>(static_cast<const char*>(end) - text) : limit;
}

inline void CopyField(char* field, size_t fieldSize, const char* source) {
    if (fieldSize == 0)
        return;
    size_t length = source ? BoundedLength(source, fieldSize - 1) : 0;
    if (length > 0)
        std::memcpy(field, source, length);
    field[length] = '\0';
}

template <size_t N> void CopyField(char (&field)[N], const char* source) {
    CopyField(field, N, source);
}

} // namespace records
