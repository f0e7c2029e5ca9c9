#include "platform/files.h"

#include "support/temp_dir.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

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

namespace {
size_t NamesIn(const fs::path& folder) {
    return std::distance(fs::directory_iterator(folder), fs::directory_iterator());
}
} // namespace

// Paths are written as the programs write them; each component is found without regard to case
// and a missing tail is kept as written. A listing gives folders, hidden names and links. The
// current folder is cut to the caller's buffer, and nothing past it is written.
TEST(Paths, FindEachComponentWithoutRegardToCaseAndListFolders) {
    TempDir dir;
    CurrentDirGuard keep;
    fs::create_directories(dir.path() / "Kestrin" / "title");
    WriteBytes(dir / "Kestrin/title/BackButton.bmp", "x");
    WriteBytes(dir / "Options.ini", "[setup]\n");
    WriteBytes(dir / "a.bmp", "lower");
    WriteBytes(dir / "A.bmp", "upper");
    fs::create_directory(dir.path() / ".x");
    WriteBytes(dir / ".hidden", "");
    fs::create_directory_symlink(dir.path() / "Kestrin", dir.path() / "linked");
    fs::create_symlink(dir.path() / "missing", dir.path() / "broken");
    ASSERT_TRUE(plat::SetCurrentDir((dir.path().string() + "\\kestrin").c_str()));
    const std::string root = dir.path().string();
    const struct {
        const char* name;
        std::string path, expected;
    } cases[] = {
        {"backslashes and case", root + "\\KESTRIN\\Title\\backbutton.BMP",
         root + "/Kestrin/title/BackButton.bmp"},
        {"a file about to be created", root + "\\kestrin\\New\\hiscore.dat",
         root + "/Kestrin/New/hiscore.dat"},
        {"a folder", root + "\\kestrin\\", root + "/Kestrin/"},
        {"the exact name first", root + "/a.bmp", root + "/a.bmp"},
        {"the other exact name", root + "/A.bmp", root + "/A.bmp"},
        {"otherwise the smallest match", root + "/a.BMP", root + "/A.bmp"},
        {"relative to the current folder", "..\\options.ini", "../Options.ini"},
        {"a missing name as written", ".\\title\\No Such.bmp", "./title/No Such.bmp"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(plat::NativePath(c.path.c_str()), c.expected) << c.name;
    EXPECT_EQ(plat::NativePath(nullptr), "");

    EXPECT_FALSE(plat::SetCurrentDir("no such folder"));
    char cut[16];
    std::memset(cut, '#', sizeof cut);
    ASSERT_TRUE(plat::GetCurrentDir(cut, 8));
    EXPECT_EQ(std::string(cut), fs::current_path().string().substr(0, 7));
    EXPECT_EQ(cut[8], '#');
    EXPECT_FALSE(plat::GetCurrentDir(cut, 0));

    // A pattern after the folder, as callers used to searching write it, is accepted.
    std::vector<plat::DirEntry> entries = {{"stale", 0}};
    ASSERT_TRUE(plat::ListDirectory((root + "\\*").c_str(), &entries));
    std::map<std::string, uint32_t> found;
    for (const auto& entry : entries)
        found[entry.name] = entry.attributes;
    const std::map<std::string, uint32_t> expected = {
        {"Kestrin", 0x10}, {".x", 0x12},     {"Options.ini", 0}, {"a.bmp", 0},
        {"A.bmp", 0},      {".hidden", 0x2}, {"linked", 0x410},  {"broken", 0x400}};
    EXPECT_EQ(found, expected);
    EXPECT_FALSE(plat::ListDirectory((root + "/none").c_str(), &entries));
    EXPECT_TRUE(entries.empty());
}

// A pipe or a device named like a settings or score file must neither block the program nor
// feed it for ever: only regular files are read, every byte of them up to the limit.
TEST(ReadWholeFile, WhatIsNotARegularFileIsRefusedAtOnce) {
    TempDir dir;
    const std::string bytes("a\0b\r\n", 5);
    WriteBytes(dir / "data", bytes);
    ASSERT_EQ(mkfifo((dir / "pipe").c_str(), 0600), 0);
    fs::create_symlink("/dev/zero", dir.path() / "zeros");
    fs::create_directory(dir.path() / "folder");
    const struct {
        const char* name;
        size_t limit;
        int error; // 0: read
    } cases[] = {{"DATA", 5, 0},
                 {"data", 4, EFBIG},
                 {"none", 5, ENOENT},
                 {"pipe", 1 << 20, ENODEV},
                 {"zeros", 1 << 20, ENODEV},
                 {"folder", 1 << 20, EISDIR}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::string read = "stale";
        EXPECT_EQ(plat::ReadWholeFile((dir / c.name).c_str(), &read, c.limit), c.error == 0);
        if (c.error) {
            EXPECT_EQ(errno, c.error);
        }
        EXPECT_EQ(read, c.error ? "" : bytes);
        FILE* file = plat::OpenFile((dir / c.name).c_str(), "rb");
        EXPECT_EQ(file != nullptr, c.error == 0 || c.error == EFBIG);
        if (file)
            std::fclose(file);
        else
            EXPECT_EQ(errno, c.error);
    }
    EXPECT_STREQ(plat::FileErrorText(ENODEV), "not a regular file");
}

// The new bytes replace the file whole, keeping its mode and writing through a link to it.
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
    chmod((dir / "hiscore.dat").c_str(), 0640);
    ASSERT_TRUE(plat::ReplaceFile((dir / "HiScore.dat").c_str(), "new", 3));
    for (const auto& name : stale)
        EXPECT_FALSE(fs::exists(dir.path() / name)) << name;
    for (const auto& name : kept)
        EXPECT_TRUE(fs::exists(dir.path() / name)) << name;
    EXPECT_EQ(NamesIn(dir.path()), kept.size());
    EXPECT_EQ(ReadBytes(dir / "hiscore.dat"), "new");
    EXPECT_EQ(fs::status(dir / "hiscore.dat").permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);

    fs::create_symlink(dir.path() / "hiscore.dat", dir.path() / "options.ini");
    ASSERT_TRUE(plat::ReplaceFile((dir / "options.ini").c_str(), "linked", 6));
    EXPECT_TRUE(fs::is_symlink(dir.path() / "options.ini"));
    EXPECT_EQ(ReadBytes(dir / "hiscore.dat"), "linked");
    EXPECT_FALSE(plat::ReplaceFile((dir / "none/file").c_str(), "x", 1));
    EXPECT_EQ(NamesIn(dir.path()), kept.size() + 1); // no temporary left behind
}
