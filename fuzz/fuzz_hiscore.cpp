// Loads a high score table from arbitrary bytes; every name must end inside its field, and a
// table that loaded must save and load again to the same entries.
#include "records/high_score_table.h"
#include "scratch_folder.h"

#include <cstdint>
#include <cstring>
#include <fstream>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const ScratchFolder folder("fuzz-hiscore-");
    static const std::string input = folder.File("hiscore.dat");
    static const std::string copy = folder.File("copy.dat");
    {
        std::ofstream out(input, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    HighScoreTable table;
    table.Allocate(HIGH_SCORE_ENTRIES);
    bool loaded = table.Load(input.c_str());
    for (int i = 0; i < table.Count(); ++i) {
        if (strnlen(table.Entry(i).name, HIGH_SCORE_NAME_SIZE) >= HIGH_SCORE_NAME_SIZE)
            __builtin_trap();
    }
    if (loaded) {
        if (!table.Save(copy.c_str()))
            __builtin_trap();
        HighScoreTable again;
        again.Allocate(HIGH_SCORE_ENTRIES);
        if (!again.Load(copy.c_str()))
            __builtin_trap();
        for (int i = 0; i < table.Count(); ++i) {
            if (std::strcmp(table.Entry(i).name, again.Entry(i).name) != 0 ||
                table.Entry(i).score != again.Entry(i).score)
                __builtin_trap();
        }
    }
    std::string player(reinterpret_cast<const char*>(data), size);
    table.Insert(player.c_str(), size > 0 ? data[0] : 0);
    return 0;
}
