// What the generator writes: the suite folder, every file in its place with the settings of
// both programs, the user's files left alone and the same bytes on every run; and the review
// images (the layout preview and the contact sheet of every picture).
#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "support/temp_dir.h"
#include "tools/artgen/assets.h"
#include "tools/artgen/contact_sheet.h"
#include "tools/artgen/layout.h"
#include "tools/artgen/sounds.h"
#include "tools/artgen/suite_writer.h"

namespace {

namespace fs = std::filesystem;
using testing_support::ReadBytes;
using testing_support::TempDir;

// Two runs: the second goes into a folder that already holds the programs, the user's records
// and the user's settings, which must survive; everything else must be the same bytes.
TEST(SuiteFolder, TwoRunsWriteTheSameCompleteFolderAndKeepTheUsersFiles) {
    TempDir first, second;
    const std::pair<std::string, std::string> kept[] = {
        {"options.ini", "[setup]\nplayerid=3\n"},
        {"Lumora", "menu program"},
        {"Kestrin/Kestrin", "game program"},
        {"Kestrin/hiscore.dat", std::string(5204, '\x01')},
        {"setup.ini", "[setup]\nfullscreen=1\n"},
    };
    fs::create_directory(second.path() / "Kestrin");
    for (const auto& [path, text] : kept)
        testing_support::WriteBytes(second / path, text);
    std::string error;
    ASSERT_TRUE(artgen::GenerateSuite(first.path().string(), error)) << error;
    ASSERT_TRUE(artgen::GenerateSuite(second.path().string(), error)) << error;
    for (const auto& [path, text] : kept) {
        EXPECT_EQ(ReadBytes(second / path), text) << path;
        EXPECT_EQ(fs::exists(first / path), path == "setup.ini") << path; // only that one ships
    }
    EXPECT_EQ(ReadBytes(first / "setup.ini"),
              "[setup]\nfullscreen=0\n\n[suite]\nwebsite=http://127.0.0.1:8080\n"
              "scoreserver=http://127.0.0.1:8080\n");
    EXPECT_EQ(ReadBytes(first / "Kestrin/setup.ini"),
              "[setup]\nfullscreen=0\n\n[default]\ngametime=154\n");

    std::set<std::string> expected = {"setup.ini", "Kestrin/setup.ini"}, written;
    for (const artgen::PictureEntry& entry : artgen::AllPictures())
        expected.insert(entry.path);
    for (const artgen::SoundEntry& entry : artgen::AllSounds())
        expected.insert(entry.path);
    for (const auto& file : fs::recursive_directory_iterator(first.path())) {
        std::string relative = fs::relative(file.path(), first.path()).string();
        if (!file.is_regular_file())
            continue;
        written.insert(relative);
        EXPECT_TRUE(relative == "setup.ini" ||
                    ReadBytes(file.path()) == ReadBytes(second / relative))
            << relative;
    }
    EXPECT_EQ(written, expected);
}

TEST(SuiteFolder, ReportsAFolderThatCannotBeCreated) {
    TempDir dir;
    testing_support::WriteBytes(dir / "Kestrin", "a file where the game folder belongs");
    std::string error;
    EXPECT_FALSE(artgen::GenerateSuite(dir.path().string(), error));
    EXPECT_NE(error.find("Kestrin"), std::string::npos) << error;
}

// The width and height a PNG file states, or -1.
std::pair<int, int> PngSize(const std::string& path) {
    std::string bytes = testing_support::ReadBytes(path);
    if (bytes.size() < 24 || bytes.substr(1, 3) != "PNG")
        return {-1, -1};
    auto word = [&](size_t at) {
        int value = 0;
        for (size_t i = at; i < at + 4; ++i)
            value = value * 256 + static_cast<unsigned char>(bytes[i]);
        return value;
    };
    return {word(16), word(20)};
}

// The preview composes eight screens, two by four; a place that cannot be written is named.
TEST(ReviewImages, ThePreviewAndTheContactSheetAreWrittenOrNamedAsUnwritable) {
    testing_support::TempDir dir;
    std::string error;
    ASSERT_TRUE(artgen::WritePreview(dir / "preview.png", error)) << error;
    EXPECT_EQ(PngSize(dir / "preview.png"),
              std::make_pair(2 * artgen::layout::kScreenW, 4 * artgen::layout::kScreenH));
    ASSERT_TRUE(artgen::WriteContactSheet(dir / "sheet.png", error)) << error;
    EXPECT_GT(PngSize(dir / "sheet.png").second, 600);
    EXPECT_FALSE(artgen::WritePreview("/nonexistent-dir/p.png", error));
    EXPECT_EQ(error, "cannot write /nonexistent-dir/p.png");
}

} // namespace
