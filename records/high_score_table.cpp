#include "records/high_score_table.h"

#include "platform/files.h"
#include "records/copy_field.h"
#include "records/saved.h"

#include <cstdio>
#include <cstring>
#include <new>
#include <vector>

namespace {

constexpr size_t COUNT_BYTES = 4;
constexpr size_t SCORE_BYTES = 4;
constexpr size_t ENTRY_BYTES = HIGH_SCORE_NAME_SIZE + SCORE_BYTES;

void PutLittleEndian(unsigned char* out, int32_t value) {
    uint32_t bits = static_cast<uint32_t>(value);
    for (int i = 0; i < 4; ++i)
        out[i] = static_cast<unsigned char>(bits >> (8 * i));
}

int32_t GetLittleEndian(const unsigned char* in) {
    uint32_t bits = 0;
    for (int i = 0; i < 4; ++i)
        bits |= static_cast<uint32_t>(in[i]) << (8 * i);
    return static_cast<int32_t>(bits);
}

// Reads a 32-bit value; bytes a short file does not supply keep those of `previous`.
int32_t ReadScore(FILE* file, int32_t previous) {
    unsigned char bytes[SCORE_BYTES];
    PutLittleEndian(bytes, previous);
    size_t got = std::fread(bytes, 1, SCORE_BYTES, file);
    (void)got;
    return GetLittleEndian(bytes);
}

const HighScoreEntry emptyEntry{};

} // namespace

void HighScoreTable::Allocate(int newCount) {
    entries.reset();
    count = 0;
    if (newCount <= 0)
        return;
    entries.reset(new (std::nothrow) HighScoreEntry[newCount]());
    if (entries)
        count = newCount;
}

bool HighScoreTable::Load(const char* path) {
    FILE* file = plat::OpenFile(path, "rb");
    if (!file)
        return false;
    unsigned char countBytes[COUNT_BYTES];
    if (std::fread(countBytes, 1, COUNT_BYTES, file) != COUNT_BYTES ||
        GetLittleEndian(countBytes) != count) {
        std::fclose(file);
        return false;
    }
    for (int i = 0; i < count; ++i) {
        HighScoreEntry& entry = entries[i];
        size_t got = std::fread(entry.name, 1, HIGH_SCORE_NAME_SIZE, file);
        (void)got;
        entry.score = ReadScore(file, entry.score);
        // Whatever the file holds, no reader may run past the end of a name.
        entry.name[HIGH_SCORE_NAME_SIZE - 1] = '\0';
    }
    std::fclose(file);
    return true;
}

bool HighScoreTable::Save(const char* path) const {
    // Bytes after a name's NUL are written as zeros, so the file holds nothing but the table.
    std::vector<unsigned char> bytes(COUNT_BYTES + ENTRY_BYTES * static_cast<size_t>(count), 0);
    PutLittleEndian(bytes.data(), count);
    for (int i = 0; i < count; ++i) {
        unsigned char* out = bytes.data() + COUNT_BYTES + ENTRY_BYTES * static_cast<size_t>(i);
        std::memcpy(out, entries[i].name,
                    records::BoundedLength(entries[i].name, HIGH_SCORE_NAME_SIZE - 1));
        PutLittleEndian(out + HIGH_SCORE_NAME_SIZE, entries[i].score);
    }
    return records::Saved(plat::ReplaceFile(path, bytes.data(), bytes.size()), path);
}

bool HighScoreTable::Insert(const char* playerString, int32_t score) {
    int place = 0;
    while (place < count && entries[place].score >= score)
        ++place;
    if (place == count)
        return false;
    for (int i = count - 1; i > place; --i) {
        records::CopyField(entries[i].name, entries[i - 1].name);
        entries[i].score = entries[i - 1].score;
    }
    records::CopyField(entries[place].name, playerString);
    entries[place].score = score;
    return true;
}

int32_t HighScoreTable::TopScore() const {
    return count > 0 ? entries[0].score : 0;
}

const HighScoreEntry& HighScoreTable::Entry(int i) const {
    if (i < 0 || i >= count)
        return emptyEntry;
    return entries[i];
}
