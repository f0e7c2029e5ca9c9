// The suite folder as a whole: every file in its place with the settings of both programs,
// the user's files left alone, and the same bytes on every run.
#include <gtest/gtest.h>

#include <filesystem>

#include "support/temp_dir.h"
#include "tools/artgen/assets.h"
#include "tools/artgen/byte_io.h"
#include "tools/artgen/sounds.h"
#include "tools/artgen/suite_writer.h"

namespace {

namespace fs = std::filesystem;
using testing_support::ReadBytes;
using testing_support::TempDir;

void WriteText(const fs::path& path, const std::string& text) {
    fs::create_directories(path.parent_path());
    testing_support::WriteBytes(path.string(), text);
}

// Two runs: the second goes into a folder that already holds the programs, the user's records
// and the user's settings, which must survive; everything else must be the same bytes.
TEST(SuiteFolder, TwoRunsWriteTheSameCompleteFolderAndKeepTheUsersFiles) {
    TempDir firstDir, secondDir;
    const fs::path &first = firstDir.path(), &second = secondDir.path();
    const std::pair<std::string, std::string> kept[] = {
        {"options.ini", "[setup]\nplayerid=3\n"},
        {"Lumora", "menu program"},
        {"Kestrin/Kestrin", "game program"},
        {"Kestrin/hiscore.dat", std::string(5204, '\x01')},
        {"setup.ini", "[setup]\nfullscreen=1\n"},
    };
    for (const auto& [path, text] : kept) {
        WriteText(second / path, text);
    }
    std::string error;
    ASSERT_TRUE(artgen::GenerateSuite(first.string(), error)) << error;
    ASSERT_TRUE(artgen::GenerateSuite(second.string(), error)) << error;
    for (const auto& [path, text] : kept) {
        EXPECT_EQ(ReadBytes(second / path), text) << path;
        EXPECT_EQ(fs::exists(first / path), path == "setup.ini") << path; // only that one ships
    }

    EXPECT_EQ(ReadBytes(first / "setup.ini"),
              "[setup]\nfullscreen=0\n\n[suite]\nwebsite=http://127.0.0.1:8080\n"
              "scoreserver=http://127.0.0.1:8080\n");
    EXPECT_EQ(ReadBytes(first / "Kestrin/setup.ini"),
              "[setup]\nfullscreen=0\n\n[default]\ngametime=154\n");
    for (const artgen::PictureEntry& entry : artgen::AllPictures()) {
        EXPECT_TRUE(fs::is_regular_file(first / entry.path)) << entry.path;
    }
    for (const artgen::SoundEntry& entry : artgen::AllSounds()) {
        EXPECT_TRUE(fs::is_regular_file(first / entry.path)) << entry.path;
    }
    EXPECT_TRUE(fs::is_regular_file(first / "Kestrin/LumoraButton.bmp"));
    EXPECT_TRUE(fs::is_regular_file(first / "Kestrin/title/titlebackground.bmp"));
    EXPECT_TRUE(fs::is_regular_file(first / "Kestrin/sounds/music.wav"));

    size_t compared = 0;
    for (const auto& entry : fs::recursive_directory_iterator(first)) {
        if (!entry.is_regular_file()) {
            continue;
        }
        fs::path relative = fs::relative(entry.path(), first);
        if (relative == "setup.ini") {
            continue; // the user's own, checked above
        }
        std::vector<unsigned char> a, b;
        ASSERT_TRUE(artgen::ReadFileBytes(entry.path().string(), a));
        ASSERT_TRUE(artgen::ReadFileBytes((second / relative).string(), b)) << relative;
        EXPECT_TRUE(a == b) << relative;
        ++compared;
    }
    EXPECT_EQ(compared, artgen::AllPictures().size() + artgen::AllSounds().size() + 1);
}

TEST(SuiteFolder, ReportsAFolderThatCannotBeCreated) {
    TempDir dir;
    const fs::path& root = dir.path();
    WriteText(root / "Kestrin", "a file where the game folder belongs");
    std::string error;
    EXPECT_FALSE(artgen::GenerateSuite(root.string(), error));
    EXPECT_NE(error.find("Kestrin"), std::string::npos) << error;
}

} // namespace
