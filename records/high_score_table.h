#pragma once
// A game's table of its best results, kept in the game folder's "hiscore.dat": a 32-bit count
// followed by the entries, best first, each a 256-byte name and a 32-bit score, little-endian.
#include <cstdint>
#include <memory>

constexpr int HIGH_SCORE_ENTRIES = 20;
constexpr int HIGH_SCORE_NAME_SIZE = 256;

struct HighScoreEntry {
    char name[HIGH_SCORE_NAME_SIZE]; // player string; empty in an unused entry
    int32_t score;
};
static_assert(sizeof(HighScoreEntry) == 260, "an entry is stored as 260 bytes");

class HighScoreTable {
  public:
    // Discards the entries and makes `count` empty ones (empty names, scores 0).
    void Allocate(int count);
    // Reads the file into the allocated entries. False, with the table unchanged, when the
    // file cannot be opened or holds another count; a short file fills what it covers.
    bool Load(const char* path);
    // Writes the whole table; false when the file could not be replaced, which is also told
    // on standard error (the table in memory keeps its results).
    [[nodiscard]] bool Save(const char* path) const;
    // Enters a result below every entry with the same or a better score; false when it is
    // not better than the last entry.
    bool Insert(const char* playerString, int32_t score);
    int32_t TopScore() const;
    // Entry i; an empty entry for an index outside the table.
    const HighScoreEntry& Entry(int i) const;
    int Count() const { return count; }

  private:
    std::unique_ptr<HighScoreEntry[]> entries;
    int32_t count = 0;
};
