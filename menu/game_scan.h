#pragma once
// The installed games: every sub-folder of the suite folder that holds a "LumoraButton.bmp" is a
// game, and its program is the file named after the folder.
#include <memory>
#include <string>

#include "core/ptr_array.h"
#include "gfx/sprite.h"

constexpr int GAME_FOLDER_SIZE = 256;
constexpr int GAME_PROGRAM_SIZE = 64;
constexpr int GAME_NAME_SIZE = 64;

struct GameRecord {
    char folder[GAME_FOLDER_SIZE] = {};       // full path of the game's folder
    char programFile[GAME_PROGRAM_SIZE] = {}; // the folder's name and the executable suffix
    char name[GAME_NAME_SIZE] = {};           // the folder's name: also the name in uploads
    std::unique_ptr<Sprite> icon;             // one frame: the folder's "LumoraButton.bmp"
};

class GameList {
  public:
    GameList() = default;
    ~GameList();
    GameList(const GameList&) = delete;
    GameList& operator=(const GameList&) = delete;

    // Replaces the list with the games of the current directory, in the order the file system
    // lists them. Hidden and linked folders and names beginning with "." are no games. A game
    // whose paths do not fit the record's fields is left out with a line on standard error:
    // a path is never cut and then used. Returns the number of games.
    int Scan();
    void Clear();
    int Count() const { return records.Count(); }
    GameRecord* Get(int i) const { return records.Get(i); }
    // The first game whose program file begins with `prefix` (case-sensitive), or null.
    GameRecord* FindByProgram(const char* prefix) const;

  private:
    PtrArray<GameRecord> records; // owned
};

// The current directory, whole however long it is; empty when it cannot be read.
std::string CurrentFolder();
