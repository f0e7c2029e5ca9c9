#include "tools/artgen/suite_writer.h"

#include <filesystem>
#include <fstream>

#include "tools/artgen/assets.h"
#include "tools/artgen/bmp_file.h"
#include "tools/artgen/sounds.h"
#include "tools/artgen/wav_file.h"

namespace artgen {

namespace {

namespace fs = std::filesystem;

const struct {
    const char* path;
    const char* text;
} kSettings[] = {
    // The web site and the score server: both where the suite's own server listens by default.
    {"setup.ini", "[setup]\nfullscreen=0\n\n[suite]\nwebsite=http://127.0.0.1:8080\n"
                  "scoreserver=http://127.0.0.1:8080\n"},
    {"Kestrin/setup.ini", "[setup]\nfullscreen=0\n\n[default]\ngametime=154\n"},
};

bool MakeParent(const fs::path& file, std::string& error) {
    std::error_code code;
    fs::create_directories(file.parent_path(), code);
    if (code) {
        error = "cannot create " + file.parent_path().string() + ": " + code.message();
        return false;
    }
    return true;
}

} // namespace

std::map<std::string, Picture> RenderAllPictures() {
    ArtContext context;
    std::map<std::string, Picture> pictures;
    for (const PictureEntry& entry : AllPictures()) {
        pictures[entry.path] = entry.paint(entry, context);
    }
    return pictures;
}

bool GenerateSuite(const std::string& outDir, std::string& error) {
    const fs::path root(outDir);
    // Every folder first, so that a blocked path fails before any work is done.
    for (const PictureEntry& entry : AllPictures()) {
        if (!MakeParent(root / entry.path, error)) {
            return false;
        }
    }
    for (const SoundEntry& entry : AllSounds()) {
        if (!MakeParent(root / entry.path, error)) {
            return false;
        }
    }
    for (const auto& [path, picture] : RenderAllPictures()) {
        fs::path file = root / path;
        if (!WriteBmp(file.string(), picture)) {
            error = "cannot write " + file.string();
            return false;
        }
    }
    for (const SoundEntry& entry : AllSounds()) {
        fs::path file = root / entry.path;
        if (!WriteWav(file.string(), entry.make())) {
            error = "cannot write " + file.string();
            return false;
        }
    }
    // The settings are the player's once they exist (full screen, game time): a rebuild keeps them.
    for (const auto& setting : kSettings) {
        fs::path file = root / setting.path;
        if (fs::exists(file)) {
            continue;
        }
        if (!MakeParent(file, error)) {
            return false;
        }
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        out << setting.text;
        if (!out) {
            error = "cannot write " + file.string();
            return false;
        }
    }
    return true;
}

} // namespace artgen
