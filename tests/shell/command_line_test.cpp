#include "shell/command_line.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

std::string Join(std::initializer_list<const char*> args, int size = 256) {
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>("program"));
    for (const char* a : args)
        argv.push_back(const_cast<char*>(a));
    std::vector<char> out(static_cast<size_t>(size) + 8, '#');
    JoinCommandLine(static_cast<int>(argv.size()), argv.data(), out.data(), size);
    EXPECT_EQ(out[static_cast<size_t>(size)], '#') << "written past the buffer";
    return std::string(out.data());
}

TEST(CommandLineTest, ArgumentsAreJoinedWithSingleSpaces) {
    EXPECT_EQ(Join({}), "");
    EXPECT_EQ(Join({"Kestrin"}), "Kestrin");
    EXPECT_EQ(Join({"/home/me/suite", "two"}), "/home/me/suite two");
    EXPECT_EQ(Join({"", "x"}), " x");
}

TEST(CommandLineTest, LongLinesAreCutToTheBuffer) {
    EXPECT_EQ(Join({"abcdef"}, 4), "abc");
    EXPECT_EQ(Join({"ab", "cd"}, 4), "ab ");
    EXPECT_EQ(Join({"abc", "def"}, 4), "abc");
    EXPECT_EQ(Join({"abc", "def"}, 1), "");
    const std::string longArgument(400, 'p');
    EXPECT_EQ(Join({longArgument.c_str(), "more"}), longArgument.substr(0, 255));
}

TEST(CommandLineTest, NoBufferIsHarmless) {
    char* argv[] = {const_cast<char*>("program"), const_cast<char*>("x")};
    JoinCommandLine(2, argv, nullptr, 10);
    char out[4] = "zz";
    JoinCommandLine(2, argv, out, 0);
    EXPECT_STREQ(out, "zz");
}

} // namespace
