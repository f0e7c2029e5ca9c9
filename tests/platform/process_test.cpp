#include "platform/files.h"

#include "platform/backend.h"
#include "platform/null_backend.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <thread>
#include <utility>
#include <vector>

namespace fs = std::filesystem;
using testing_support::CurrentDirGuard;
using testing_support::ReadBytes;
using testing_support::TempDir;
using testing_support::WriteBytes;

namespace {

// Writes an executable shell script, with each "@NAME@" in the text replaced by its value.
void WriteScript(const std::string& path, std::string text,
                 const std::vector<std::pair<std::string, std::string>>& values) {
    for (const auto& [name, value] : values) {
        for (size_t at; (at = text.find("@" + name + "@")) != std::string::npos;)
            text.replace(at, name.size() + 2, value);
    }
    WriteBytes(path, text);
    chmod(path.c_str(), 0755);
}

// A program that writes its working directory, its argument count and its arguments, one a
// line, to `record` (complete or not at all).
void WriteRecorder(const std::string& path, const std::string& record) {
    WriteScript(path, R"(#!/bin/sh
{ pwd; echo "$#"; for a in "$@"; do printf '%s\n' "$a"; done; } > '@R@.part'
mv '@R@.part' '@R@'
)",
                {{"R", record}});
}

// What the child recorded, once it has; empty if it never does.
std::string AwaitRecord(const std::string& record) {
    for (int i = 0; i < 500 && !fs::exists(record); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    return ReadBytes(record);
}

// Children of this process that have ended but were never waited for.
int ZombieChildren() {
    int zombies = 0;
    for (const auto& entry : fs::directory_iterator("/proc")) {
        std::string name = entry.path().filename().string();
        if (name.find_first_not_of("0123456789") != std::string::npos)
            continue;
        std::string stat = ReadBytes(entry.path().string() + "/stat");
        size_t close = stat.rfind(')');
        if (close == std::string::npos || close + 4 >= stat.size())
            continue;
        char state = stat[close + 2];
        long parent = std::atol(stat.c_str() + close + 4);
        if (state == 'Z' && parent == getpid())
            ++zombies;
    }
    return zombies;
}

bool NoZombiesRemain() {
    for (int i = 0; i < 300; ++i) {
        if (ZombieChildren() == 0)
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
}

std::string Canonical(const fs::path& path) {
    return fs::canonical(path).string();
}

} // namespace

TEST(StartProgram, RunsTheProgramInItsFolderWithOneUntouchedArgument) {
    TempDir dir;
    CurrentDirGuard keep;
    fs::create_directories(dir.path() / "Suite Folder" / "Kestrin");
    WriteRecorder(dir / "Suite Folder/Kestrin/Kestrin", dir / "record");
    ASSERT_TRUE(plat::SetCurrentDir((dir / "Suite Folder").c_str()));

    // The program is named relative to the folder it starts in, as the menu names a game.
    std::string parameter = "/suite with spaces; $(touch hacked) \"q\" *";
    ASSERT_TRUE(plat::StartProgram("Kestrin", parameter.c_str(),
                                   (dir.path().string() + "\\suite folder\\kestrin").c_str()));
    EXPECT_EQ(AwaitRecord(dir / "record"),
              Canonical(dir.path() / "Suite Folder/Kestrin") + "\n1\n" + parameter + "\n");
    EXPECT_FALSE(fs::exists(dir.path() / "Suite Folder/Kestrin/hacked"));
    EXPECT_TRUE(NoZombiesRemain());
}

TEST(StartProgram, PassesNoArgumentForAnEmptyParameter) {
    TempDir dir;
    WriteRecorder(dir / "Lumora", dir / "record");
    ASSERT_TRUE(plat::StartProgram((dir / "Lumora").c_str(), "", dir.path().c_str()));
    EXPECT_EQ(AwaitRecord(dir / "record"), Canonical(dir.path()) + "\n0\n");
    EXPECT_TRUE(NoZombiesRemain());
}

TEST(StartProgram, ReportsAProgramOrFolderThatIsNotThere) {
    TempDir dir;
    WriteRecorder(dir / "Lumora", dir / "record");
    EXPECT_FALSE(plat::StartProgram((dir / "Missing").c_str(), "x", dir.path().c_str()));
    EXPECT_FALSE(plat::StartProgram((dir / "Lumora").c_str(), "x", (dir / "none").c_str()));
    WriteBytes(dir / "plain", "not a program");
    EXPECT_FALSE(plat::StartProgram((dir / "plain").c_str(), "x", dir.path().c_str()));
    EXPECT_FALSE(plat::StartProgram("", "x", dir.path().c_str()));
    EXPECT_FALSE(fs::exists(dir.path() / "record"));
    EXPECT_TRUE(NoZombiesRemain());
}

TEST(StartProgram, ReturnsWhileTheProgramStillRuns) {
    TempDir dir;
    std::string release = dir / "release";
    std::string record = dir / "record";
    WriteScript(dir / "waiter", R"(#!/bin/sh
i=0
while [ ! -e '@S@' ] && [ $i -lt 500 ]; do sleep 0.01; i=$((i+1)); done
if [ -e '@S@' ]; then r=released; else r=timeout; fi
echo $r > '@R@.part'; mv '@R@.part' '@R@'
)",
                {{"S", release}, {"R", record}});
    ASSERT_TRUE(plat::StartProgram((dir / "waiter").c_str(), "", dir.path().c_str()));
    // Had the call waited for the program, it would have timed out before the release.
    WriteBytes(release, "");
    EXPECT_EQ(AwaitRecord(record), "released\n");
    EXPECT_TRUE(NoZombiesRemain());
}

class OpenAddressTest : public ::testing::Test {
  protected:
    void SetUp() override {
        const char* browser = std::getenv("BROWSER");
        hadBrowser = browser != nullptr;
        savedBrowser = browser ? browser : "";
        savedPath = std::getenv("PATH") ? std::getenv("PATH") : "";
    }
    void TearDown() override {
        if (hadBrowser)
            setenv("BROWSER", savedBrowser.c_str(), 1);
        else
            unsetenv("BROWSER");
        setenv("PATH", savedPath.c_str(), 1);
    }
    bool hadBrowser = false;
    std::string savedBrowser, savedPath;
};

TEST_F(OpenAddressTest, GivesTheAddressToTheBrowserProgramAsItsOnlyArgument) {
    TempDir dir;
    WriteRecorder(dir / "my browser", dir / "record");
    setenv("BROWSER", (dir / "my browser").c_str(), 1);
    const char* address =
        "http://scores.example/cgi-bin/hiscore.cgi?game=Kestrin&name=a%20b&score=5";
    ASSERT_TRUE(plat::OpenAddress(address));
    std::string record = AwaitRecord(dir / "record");
    EXPECT_EQ(record.substr(record.find('\n') + 1), std::string("1\n") + address + "\n");
    EXPECT_TRUE(NoZombiesRemain());
}

TEST_F(OpenAddressTest, FallsBackToXdgOpenAndReportsAMissingBrowser) {
    TempDir dir;
    WriteRecorder(dir / "xdg-open", dir / "record");
    unsetenv("BROWSER");
    setenv("PATH", (dir.path().string() + ":" + savedPath).c_str(), 1);
    ASSERT_TRUE(plat::OpenAddress("http://lumora.example/"));
    std::string record = AwaitRecord(dir / "record");
    EXPECT_EQ(record.substr(record.find('\n') + 1), "1\nhttp://lumora.example/\n");

    setenv("BROWSER", (dir / "no-such-browser").c_str(), 1);
    EXPECT_FALSE(plat::OpenAddress("http://lumora.example/"));
    EXPECT_FALSE(plat::OpenAddress(""));
    EXPECT_TRUE(NoZombiesRemain());
}

// On the null backend nothing is started: tests of the programs read what would have been.
TEST(StartProgram, NullBackendRecordsTheStartAndChecksTheProgramFile) {
    TempDir dir;
    WriteRecorder(dir / "Kestrin", dir / "record");
    plat::SelectBackend(plat::BackendKind::Null);
    plat::null::Reset();
    EXPECT_TRUE(plat::StartProgram("Kestrin", "/suite", dir.path().c_str()));
    EXPECT_FALSE(plat::StartProgram("Missing", "", dir.path().c_str()));
    EXPECT_TRUE(plat::OpenAddress("http://127.0.0.1:8080/"));
    const auto& started = plat::null::StartedPrograms();
    ASSERT_EQ(started.size(), 2u);
    EXPECT_EQ(started[0].program, dir.path().string() + "/Kestrin");
    EXPECT_EQ(started[0].parameter, "/suite");
    EXPECT_EQ(started[0].workDir, dir.path().string());
    EXPECT_EQ(plat::null::OpenedAddresses(), std::vector<std::string>{"http://127.0.0.1:8080/"});
    plat::null::Reset();
    plat::SelectBackend(plat::BackendKind::Sdl);
    EXPECT_FALSE(fs::exists(dir.path() / "record"));
}
