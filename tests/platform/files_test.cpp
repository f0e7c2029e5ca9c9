#include "platform/files.h"

#include "support/temp_dir.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <map>
#include <vector>

namespace fs = std::filesystem;
using testing_support::CurrentDirGuard;
using testing_support::ReadBytes;
using testing_support::TempDir;
using testing_support::WriteBytes;

TEST(NativePath, MapsBackslashesAndKeepsAMissingTailAsWritten) {
    EXPECT_EQ(plat::NativePath("..\\options.ini"), "../options.ini");
    EXPECT_EQ(plat::NativePath(".\\title\\No Such.bmp"), "./title/No Such.bmp");
    EXPECT_EQ(plat::NativePath(""), "");
    EXPECT_EQ(plat::NativePath(nullptr), "");
}

TEST(NativePath, FindsEachComponentWithoutRegardToCase) {
    TempDir dir;
    fs::create_directories(dir.path() / "Kestrin" / "title");
    WriteBytes(dir / "Kestrin/title/BackButton.bmp", "x");
    std::string root = dir.path().string();

    EXPECT_EQ(plat::NativePath((root + "\\KESTRIN\\Title\\backbutton.BMP").c_str()),
              root + "/Kestrin/title/BackButton.bmp");
    FILE* file = plat::OpenFile((root + "\\kestrin\\title\\backbutton.bmp").c_str(), "rb");
    ASSERT_NE(file, nullptr);
    std::fclose(file);
    EXPECT_TRUE(plat::FileExists((root + "/kestrin/TITLE/BACKBUTTON.bmp").c_str()));
    EXPECT_FALSE(plat::FileExists((root + "/kestrin/title/frontbutton.bmp").c_str()));

    // Resolved as far as it goes: a file about to be created lands in the existing folder.
    EXPECT_EQ(plat::NativePath((root + "\\kestrin\\New\\hiscore.dat").c_str()),
              root + "/Kestrin/New/hiscore.dat");
}

TEST(NativePath, PrefersTheExactNameAndOtherwiseTheSmallestMatch) {
    TempDir dir;
    WriteBytes(dir / "a.bmp", "lower");
    WriteBytes(dir / "A.bmp", "upper");
    std::string root = dir.path().string();
    EXPECT_EQ(plat::NativePath((root + "/a.bmp").c_str()), root + "/a.bmp");
    EXPECT_EQ(plat::NativePath((root + "/A.bmp").c_str()), root + "/A.bmp");
    EXPECT_EQ(plat::NativePath((root + "/a.BMP").c_str()), root + "/A.bmp");
}

TEST(NativePath, RelativePathsResolveAgainstTheCurrentDirectory) {
    TempDir dir;
    CurrentDirGuard keep;
    fs::create_directories(dir.path() / "Game");
    WriteBytes(dir / "Options.ini", "[setup]\n");
    ASSERT_TRUE(plat::SetCurrentDir((dir.path().string() + "\\game").c_str()));
    EXPECT_EQ(plat::NativePath("..\\options.ini"), "../Options.ini");
    EXPECT_TRUE(plat::FileExists("..\\OPTIONS.INI"));
    EXPECT_FALSE(plat::SetCurrentDir("no such folder"));
    EXPECT_FALSE(plat::SetCurrentDir(""));
}

TEST(GetCurrentDir, CutsToTheBufferAndKeepsWhatFollowsIt) {
    TempDir dir;
    CurrentDirGuard keep;
    fs::path deep = dir.path();
    while (deep.string().size() < 400)
        deep /= "a-rather-long-folder-name";
    fs::create_directories(deep);
    ASSERT_TRUE(plat::SetCurrentDir(deep.string().c_str()));
    std::string full = fs::current_path().string();

    char buffer[256 + 8];
    std::memset(buffer, '#', sizeof buffer);
    ASSERT_TRUE(plat::GetCurrentDir(buffer, 256));
    EXPECT_EQ(std::string(buffer), full.substr(0, 255));
    EXPECT_EQ(buffer[256], '#');

    char tiny[1] = {'#'};
    ASSERT_TRUE(plat::GetCurrentDir(tiny, 1));
    EXPECT_EQ(tiny[0], '\0');
    EXPECT_FALSE(plat::GetCurrentDir(tiny, 0));
    EXPECT_FALSE(plat::GetCurrentDir(nullptr, 10));

    char roomy[1024];
    ASSERT_TRUE(plat::GetCurrentDir(roomy, sizeof roomy));
    EXPECT_EQ(std::string(roomy), full);
}

TEST(ListDirectory, GivesNamesWithFolderHiddenAndLinkAttributes) {
    TempDir dir;
    fs::create_directory(dir.path() / "Kestrin");
    fs::create_directory(dir.path() / ".x");
    WriteBytes(dir / "setup.ini", "");
    WriteBytes(dir / ".hidden", "");
    fs::create_directory_symlink(dir.path() / "Kestrin", dir.path() / "linked");
    fs::create_symlink(dir.path() / "missing", dir.path() / "broken");

    std::vector<plat::DirEntry> entries;
    ASSERT_TRUE(plat::ListDirectory(dir.path().string().c_str(), &entries));
    std::map<std::string, uint32_t> found;
    for (const auto& entry : entries)
        found[entry.name] = entry.attributes;
    std::map<std::string, uint32_t> expected = {{"Kestrin", 0x10}, {".x", 0x12},
                                                {"setup.ini", 0},  {".hidden", 0x2},
                                                {"linked", 0x410}, {"broken", 0x400}};
    EXPECT_EQ(found, expected);
}

TEST(ListDirectory, AcceptsWrittenPathsAndFailsOnMissingFolders) {
    TempDir dir;
    fs::create_directory(dir.path() / "Games");
    WriteBytes(dir / "Games/one", "");
    std::vector<plat::DirEntry> entries = {{"stale", 0}};
    ASSERT_TRUE(plat::ListDirectory((dir.path().string() + "\\games\\*").c_str(), &entries));
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].name, "one");
    EXPECT_FALSE(plat::ListDirectory((dir.path().string() + "/none").c_str(), &entries));
    EXPECT_TRUE(entries.empty());
}

TEST(ReadWholeFile, ReadsEveryByteIncludingNulsUpToTheLimit) {
    TempDir dir;
    std::string bytes("a\0b\r\n", 5);
    WriteBytes(dir / "data", bytes);
    std::string read;
    ASSERT_TRUE(plat::ReadWholeFile((dir / "DATA").c_str(), &read, 5));
    EXPECT_EQ(read, bytes);
    EXPECT_FALSE(plat::ReadWholeFile((dir / "data").c_str(), &read, 4));
    EXPECT_EQ(errno, EFBIG);
    EXPECT_TRUE(read.empty());
    EXPECT_FALSE(plat::ReadWholeFile((dir / "none").c_str(), &read, 5));
    EXPECT_EQ(errno, ENOENT);
}

// A pipe or a device named like a settings or score file must neither block the program nor
// feed it for ever: only regular files are read.
TEST(ReadWholeFile, WhatIsNotARegularFileIsRefusedAtOnce) {
    TempDir dir;
    ASSERT_EQ(mkfifo((dir / "pipe").c_str(), 0600), 0);
    fs::create_symlink("/dev/zero", dir.path() / "zeros");
    fs::create_directory(dir.path() / "folder");
    const struct {
        const char* name;
        int error;
    } cases[] = {{"pipe", ENODEV}, {"zeros", ENODEV}, {"folder", EISDIR}};
    for (const auto& c : cases) {
        std::string read = "stale";
        EXPECT_FALSE(plat::ReadWholeFile((dir / c.name).c_str(), &read, 1 << 20)) << c.name;
        EXPECT_EQ(errno, c.error) << c.name;
        EXPECT_TRUE(read.empty()) << c.name;
        EXPECT_EQ(plat::OpenFile((dir / c.name).c_str(), "rb"), nullptr) << c.name;
        EXPECT_EQ(errno, c.error) << c.name;
    }
    EXPECT_STREQ(plat::FileErrorText(ENODEV), "not a regular file");
}

TEST(ReplaceFile, WritesTheBytesAndLeavesNoTemporaryBehind) {
    TempDir dir;
    WriteBytes(dir / "hiscore.dat", "old contents");
    chmod((dir / "hiscore.dat").c_str(), 0640);
    ASSERT_TRUE(plat::ReplaceFile((dir / "HiScore.dat").c_str(), "new", 3));
    EXPECT_EQ(ReadBytes(dir / "hiscore.dat"), "new");
    EXPECT_EQ(fs::status(dir / "hiscore.dat").permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);

    ASSERT_TRUE(plat::ReplaceFile((dir / "empty").c_str(), "", 0));
    EXPECT_EQ(fs::file_size(dir / "empty"), 0u);
    size_t names = std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator());
    EXPECT_EQ(names, 2u);
}

TEST(ReplaceFile, FollowsALinkAndFailsWithoutTouchingAnything) {
    TempDir dir;
    WriteBytes(dir / "real.ini", "old");
    fs::create_symlink(dir.path() / "real.ini", dir.path() / "options.ini");
    ASSERT_TRUE(plat::ReplaceFile((dir / "options.ini").c_str(), "new", 3));
    EXPECT_TRUE(fs::is_symlink(dir.path() / "options.ini"));
    EXPECT_EQ(ReadBytes(dir / "real.ini"), "new");

    fs::create_directory(dir.path() / "folder");
    EXPECT_FALSE(plat::ReplaceFile((dir / "folder").c_str(), "x", 1));
    EXPECT_FALSE(plat::ReplaceFile((dir / "none/file").c_str(), "x", 1));
    EXPECT_TRUE(fs::is_empty(dir.path() / "folder"));
    size_t names = std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator());
    EXPECT_EQ(names, 3u);
}

// Writers killed between creating their temporary file and the rename leave it behind; the
// next write of the same file removes those, and only those.
TEST(ReplaceFile, RemovesTemporariesThatGoneWritersLeft) {
    TempDir dir;
    pid_t gone = fork();
    if (gone == 0)
        _exit(0);
    ASSERT_GT(gone, 0);
    waitpid(gone, nullptr, 0);
    const std::string dead = ".hiscore.dat.tmp" + std::to_string(gone);
    const std::string alive = ".hiscore.dat.tmp" + std::to_string(getppid());
    const std::vector<std::string> stale = {dead + "_0", dead + "_17"};
    const std::vector<std::string> kept = {alive + "_3", ".hiscore.dat.tmpnotes",
                                           ".other.dat.tmp" + std::to_string(gone) + "_0",
                                           dead + "_", "hiscore.dat"};
    for (const auto& name : stale)
        WriteBytes(dir / name, "half");
    for (const auto& name : kept)
        WriteBytes(dir / name, "keep");
    ASSERT_TRUE(plat::ReplaceFile((dir / "hiscore.dat").c_str(), "new", 3));
    for (const auto& name : stale)
        EXPECT_FALSE(fs::exists(dir.path() / name)) << name;
    for (const auto& name : kept)
        EXPECT_TRUE(fs::exists(dir.path() / name)) << name;
    size_t names = std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator());
    EXPECT_EQ(names, kept.size());
}
