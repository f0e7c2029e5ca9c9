#include "shell/command_line.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(CommandLineTest, ArgumentsAreJoinedWithSingleSpacesAndCutToTheBuffer) {
    const struct {
        std::vector<const char*> args;
        int size;
        std::string joined;
    } cases[] = {
        {{}, 256, ""},
        {{"/home/me/suite", "two"}, 256, "/home/me/suite two"},
        {{"", "x"}, 256, " x"},
        {{"ab", "cd"}, 4, "ab "},
        {{"abc", "def"}, 4, "abc"},
        {{"abc", "def"}, 1, ""},
    };
    for (const auto& c : cases) {
        std::vector<char*> argv{const_cast<char*>("program")};
        for (const char* a : c.args)
            argv.push_back(const_cast<char*>(a));
        std::string out(static_cast<size_t>(c.size) + 1, '#');
        JoinCommandLine(static_cast<int>(argv.size()), argv.data(), out.data(), c.size);
        EXPECT_EQ(out.back(), '#') << "written past the buffer";
        EXPECT_EQ(out.c_str(), c.joined) << c.joined;
        JoinCommandLine(static_cast<int>(argv.size()), argv.data(), nullptr, 10); // harmless
        JoinCommandLine(static_cast<int>(argv.size()), argv.data(), out.data(), 0);
        EXPECT_EQ(out.c_str(), c.joined) << "no room: nothing written";
    }
}

} // namespace
