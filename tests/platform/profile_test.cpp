#include "platform/profile.h"

#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <climits>
#include <cstring>
#include <filesystem>
#include <vector>

namespace fs = std::filesystem;
using namespace std::string_literals;
using testing_support::ReadBytes;
using testing_support::TempDir;
using testing_support::WriteBytes;

namespace {

class ProfileTest : public ::testing::Test {
  protected:
    std::string Read(const char* section, const char* key, const char* fallback = "default",
                     size_t size = 256) {
        std::vector<char> buffer(size + 1, '#');
        size_t length =
            plat::GetProfileString(section, key, fallback, buffer.data(), size, ini.c_str());
        EXPECT_EQ(buffer[size], '#') << "wrote past the buffer";
        EXPECT_EQ(length, std::strlen(buffer.data()));
        return std::string(buffer.data());
    }
    void Given(const std::string& bytes) { WriteBytes(ini, bytes); }
    std::string File() { return ReadBytes(ini); }
    bool Write(const char* section, const char* key, const char* value) {
        return plat::WriteProfileString(section, key, value, ini.c_str());
    }

    TempDir dir;
    std::string ini = dir / "options.ini";
};

} // namespace

TEST_F(ProfileTest, ValuesAreFoundAsWrittenAndCutToTheBuffer) {
    EXPECT_EQ(Read("setup", "fullscreen", "0"), "0"); // no file at all
    Given("\xEF\xBB\xBFname=outside\r\n[setup]\r\nno equals sign\r\n;playerid=5\r\n[broken\r\n"
          "=orphan\r\nplayerid=3\r\nnul=ab\0cd\r\nlong="s +
          std::string(100000, 'v') +
          "\r\nold=mac\rnext=line\r[ MiXed ]\n  Music  =  N  \n\tSFX\t=\tY\t\nname=\nname=2\n"
          "[mixed]\nname=later\n[q]\nk=\"quoted value\"\nhalf=\"open\nname=abcdefgh\n"
          "[tail]\nlast=1");
    const struct {
        const char *section, *key, *fallback;
        size_t size;
        std::string expected;
    } cases[] = {
        {"setup", "playerid", "", 256, "3"},
        {"setup", "no equals sign", "none", 256, "none"},
        {"setup", "nul", "", 256, "ab"},
        {"setup", "long", "", 64, std::string(63, 'v')},
        {"setup", "old", "", 256, "mac"},
        {"mixed", "music", "", 256, "N"},
        {"MIXED", " sfx ", "", 256, "Y"},
        {"Mixed", "name", "default", 256, ""}, // the first key of the first section
        {"q", "k", "", 256, "quoted value"},
        {"q", "half", "", 256, "\"open"},
        {"tail", "last", "", 256, "1"},
        {"setup", "gametime", "N  ", 256, "N"},
        {"setup", "gametime", "long default", 5, "long"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Read(c.section, c.key, c.fallback, c.size), c.expected)
            << c.section << "/" << c.key << " in " << c.size;
    char untouched = '#';
    EXPECT_EQ(plat::GetProfileString("q", "name", "", &untouched, 0, ini.c_str()), 0u);
    EXPECT_EQ(untouched, '#');
}

TEST_F(ProfileTest, WritingChangesOneLineAndKeepsEveryOther) {
    const struct {
        const char* before;                // null: the file as the row above left it
        const char *section, *key, *value; // a null value: the names are refused
        const char* after;
    } cases[] = {
        {nullptr, "setup", "playerid", "3", "[setup]\nplayerid=3\n"},
        {nullptr, "Player1", "name", "Eve\n[setup]\nplayerid=7",
         "[setup]\nplayerid=3\n[Player1]\nname=Eve\n"},
        {nullptr, "SETUP", "PlayerID", "4", "[setup]\nplayerid=4\n[Player1]\nname=Eve\n"},
        {nullptr, "setup", "a=b", nullptr, "[setup]\nplayerid=4\n[Player1]\nname=Eve\n"},
        {nullptr, "se]tup", "a", nullptr, "[setup]\nplayerid=4\n[Player1]\nname=Eve\n"},
        {"; settings\r\n[SETUP]\r\n  Music = Y \r\nSFX=Y\r\n\r\n[b]\r\ny=2", "setup", "music", "N",
         "; settings\r\n[SETUP]\r\n  Music=N\r\nSFX=Y\r\n\r\n[b]\r\ny=2"},
        {nullptr, "setup", "z", "3",
         "; settings\r\n[SETUP]\r\n  Music=N\r\nSFX=Y\r\nz=3\r\n\r\n[b]\r\ny=2"},
        {nullptr, "b", "w", "4",
         "; settings\r\n[SETUP]\r\n  Music=N\r\nSFX=Y\r\nz=3\r\n\r\n[b]\r\ny=2\r\nw=4\r\n"},
    };
    for (const auto& c : cases) {
        if (c.before)
            Given(c.before);
        EXPECT_EQ(Write(c.section, c.key, c.value ? c.value : "x"), c.value != nullptr) << c.key;
        EXPECT_EQ(File(), c.after) << c.section << "/" << c.key;
    }
    EXPECT_FALSE(Write("setup", "a", nullptr));
    // The same value again, through a path as the programs write it: nothing changes, and no
    // temporary file stays behind.
    const std::string written = dir.path().string() + "\\OPTIONS.INI";
    ASSERT_TRUE(plat::WriteProfileString("b", "W", "4", written.c_str()));
    EXPECT_EQ(File(), cases[std::size(cases) - 1].after);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);
    EXPECT_FALSE(plat::WriteProfileString("setup", "a", "b", (dir / "none/x.ini").c_str()));
    // Several keys at once (a record) with a bad name among them write none of them.
    const plat::ProfileValue badLast[] = {{"name", "Ann"}, {"a=b", "x"}};
    Given("[Player3]\nname=Kim\n");
    EXPECT_FALSE(plat::WriteProfileStrings("Player3", badLast, 2, ini.c_str()));
    EXPECT_EQ(errno, EINVAL);
    EXPECT_EQ(File(), "[Player3]\nname=Kim\n");
}

TEST_F(ProfileTest, NumbersAreReadWithinTheirRange) {
    Given("[setup]\nlead=7th\nplus= +3 \nnegative=-5\nhuge=99999999999999999999\n"
          "above=2147483648\ntop=2147483647\nbottom=-2147483648\nword=yes\nempty=\n"
          "eight=8\nsign=-\n");
    const struct {
        const char* key;
        int minimum, maximum, expected;
    } cases[] = {{"lead", 0, 7, 7},
                 {"plus", 0, 7, 3},
                 {"negative", -10, 10, -5},
                 {"negative", 0, 10, 42},
                 {"huge", INT_MIN, INT_MAX, 42},
                 {"above", INT_MIN, INT_MAX, 42},
                 {"top", INT_MIN, INT_MAX, INT_MAX},
                 {"bottom", INT_MIN, INT_MAX, INT_MIN},
                 {"word", INT_MIN, INT_MAX, 42},
                 {"empty", INT_MIN, INT_MAX, 42},
                 {"eight", 0, 7, 42},
                 {"sign", INT_MIN, INT_MAX, 42}};
    for (const auto& c : cases)
        EXPECT_EQ(plat::GetProfileInt("SETUP", c.key, 42, c.minimum, c.maximum, ini.c_str()),
                  c.expected)
            << c.key;
}

// A huge file, or a pipe (or anything but a regular file) named like a settings file, reads as
// a missing file, at once, and is never replaced by a write.
TEST_F(ProfileTest, OnlyRegularFilesOfASaneSizeAreRead) {
    std::string big = "[setup]\nfullscreen=1\n";
    big.resize(plat::MAX_PROFILE_BYTES, ';');
    Given(big);
    EXPECT_EQ(plat::GetProfileInt("setup", "fullscreen", 0, 0, 1, ini.c_str()), 1);
    Given(big + ";");
    ASSERT_EQ(mkfifo((dir / "pipe.ini").c_str(), 0600), 0);
    for (const std::string& path : {ini, dir / "pipe.ini"}) {
        EXPECT_EQ(plat::GetProfileInt("setup", "fullscreen", 0, 0, 1, path.c_str()), 0) << path;
        EXPECT_FALSE(plat::WriteProfileString("setup", "fullscreen", "1", path.c_str())) << path;
    }
    EXPECT_EQ(fs::file_size(ini), plat::MAX_PROFILE_BYTES + 1);
    EXPECT_TRUE(fs::is_fifo(dir.path() / "pipe.ini"));
}
