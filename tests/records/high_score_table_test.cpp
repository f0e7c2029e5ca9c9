#include "records/high_score_table.h"

#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace fs = std::filesystem;
using namespace std::string_literals;
using namespace testing_support;

namespace {

std::string Int(int32_t value) {
    std::string bytes;
    for (int i = 0; i < 4; ++i)
        bytes += static_cast<char>(static_cast<uint32_t>(value) >> (8 * i));
    return bytes;
}

std::string Entry(const std::string& name, int32_t score) {
    return name + std::string(256 - name.size(), '\0') + Int(score);
}

// A file of `count` entries named prefix0, prefix1, ... scored 1000, 990, ...
std::string TableBytes(int32_t count, const std::string& prefix, int entries = 20) {
    std::string bytes = Int(count);
    for (int i = 0; i < entries; ++i)
        bytes += Entry(prefix + std::to_string(i), 1000 - 10 * i);
    return bytes;
}

class HighScoreTableTest : public ::testing::Test {
  protected:
    void SetUp() override { table.Allocate(HIGH_SCORE_ENTRIES); }
    std::string Names(std::initializer_list<int> entries) {
        std::string names;
        for (int i : entries)
            names += std::string(table.Entry(i).name) + ",";
        return names;
    }

    TempDir dir;
    std::string file = dir / "hiscore.dat";
    HighScoreTable table;
};

TEST_F(HighScoreTableTest, ResultsEnterBelowEveryEqualOrBetterScore) {
    EXPECT_FALSE(table.Insert("zero", 0) || table.Insert("less", -5)); // even into an empty table
    for (const char* name : {"first", "second"})
        EXPECT_TRUE(table.Insert(name, 500));
    EXPECT_TRUE(table.Insert("best", 700));
    EXPECT_TRUE(table.Insert(std::string(400, 'n').c_str(), 10));
    EXPECT_TRUE(table.Insert(nullptr, 30));
    EXPECT_EQ(Names({0, 1, 2, 3, 5, -1, 20}), "best,first,second,,,,,");
    EXPECT_EQ(table.Entry(4).name, std::string(255, 'n'));
    EXPECT_EQ(table.TopScore(), 700);
    // Allocated again, empty, then full: only a score above the last enters; the last falls off.
    table.Allocate(HIGH_SCORE_ENTRIES);
    for (int i = 0; i < HIGH_SCORE_ENTRIES; ++i)
        ASSERT_TRUE(table.Insert(std::to_string(i).c_str(), 1000 - i));
    EXPECT_FALSE(table.Insert("tie", 981));
    EXPECT_TRUE(table.Insert("above", 982));
    EXPECT_TRUE(table.Insert("top", 5000));
    EXPECT_EQ(Names({0, 1, 18, 19}), "top,0,17,18,");
    table.Allocate(0);
    EXPECT_FALSE(table.Insert("none", 10));
    EXPECT_EQ(table.TopScore(), 0);
}

TEST_F(HighScoreTableTest, SaveWritesTheCountThenEachNameAndScoreWholeOrSaysWhyNot) {
    WriteBytes(file, "something else entirely");
    ASSERT_TRUE(table.Insert("a much longer player string:addr:mail:Y", 100));
    ASSERT_TRUE(table.Insert("Bo:::N", 200));
    ASSERT_TRUE(table.Save(file.c_str()));
    std::string expected =
        Int(20) + Entry("Bo:::N", 200) + Entry("a much longer player string:addr:mail:Y", 100);
    for (int i = 2; i < 20; ++i)
        expected += Entry("", 0);
    EXPECT_EQ(ReadBytes(file), expected);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), {}), 1); // no temporary left
    testing::internal::CaptureStderr();
    EXPECT_FALSE(table.Save((dir / "no folder/hiscore.dat").c_str()));
    EXPECT_FALSE(table.Save(dir.path().c_str()));
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "cannot save \"" + dir / "no folder/hiscore.dat" +
                  "\": No such file or directory\ncannot save \"" + dir.path().string() +
                  "\": Is a directory\n");
}

TEST_F(HighScoreTableTest, LoadTakesAFileOfTheSameCountAsFarAsItGoes) {
    ASSERT_TRUE(table.Insert("kept", 42));
    for (const std::string& bytes : {TableBytes(10, "ten", 10), "\x14\0"s}) {
        WriteBytes(file, bytes);
        EXPECT_FALSE(table.Load(file.c_str()));
    }
    EXPECT_FALSE(table.Load((dir / "none.dat").c_str()));
    EXPECT_EQ(Names({0, 1}), "kept,,");
    // What Load reads, Save writes again byte for byte.
    std::string old = TableBytes(20, "old");
    old.replace(4 + 260 + 256, 4, Int(0x11223344));
    old.replace(4 + 260 * 19 + 256, 4, Int(-1));
    WriteBytes(file, old);
    ASSERT_TRUE(table.Load(file.c_str()) && table.Save((dir / "copy.dat").c_str()));
    EXPECT_EQ(ReadBytes(dir / "copy.dat"), old);
    // Entry 1's score ends after two bytes: the upper two are those it had.
    WriteBytes(file, TableBytes(20, "new", 1) + Entry("NEWNEWNEWN", 0x0201).substr(0, 258));
    ASSERT_TRUE(table.Load(file.c_str()));
    EXPECT_EQ(Names({0, 1, 2}), "new0,NEWNEWNEWN,old2,");
    EXPECT_EQ(table.Entry(1).score, 0x11220201);
}

TEST_F(HighScoreTableTest, LoadEndsEveryNameInsideItsField) {
    std::string bytes = Int(20);
    for (int i = 0; i < 20; ++i)
        bytes += std::string(256, static_cast<char>('A' + i)) + Int(20 - i);
    WriteBytes(file, bytes);
    ASSERT_TRUE(table.Load(file.c_str()));
    for (int i = 0; i < 20; ++i)
        EXPECT_EQ(table.Entry(i).name, std::string(255, static_cast<char>('A' + i)));
}

} // namespace
