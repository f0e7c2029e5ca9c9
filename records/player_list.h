#pragma once
// The suite's players, kept in the shared "options.ini": the current player's index as
// "playerid" of section "setup", and each player's record in a section "Player1" ... "Player8".
// Every read goes to the file again; only the fields below are kept between calls.
#include <cstddef>
#include <string>

constexpr int MAX_PLAYERS = 8;
// name, address, email and send joined by ":" fit a high score entry's name.
constexpr size_t PLAYER_STRING_SIZE = 256;

struct PlayerRecord {
    char name[64];
    char address[64];
    char email[64];
    char send[2]; // "Y" or "N"
};

class PlayerList {
  public:
    // The settings file; while no path is set nothing below touches a file.
    void SetPath(const char* path);
    // Reads "playerid"; a value that is not an index 0 ... 7 counts as 0.
    int ReadCurrent();
    // Writes an index 0 ... 7 as "playerid" and makes it current; others are ignored.
    // Whether the file now holds it: a failed write is also reported on standard error, and
    // the caller tells the player that settings cannot be saved.
    [[nodiscard]] bool WriteCurrent(int index);
    // Reads slot i's four keys, with the defaults for keys that are missing.
    void ReadRecord(int i);
    // Writes a record as slot i's keys, all four in one replacement of the file, so that no
    // crash leaves a record mixed from two writes; slot i then holds what the file holds.
    // Whether the file now holds the record; a failed write is reported as WriteCurrent's.
    [[nodiscard]] bool WriteRecord(int i, const PlayerRecord& record);
    // Reads slot i and writes its player string, cut to `size`, into out.
    void Compose(int i, char* out, size_t size);
    // Makes slot i the default player of its number and writes it at once (see WriteRecord).
    [[nodiscard]] bool ResetRecord(int i);
    // Slot i, to read or to edit in place; a scratch record for an index outside 0 ... 7.
    PlayerRecord& Record(int i);
    int Current() const { return current; }

  private:
    int current = 0;
    PlayerRecord records[MAX_PLAYERS] = {};
    PlayerRecord outside = {};
    std::string iniPath;
};

// The program's one player list.
extern PlayerList playerList;
