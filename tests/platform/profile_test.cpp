#include "platform/profile.h"

#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <climits>
#include <cstring>
#include <filesystem>

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

TEST_F(ProfileTest, MissingFileSectionOrKeyGivesTheDefault) {
    EXPECT_EQ(Read("setup", "fullscreen", "0"), "0");
    Given("[setup]\nfullscreen=1\n");
    EXPECT_EQ(Read("other", "fullscreen", "0"), "0");
    EXPECT_EQ(Read("setup", "gametime", "154"), "154");
    EXPECT_EQ(Read("setup", "gametime", nullptr), "");
    EXPECT_EQ(Read("setup", "gametime", "N  "), "N"); // trailing blanks of a default dropped
}

TEST_F(ProfileTest, NamesMatchWithoutCaseAndBlanksAreTrimmed) {
    Given("[ SetUp ]\n  Music  =  N  \n\tSFX\t=\tY\t\n");
    EXPECT_EQ(Read("setup", "music"), "N");
    EXPECT_EQ(Read("SETUP", " sfx "), "Y");
}

TEST_F(ProfileTest, FirstSectionAndFirstKeyWinAndEmptyValuesStayEmpty) {
    Given("name=outside\n[Player2]\nname=\nname=second\n[player2]\nname=later\n");
    EXPECT_EQ(Read("Player2", "name", "Player2"), "");
    Given("[a]\nk=\"quoted value\"\nq='x'\nhalf=\"open\n");
    EXPECT_EQ(Read("a", "k"), "quoted value");
    EXPECT_EQ(Read("a", "q"), "x");
    EXPECT_EQ(Read("a", "half"), "\"open");
}

TEST_F(ProfileTest, ValuesAndDefaultsAreCutToTheBuffer) {
    Given("[Player1]\nname=abcdefgh\nsend=Yes\n");
    EXPECT_EQ(Read("Player1", "name", "", 4), "abc");
    EXPECT_EQ(Read("Player1", "send", "", 2), "Y");
    EXPECT_EQ(Read("Player1", "name", "", 1), "");
    EXPECT_EQ(Read("Player1", "missing", "long default", 5), "long");
    char untouched = '#';
    EXPECT_EQ(plat::GetProfileString("Player1", "name", "", &untouched, 0, ini.c_str()), 0u);
    EXPECT_EQ(untouched, '#');
}

TEST_F(ProfileTest, OddLinesAreReadWithoutHarm) {
    std::string longValue(100000, 'v');
    Given("\xEF\xBB\xBF[setup]\r\nno equals sign\r\n;playerid=5\r\n[broken\r\n"
          "=orphan\r\nplayerid=3\r\nnul=ab\0cd\r\nlong="s +
          longValue + "\r\nold=mac\rnext=line\r[tail]\nlast=1");
    EXPECT_EQ(Read("setup", "playerid"), "3");
    EXPECT_EQ(Read("setup", "no equals sign"), "default");
    EXPECT_EQ(Read("setup", "nul"), "ab");
    EXPECT_EQ(Read("setup", "long", "", 64), std::string(63, 'v'));
    EXPECT_EQ(Read("setup", "old"), "mac");
    EXPECT_EQ(Read("setup", "next"), "line");
    EXPECT_EQ(Read("tail", "last"), "1");
}

TEST_F(ProfileTest, WritingCreatesTheFileAndTheSection) {
    ASSERT_TRUE(Write("setup", "playerid", "3"));
    EXPECT_EQ(File(), "[setup]\nplayerid=3\n");
    ASSERT_TRUE(Write("Player1", "name", "Ann"));
    EXPECT_EQ(File(), "[setup]\nplayerid=3\n[Player1]\nname=Ann\n");
    EXPECT_EQ(Read("player1", "NAME"), "Ann");
}

TEST_F(ProfileTest, WritingReplacesAKeyInPlaceAndKeepsEveryOtherLine) {
    std::string before = "; suite settings\r\n[SETUP]\r\n  Music = Y \r\nSFX=Y\r\n\r\n"
                         "[Player1]\r\nname=Ann\r\n";
    Given(before);
    ASSERT_TRUE(Write("setup", "music", "N"));
    EXPECT_EQ(File(), "; suite settings\r\n[SETUP]\r\n  Music=N\r\nSFX=Y\r\n\r\n"
                      "[Player1]\r\nname=Ann\r\n");
    EXPECT_EQ(Read("setup", "MUSIC"), "N");
}

TEST_F(ProfileTest, AMissingKeyGoesToTheEndOfItsSection) {
    Given("[a]\r\nx=1\r\n\r\n[b]\r\ny=2");
    ASSERT_TRUE(Write("a", "z", "3"));
    EXPECT_EQ(File(), "[a]\r\nx=1\r\nz=3\r\n\r\n[b]\r\ny=2");
    ASSERT_TRUE(Write("b", "w", "4"));
    EXPECT_EQ(File(), "[a]\r\nx=1\r\nz=3\r\n\r\n[b]\r\ny=2\r\nw=4\r\n");
}

TEST_F(ProfileTest, AValueIsOneLineAndBadNamesAreRefused) {
    Given("[setup]\nplayerid=1\n");
    ASSERT_TRUE(Write("Player1", "name", "Eve\n[setup]\nplayerid=7"));
    EXPECT_EQ(Read("Player1", "name"), "Eve");
    EXPECT_EQ(Read("setup", "playerid"), "1");
    EXPECT_FALSE(Write("setup", "a=b", "x"));
    EXPECT_FALSE(Write("setup", "  ", "x"));
    EXPECT_FALSE(Write("se]tup", "a", "x"));
    EXPECT_FALSE(Write("setup", "a", nullptr));
    EXPECT_EQ(File(), "[setup]\nplayerid=1\n[Player1]\nname=Eve\n");
}

TEST_F(ProfileTest, WritingFollowsWrittenPathsAndLeavesNoTemporaryFiles) {
    fs::create_directory(dir.path() / "Kestrin");
    Given("[setup]\nSFX=Y\n");
    std::string written = dir.path().string() + "\\Kestrin\\..\\OPTIONS.INI";
    for (int i = 0; i < 5; ++i)
        ASSERT_TRUE(plat::WriteProfileString("setup", "playerid", "2", written.c_str()));
    EXPECT_EQ(File(), "[setup]\nSFX=Y\nplayerid=2\n");
    size_t names = std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator());
    EXPECT_EQ(names, 2u);
    EXPECT_FALSE(plat::WriteProfileString("setup", "a", "b", (dir / "none/x.ini").c_str()));
}

TEST_F(ProfileTest, NumbersAreReadWithinTheirRange) {
    Given("[setup]\nflag=1\nlead=7th\nplus= +3 \nnegative=-5\nhuge=99999999999999999999\n"
          "above=2147483648\ntop=2147483647\nbottom=-2147483648\nword=yes\nempty=\n"
          "eight=8\nsign=-\n");
    const struct {
        const char* key;
        int minimum, maximum, expected;
    } cases[] = {
        {"flag", INT_MIN, INT_MAX, 1},
        {"lead", 0, 7, 7},
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
        {"sign", INT_MIN, INT_MAX, 42},
        {"missing", 0, 7, 42},
    };
    for (const auto& c : cases)
        EXPECT_EQ(plat::GetProfileInt("SETUP", c.key, 42, c.minimum, c.maximum, ini.c_str()),
                  c.expected)
            << c.key;
}

// A pipe, a device or a huge file named like a settings file reads as a missing file, at once,
// and is never replaced by a write.
TEST_F(ProfileTest, OnlyRegularFilesOfASaneSizeAreRead) {
    std::string big = "[setup]\nfullscreen=1\n";
    big.resize(plat::MAX_PROFILE_BYTES, ';');
    WriteBytes(dir / "big.ini", big);
    EXPECT_EQ(plat::GetProfileInt("setup", "fullscreen", 0, 0, 1, (dir / "big.ini").c_str()), 1);
    WriteBytes(dir / "big.ini", big + ";");
    ASSERT_EQ(mkfifo((dir / "pipe.ini").c_str(), 0600), 0);
    fs::create_symlink("/dev/zero", dir.path() / "zero.ini");
    fs::create_directory(dir.path() / "folder.ini");
    for (const char* name : {"big.ini", "pipe.ini", "zero.ini", "folder.ini"}) {
        std::string path = dir / name;
        char value[8];
        plat::GetProfileString("setup", "fullscreen", "0", value, sizeof value, path.c_str());
        EXPECT_STREQ(value, "0") << name;
        EXPECT_FALSE(plat::WriteProfileString("setup", "fullscreen", "1", path.c_str())) << name;
    }
    EXPECT_EQ(fs::file_size(dir.path() / "big.ini"), plat::MAX_PROFILE_BYTES + 1);
    EXPECT_TRUE(fs::is_fifo(dir.path() / "pipe.ini"));
    EXPECT_TRUE(fs::is_symlink(dir.path() / "zero.ini"));
}

// A record is written as several keys at once; the file must read exactly as if they had been
// written one by one.
TEST_F(ProfileTest, SeveralKeysWriteAsTheyWouldOneByOne) {
    const plat::ProfileValue values[] = {
        {"name", "Kim"}, {"Address", " x "}, {"email", "a\nb"}, {"send", "N"}, {"NAME", "Lee"}};
    const std::string starts[] = {"", "[setup]\r\nplayerid=2\r\n",
                                  "[player3]\nsend=Y\n  name = old \n\n[Player4]\nname=x",
                                  "; only a comment"};
    for (const std::string& start : starts) {
        Given(start);
        for (const auto& v : values)
            ASSERT_TRUE(Write("Player3", v.key, v.value));
        const std::string oneByOne = File();
        Given(start);
        ASSERT_TRUE(plat::WriteProfileStrings("Player3", values, std::size(values), ini.c_str()));
        EXPECT_EQ(File(), oneByOne) << start;
    }
    const plat::ProfileValue badLast[] = {{"name", "Ann"}, {"a=b", "x"}};
    Given("[Player3]\nname=Kim\n");
    EXPECT_FALSE(plat::WriteProfileStrings("Player3", badLast, 2, ini.c_str()));
    EXPECT_EQ(errno, EINVAL);
    EXPECT_EQ(File(), "[Player3]\nname=Kim\n");
}
