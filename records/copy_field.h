#pragma once
// Copies into the fixed-size character fields of the records: never more than the field
// holds, always NUL-terminated, whatever the source.
#include <cstddef>
#include <cstring>

namespace records {

inline void CopyField(char* field, size_t fieldSize, const char* source) {
    if (fieldSize == 0)
        return;
    size_t length = source ? strnlen(source, fieldSize - 1) : 0;
    if (length > 0)
        std::memcpy(field, source, length);
    field[length] = '\0';
}

template <size_t N> void CopyField(char (&field)[N], const char* source) {
    CopyField(field, N, source);
}

} // namespace records
