#include "platform/files.h"

#include "platform/backend.h"
#include "platform/null_backend.h"
#include "support/temp_dir.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <functional>
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

// These start real programs: whatever backend an earlier test in this process chose, they run
// on the real one.
class StartProgram : public ::testing::Test {
  protected:
    void SetUp() override { plat::SelectBackend(plat::BackendKind::Sdl); }
};

TEST_F(StartProgram, RunsTheProgramInItsFolderWithOneUntouchedArgument) {
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

TEST_F(StartProgram, PassesNoArgumentForAnEmptyParameter) {
    TempDir dir;
    WriteRecorder(dir / "Lumora", dir / "record");
    ASSERT_TRUE(plat::StartProgram((dir / "Lumora").c_str(), "", dir.path().c_str()));
    EXPECT_EQ(AwaitRecord(dir / "record"), Canonical(dir.path()) + "\n0\n");
    EXPECT_TRUE(NoZombiesRemain());
}

TEST_F(StartProgram, ReportsAProgramOrFolderThatIsNotThere) {
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

TEST_F(StartProgram, ReturnsWhileTheProgramStillRuns) {
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
        plat::SelectBackend(plat::BackendKind::Sdl);
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
    setenv("BROWSER", ("'" + (dir / "my browser") + "'").c_str(), 1);
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
TEST_F(StartProgram, NullBackendRecordsTheStartAndChecksTheProgramFile) {
    TempDir dir;
    WriteRecorder(dir / "Kestrin", dir / "record");
    plat::SelectBackend(plat::BackendKind::Null);
    plat::null::Reset();
    EXPECT_TRUE(plat::StartProgram("Kestrin", "/suite", dir.path().c_str()));
    EXPECT_FALSE(plat::StartProgram("Missing", "", dir.path().c_str()));
    EXPECT_TRUE(plat::OpenAddress("http://127.0.0.1:8080/"));
    EXPECT_FALSE(plat::OpenAddress("file:///etc/passwd"));
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

// $BROWSER is a ":"-separated list of commands tried in order until one starts; "%s" in a
// command stands for the address ("%%" for a "%"), otherwise the address is one more argument.
// Words are split at blanks with quotes honoured, and no shell ever sees them.
TEST_F(OpenAddressTest, TriesTheBrowserCommandsInTurnAndPlacesTheAddress) {
    const std::string address = "https://scores.example/cgi-bin/hiscore.cgi?name=a%20b&score=5";
    const struct {
        const char* name;
        const char* browser; // @D@ is the folder of the recording scripts
        std::vector<std::string> arguments;
    } cases[] = {
        {"one command", "'@D@/my browser'", {address}},
        {"the first that starts", "@D@/missing:'@D@/my browser':@D@/second", {address}},
        {"empty entries skipped", "::'@D@/my browser':", {address}},
        {"address in place",
         "'@D@/my browser' --new-tab %s --url=%s%%",
         {"--new-tab", address, "--url=" + address + "%"}},
        {"quoted words",
         "\"@D@/my browser\" 'two words' a\\ b \"$HOME;`x`\"",
         {"two words", "a b", "$HOME;`x`", address}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        WriteRecorder(dir / "my browser", dir / "record");
        WriteRecorder(dir / "second", dir / "second-record");
        std::string browser = c.browser;
        for (size_t at; (at = browser.find("@D@")) != std::string::npos;)
            browser.replace(at, 3, dir.path().string());
        setenv("BROWSER", browser.c_str(), 1);
        ASSERT_TRUE(plat::OpenAddress(address.c_str()));
        std::string expected = std::to_string(c.arguments.size()) + "\n";
        for (const std::string& argument : c.arguments)
            expected += argument + "\n";
        std::string record = AwaitRecord(dir / "record");
        EXPECT_EQ(record.substr(record.find('\n') + 1), expected);
        EXPECT_TRUE(NoZombiesRemain());
        EXPECT_FALSE(fs::exists(dir.path() / "second-record"));
    }
    TempDir dir;
    setenv("BROWSER", (dir.path().string() + "/none:" + dir.path().string() + "/neither").c_str(),
           1);
    EXPECT_FALSE(plat::OpenAddress(address.c_str()));
}

// Only web addresses are opened: a file, a program or another scheme handed to the browser
// (or to xdg-open, which would start whatever handles it) is refused before anything starts.
TEST_F(OpenAddressTest, OpensOnlyWebAddresses) {
    TempDir dir;
    WriteRecorder(dir / "browser", dir / "record");
    setenv("BROWSER", (dir / "browser").c_str(), 1);
    const char* refused[] = {"file:///etc/passwd",
                             "ftp://files.example/",
                             "javascript:alert(1)",
                             "mailto:someone@example.com",
                             "/usr/bin/xterm",
                             "-e xterm",
                             "http:/one-slash.example",
                             "http://",
                             " http://leading-blank.example/",
                             "http://two words.example/",
                             "http://line.example/\nfile:///etc/passwd",
                             ""};
    for (const char* address : refused)
        EXPECT_FALSE(plat::OpenAddress(address)) << address;
    EXPECT_FALSE(plat::OpenAddress(nullptr));
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_FALSE(fs::exists(dir.path() / "record"));

    for (const char* address : {"http://lumora.example/", "HTTPS://Lumora.example/a?b=c"}) {
        fs::remove(dir.path() / "record");
        ASSERT_TRUE(plat::OpenAddress(address)) << address;
        std::string record = AwaitRecord(dir / "record");
        EXPECT_EQ(record.substr(record.find('\n') + 1), std::string("1\n") + address + "\n");
    }
    EXPECT_TRUE(NoZombiesRemain());
}

namespace {
// A running child of this process named `name`, once there is one; 0 if none comes.
pid_t ChildNamed(const std::string& name) {
    for (int i = 0; i < 500; ++i) {
        for (const auto& entry : fs::directory_iterator("/proc")) {
            const std::string pid = entry.path().filename().string();
            if (pid.find_first_not_of("0123456789") != std::string::npos)
                continue;
            const std::string stat = ReadBytes(entry.path().string() + "/stat");
            const size_t open = stat.find('('), close = stat.rfind(')');
            if (open != std::string::npos && close != std::string::npos &&
                close + 4 < stat.size() && stat.substr(open + 1, close - open - 1) == name &&
                std::atol(stat.c_str() + close + 4) == getpid())
                return std::stoi(pid);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return 0;
}

std::vector<int> Descriptors(pid_t process) {
    std::vector<int> descriptors;
    std::error_code error;
    for (const auto& fd : fs::directory_iterator("/proc/" + std::to_string(process) + "/fd", error))
        descriptors.push_back(std::stoi(fd.path().filename().string()));
    std::sort(descriptors.begin(), descriptors.end());
    return descriptors;
}

// The descriptors the child holds once it has settled (a program starting up may have a file
// of its own open for a moment).
std::vector<int> SettledDescriptors(pid_t process) {
    std::vector<int> last = Descriptors(process);
    for (int i = 0; i < 100; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        std::vector<int> now = Descriptors(process);
        if (now == last)
            return now;
        last = now;
    }
    return last;
}
} // namespace

// A started program (the other game, the browser) inherits none of this process's files: not the
// music being streamed, not a descriptor some library left open, only the standard three.
TEST_F(OpenAddressTest, StartedProgramsInheritOnlyTheStandardDescriptors) {
    TempDir dir;
    WriteBytes(dir / "music.wav", "RIFF");
    FILE* music = plat::OpenFile((dir / "music.wav").c_str(), "rb");
    ASSERT_NE(music, nullptr);
    EXPECT_TRUE(fcntl(fileno(music), F_GETFD) & FD_CLOEXEC);
    const int libraryFile = open((dir / "music.wav").c_str(), O_RDONLY); // no close-on-exec
    ASSERT_GE(libraryFile, 0);

    setenv("BROWSER", "/bin/sh -c 'exec sleep 30'", 1);
    const std::function<bool()> starts[] = {
        [&] { return plat::StartProgram("/bin/sleep", "30", dir.path().c_str()); },
        [&] { return plat::OpenAddress("http://lumora.example/"); },
    };
    for (const auto& start : starts) {
        ASSERT_TRUE(start());
        const pid_t child = ChildNamed("sleep");
        ASSERT_GT(child, 0);
        EXPECT_EQ(SettledDescriptors(child), (std::vector<int>{0, 1, 2}));
        kill(child, SIGKILL);
        const std::string entry = "/proc/" + std::to_string(child);
        for (int i = 0; i < 300 && fs::exists(entry); ++i) // until it is reaped
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        EXPECT_FALSE(fs::exists(entry));
    }
    close(libraryFile);
    std::fclose(music);
}
