#include "menu/game_scan.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "platform/files.h"

namespace {

constexpr char ICON_FILE[] = "LumoraButton.bmp";

bool Fits(const std::string& text, size_t fieldSize) {
    return text.size() < fieldSize;
}

bool IsReadable(const std::string& path) {
    FILE* file = plat::OpenFile(path.c_str(), "rb");
    if (!file)
        return false;
    std::fclose(file);
    return true;
}

} // namespace

std::string CurrentFolder() {
    std::vector<char> buffer(4096);
    for (;;) {
        if (!plat::GetCurrentDir(buffer.data(), buffer.size()))
            return std::string();
        if (std::strlen(buffer.data()) + 1 < buffer.size())
            return std::string(buffer.data());
        buffer.resize(buffer.size() * 2); // it may have been cut: ask again with more room
    }
}

GameList::~GameList() {
    Clear();
}

void GameList::Clear() {
    while (GameRecord* record = records.Get(records.Count() - 1)) {
        records.Remove(record);
        delete record;
    }
}

int GameList::Scan() {
    Clear();
    const std::string suite = CurrentFolder();
    std::vector<plat::DirEntry> entries;
    if (suite.empty() || !plat::ListDirectory(suite.c_str(), &entries))
        return 0;
    for (const plat::DirEntry& entry : entries) {
        // Exactly a folder: a hidden one or a link to one is not a game.
        if (entry.attributes != plat::ATTR_DIRECTORY || entry.name[0] == '.')
            continue;
        const std::string folder = suite + "/" + entry.name;
        const std::string icon = folder + "/" + ICON_FILE;
        const std::string program = entry.name + plat::ExecutableSuffix();
        if (!IsReadable(icon))
            continue;
        if (!Fits(folder, GAME_FOLDER_SIZE) || !Fits(icon, GAME_FOLDER_SIZE) ||
            !Fits(program, GAME_PROGRAM_SIZE) || !Fits(entry.name, GAME_NAME_SIZE)) {
            std::fprintf(stderr,
                         "Lumora: the game in \"%s\" is left out: its name or path is "
                         "too long\n",
                         folder.c_str());
            continue;
        }
        auto* record = new GameRecord;
        std::memcpy(record->folder, folder.c_str(), folder.size() + 1);
        std::memcpy(record->programFile, program.c_str(), program.size() + 1);
        std::memcpy(record->name, entry.name.c_str(), entry.name.size() + 1);
        record->icon = std::make_unique<Sprite>();
        record->icon->AddFrameFromFile(icon.c_str());
        records.Add(record);
    }
    return Count();
}

GameRecord* GameList::FindByProgram(const char* prefix) const {
    if (!prefix)
        return nullptr;
    const size_t length = std::strlen(prefix);
    for (int i = 0; i < records.Count(); ++i) {
        if (std::strncmp(records.Get(i)->programFile, prefix, length) == 0)
            return records.Get(i);
    }
    return nullptr;
}
