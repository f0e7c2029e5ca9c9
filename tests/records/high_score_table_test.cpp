#include "records/high_score_table.h"

#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

namespace fs = std::filesystem;
using namespace std::string_literals;
using testing_support::ReadBytes;
using testing_support::TempDir;
using testing_support::WriteBytes;

namespace {

void PutInt(std::string& bytes, int32_t value) {
    for (int i = 0; i < 4; ++i)
        bytes += static_cast<char>(static_cast<uint32_t>(value) >> (8 * i));
}

std::string EntryBytes(const std::string& name, int32_t score) {
    std::string bytes = name;
    bytes.resize(256, '\0');
    PutInt(bytes, score);
    return bytes;
}

// A file of `count` entries named prefix0, prefix1, ... scored 1000, 990, ...
std::string TableBytes(int32_t count, const std::string& prefix, int entries = 20) {
    std::string bytes;
    PutInt(bytes, count);
    for (int i = 0; i < entries; ++i)
        bytes += EntryBytes(prefix + std::to_string(i), 1000 - 10 * i);
    return bytes;
}

class HighScoreTableTest : public ::testing::Test {
  protected:
    void SetUp() override { table.Allocate(HIGH_SCORE_ENTRIES); }
    std::string Name(int i) { return table.Entry(i).name; }

    TempDir dir;
    std::string file = dir / "hiscore.dat";
    HighScoreTable table;
};

} // namespace

TEST_F(HighScoreTableTest, ResultsOfZeroOrLessNeverEnterAnEmptyTable) {
    EXPECT_FALSE(table.Insert("Ann", 0));
    EXPECT_FALSE(table.Insert("Ann", -5));
    EXPECT_EQ(Name(0), "");
    EXPECT_EQ(table.TopScore(), 0);
}

TEST_F(HighScoreTableTest, EqualScoresGoBelowTheEarlierOnes) {
    EXPECT_TRUE(table.Insert("first", 500));
    EXPECT_TRUE(table.Insert("second", 500));
    EXPECT_TRUE(table.Insert("best", 700));
    EXPECT_EQ(Name(0), "best");
    EXPECT_EQ(Name(1), "first");
    EXPECT_EQ(Name(2), "second");
    EXPECT_EQ(table.Entry(2).score, 500);
    EXPECT_EQ(Name(3), "");
    EXPECT_EQ(table.TopScore(), 700);
}

TEST_F(HighScoreTableTest, AFullTableTakesOnlyScoresAboveItsLast) {
    for (int i = 0; i < HIGH_SCORE_ENTRIES; ++i)
        ASSERT_TRUE(table.Insert(("p" + std::to_string(i)).c_str(), 1000 - i));
    EXPECT_FALSE(table.Insert("tie", 981));
    EXPECT_EQ(Name(19), "p19");
    EXPECT_TRUE(table.Insert("above", 982));
    EXPECT_EQ(Name(18), "p18");
    EXPECT_EQ(Name(19), "above");
    EXPECT_TRUE(table.Insert("top", 5000));
    EXPECT_EQ(Name(0), "top");
    EXPECT_EQ(Name(19), "p18"); // everything moved down one, the last fell off
}

TEST_F(HighScoreTableTest, LongPlayerStringsAreCutToTheField) {
    std::string longName(400, 'n');
    ASSERT_TRUE(table.Insert(longName.c_str(), 10));
    ASSERT_TRUE(table.Insert("x", 20));
    EXPECT_EQ(Name(1), std::string(255, 'n'));
    EXPECT_TRUE(table.Insert(nullptr, 30));
    EXPECT_EQ(Name(0), "");
    EXPECT_EQ(table.Entry(-1).score, 0);
    EXPECT_EQ(std::string(table.Entry(HIGH_SCORE_ENTRIES).name), "");
}

TEST_F(HighScoreTableTest, SavingAnEmptyTableWritesTheCountAndZeros) {
    ASSERT_TRUE(table.Save(file.c_str()));
    std::string expected;
    PutInt(expected, 20);
    expected.append(5200, '\0');
    EXPECT_EQ(ReadBytes(file), expected);
}

TEST_F(HighScoreTableTest, SavedBytesHoldEachNameScoreAndCleanTails) {
    ASSERT_TRUE(table.Insert("a much longer player string:addr:mail:Y", 100));
    ASSERT_TRUE(table.Insert("Bo:::N", 200));
    ASSERT_TRUE(table.Insert("neg", 150));
    ASSERT_TRUE(table.Save(file.c_str()));
    std::string expected;
    PutInt(expected, 20);
    expected += EntryBytes("Bo:::N", 200) + EntryBytes("neg", 150) +
                EntryBytes("a much longer player string:addr:mail:Y", 100);
    for (int i = 3; i < 20; ++i)
        expected += EntryBytes("", 0);
    EXPECT_EQ(ReadBytes(file), expected);
}

TEST_F(HighScoreTableTest, LoadReadsWhatSaveWrote) {
    std::string bytes = TableBytes(20, "player");
    bytes.replace(4 + 260 * 19 + 256, 4, std::string(4, '\xFF')); // entry 19 scores -1
    WriteBytes(file, bytes);
    ASSERT_TRUE(table.Load(file.c_str()));
    EXPECT_EQ(Name(0), "player0");
    EXPECT_EQ(table.Entry(5).score, 950);
    EXPECT_EQ(table.Entry(19).score, -1);
    ASSERT_TRUE(table.Save((dir / "copy.dat").c_str()));
    EXPECT_EQ(ReadBytes(dir / "copy.dat"), bytes);
}

TEST_F(HighScoreTableTest, AnotherCountOrAMissingFileLoadsNothing) {
    ASSERT_TRUE(table.Insert("kept", 42));
    WriteBytes(file, TableBytes(10, "ten"));
    EXPECT_EQ(fs::file_size(file), 5204u);
    EXPECT_FALSE(table.Load(file.c_str()));
    WriteBytes(file, "\x14\0"s);
    EXPECT_FALSE(table.Load(file.c_str()));
    EXPECT_FALSE(table.Load((dir / "none.dat").c_str()));
    EXPECT_EQ(Name(0), "kept");
    EXPECT_EQ(table.Entry(0).score, 42);
    EXPECT_EQ(Name(1), "");
}

TEST_F(HighScoreTableTest, AShortFileFillsOnlyWhatItCovers) {
    WriteBytes(file, TableBytes(20, "old"));
    ASSERT_TRUE(table.Load(file.c_str()));
    // Ends after entry 3, then 10 bytes into entry 4's name.
    std::string bytes = TableBytes(20, "new", 4) + "NEWNEWNEWN";
    WriteBytes(file, bytes);
    ASSERT_TRUE(table.Load(file.c_str()));
    EXPECT_EQ(Name(3), "new3");
    EXPECT_EQ(table.Entry(3).score, 970);
    EXPECT_EQ(Name(4), "NEWNEWNEWN"); // "old4" was shorter, so its tail is zeros
    EXPECT_EQ(table.Entry(4).score, 960);
    EXPECT_EQ(Name(19), "old19");

    // A score cut after two bytes keeps the upper two of the one before.
    bytes = TableBytes(20, "old");
    bytes.replace(4 + 260 + 256, 4, "\x44\x33\x22\x11"s);
    WriteBytes(file, bytes);
    ASSERT_TRUE(table.Load(file.c_str()));
    WriteBytes(file, TableBytes(20, "x", 1) + EntryBytes("y", 0).substr(0, 256) + "\x01\x02"s);
    ASSERT_TRUE(table.Load(file.c_str()));
    EXPECT_EQ(Name(1), "y");
    EXPECT_EQ(table.Entry(1).score, 0x11220201);
}

TEST_F(HighScoreTableTest, LoadEndsEveryNameInsideItsField) {
    std::string bytes;
    PutInt(bytes, 20);
    for (int i = 0; i < 20; ++i) {
        bytes.append(256, 'A' + i);
        PutInt(bytes, 20 - i);
    }
    WriteBytes(file, bytes);
    ASSERT_TRUE(table.Load(file.c_str()));
    for (int i = 0; i < 20; ++i)
        EXPECT_EQ(strnlen(table.Entry(i).name, 256), 255u);
    EXPECT_EQ(table.Entry(0).score, 20);
}

TEST_F(HighScoreTableTest, SaveReplacesTheFileWholeOrNotAtAll) {
    WriteBytes(file, "something else entirely");
    ASSERT_TRUE(table.Insert("Ann", 10));
    ASSERT_TRUE(table.Save(file.c_str()));
    EXPECT_EQ(fs::file_size(file), 5204u);
    size_t names = std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator());
    EXPECT_EQ(names, 1u);
    fs::create_directory(dir.path() / "taken");
    testing::internal::CaptureStderr();
    EXPECT_FALSE(table.Save((dir / "no folder/hiscore.dat").c_str()));
    EXPECT_FALSE(table.Save((dir / "taken").c_str()));
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "cannot save \"" + dir / "no folder/hiscore.dat" +
                  "\": No such file or directory\ncannot save \"" + dir / "taken" +
                  "\": Is a directory\n");
}

TEST_F(HighScoreTableTest, AllocateClearsTheTable) {
    ASSERT_TRUE(table.Insert("Ann", 10));
    table.Allocate(HIGH_SCORE_ENTRIES);
    EXPECT_EQ(table.Count(), 20);
    EXPECT_EQ(Name(0), "");
    EXPECT_EQ(table.TopScore(), 0);
    table.Allocate(0);
    EXPECT_FALSE(table.Insert("Ann", 10));
    EXPECT_EQ(table.TopScore(), 0);
}
