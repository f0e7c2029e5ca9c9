#include "artgen/generated_suite.h"

#include <gtest/gtest.h>

#include <map>

#include "support/temp_dir.h"
#include "tools/artgen/assets.h"
#include "tools/artgen/bmp_file.h"
#include "tools/artgen/sounds.h"

namespace artgen_test {

namespace fs = std::filesystem;

fs::path GeneratedFile(const std::string& path) {
    static testing_support::TempDir root;
    return root.path() / path;
}

namespace {

fs::path PrepareFile(const std::string& path) {
    fs::path file = GeneratedFile(path);
    fs::create_directories(file.parent_path());
    return file;
}

} // namespace

const artgen::Picture& GeneratedPicture(const std::string& path) {
    static artgen::ArtContext context;
    static std::map<std::string, artgen::Picture> cache;
    auto found = cache.find(path);
    if (found != cache.end()) {
        return found->second;
    }
    const artgen::PictureEntry& entry = artgen::FindPictureEntry(path);
    fs::path file = PrepareFile(path);
    EXPECT_TRUE(artgen::WriteBmp(file.string(), entry.paint(entry, context))) << path;
    artgen::Picture picture;
    EXPECT_TRUE(artgen::ReadBmp(file.string(), picture)) << path;
    return cache[path] = picture;
}

const artgen::Sound& GeneratedSound(const std::string& path) {
    static std::map<std::string, artgen::Sound> cache;
    auto found = cache.find(path);
    if (found != cache.end()) {
        return found->second;
    }
    artgen::Sound sound;
    for (const artgen::SoundEntry& entry : artgen::AllSounds()) {
        if (path == entry.path) {
            fs::path file = PrepareFile(path);
            EXPECT_TRUE(artgen::WriteWav(file.string(), entry.make())) << path;
            EXPECT_TRUE(artgen::ReadWav(file.string(), sound)) << path;
        }
    }
    EXPECT_FALSE(sound.samples.empty()) << path;
    return cache[path] = sound;
}

} // namespace artgen_test
