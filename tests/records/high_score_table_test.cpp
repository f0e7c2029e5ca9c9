#include "records/high_score_table.h"

#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <tuple>

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
    testing::internal::CaptureStderr();
    EXPECT_FALSE(table.Save(dir.path().c_str()));
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "cannot save \"" + dir.path().string() + "\": Is a directory\n");
}

TEST_F(HighScoreTableTest, LoadTakesAFileOfTheSameCountAsFarAsItGoes) {
    ASSERT_TRUE(table.Insert("kept", 0x11223344) && table.Insert("second", 5));
    for (const std::string& bytes : {Int(10) + Entry("ten", 10), "\x14\0"s}) {
        WriteBytes(file, bytes);
        EXPECT_FALSE(table.Load(file.c_str()));
    }
    EXPECT_FALSE(table.Load((dir / "none.dat").c_str()));
    EXPECT_EQ(Names({0, 1}), "kept,second,");
    // The first score ends after two bytes: the upper two are those it had.
    WriteBytes(file, Int(20) + Entry("new", 0x0201).substr(0, 258));
    ASSERT_TRUE(table.Load(file.c_str()));
    EXPECT_EQ(std::tuple(Names({0, 1}), table.Entry(0).score),
              std::tuple("new,second,"s, 0x11220201));
}

TEST_F(HighScoreTableTest, LoadEndsEveryNameInsideItsField) {
    std::string bytes = Int(20);
    for (int i = 0; i < 20; ++i)
        bytes += std::string(256, static_cast<char>('A' + i)) + Int(i == 1 ? -1 : 0x11223344 - i);
    WriteBytes(file, bytes);
    ASSERT_TRUE(table.Load(file.c_str()) && table.Save(file.c_str()));
    for (int i = 0; i < 20; ++i) {
        EXPECT_EQ(table.Entry(i).name, std::string(255, static_cast<char>('A' + i)));
        bytes[4 + 260 * i + 255] = '\0'; // and written back so
    }
    EXPECT_EQ(ReadBytes(file), bytes);
}

} // namespace
