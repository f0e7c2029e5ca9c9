#include "artgen/generated_suite.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <map>
#include <memory>
#include <vector>

#include "tools/artgen/assets.h"
#include "tools/artgen/bmp_file.h"
#include "tools/artgen/sounds.h"

namespace artgen_test {

namespace {

namespace fs = std::filesystem;

struct Cleanup {
    explicit Cleanup(fs::path dir) : path(std::move(dir)) {}
    Cleanup(const Cleanup&) = delete;
    Cleanup& operator=(const Cleanup&) = delete;
    fs::path path;
    ~Cleanup() {
        std::error_code code;
        fs::remove_all(path, code);
    }
};

const fs::path& Root() {
    static const fs::path root = FreshTempDir("files");
    return root;
}

fs::path PrepareFile(const std::string& path) {
    fs::path file = Root() / path;
    fs::create_directories(file.parent_path());
    return file;
}

} // namespace

fs::path GeneratedFile(const std::string& path) {
    return Root() / path;
}

fs::path FreshTempDir(const std::string& name) {
    static std::vector<std::unique_ptr<Cleanup>> cleanups;
    fs::path dir = fs::temp_directory_path() / ("artgen_" + name + "_" + std::to_string(getpid()) +
                                                "_" + std::to_string(cleanups.size()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    cleanups.push_back(std::make_unique<Cleanup>(dir));
    return dir;
}

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
