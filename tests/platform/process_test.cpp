#include "platform/files.h"

#include "platform/backend.h"
#include "platform/browser_command.h"
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
#include <optional>
#include <thread>
#include <vector>

namespace fs = std::filesystem;
using testing_support::CurrentDirGuard;
using testing_support::ReadBytes;
using testing_support::TempDir;
using testing_support::WriteBytes;

namespace {

// Whether the condition comes true within about five seconds.
bool Eventually(const std::function<bool()>& condition) {
    for (int i = 0; i < 500; ++i) {
        if (condition())
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
}

// A program that writes its working directory, its argument count and its arguments, one a
// line, to "<its own path>.record" (complete or not at all).
void WriteRecorder(const std::string& path) {
    WriteBytes(path, R"(#!/bin/sh
{ pwd; echo "$#"; for a in "$@"; do printf '%s\n' "$a"; done; } > "$0.part"
mv "$0.part" "$0.record"
)");
    chmod(path.c_str(), 0755);
}

// What the recorder at `program` recorded, once it has; empty if it never does.
std::string AwaitRecord(const std::string& program) {
    Eventually([&] { return fs::exists(program + ".record"); });
    return ReadBytes(program + ".record");
}

struct Child {
    pid_t pid;
    std::string name;
};

// The processes whose parent is this one, from /proc.
std::vector<Child> Children() {
    std::vector<Child> children;
    std::error_code vanished; // a process ending while /proc is listed
    for (fs::directory_iterator it("/proc", vanished), end; !vanished && it != end;
         it.increment(vanished)) {
        const fs::directory_entry& entry = *it;
        const std::string pid = entry.path().filename().string();
        if (pid.find_first_not_of("0123456789") != std::string::npos)
            continue;
        const std::string stat = ReadBytes(entry.path().string() + "/stat");
        const size_t open = stat.find('('), close = stat.rfind(')');
        if (open != std::string::npos && close != std::string::npos && close + 4 < stat.size() &&
            std::atol(stat.c_str() + close + 4) == getpid())
            children.push_back({std::stoi(pid), stat.substr(open + 1, close - open - 1)});
    }
    return children;
}

} // namespace

// These start real programs: whatever backend an earlier test in this process chose, they run
// on the real one. The browser list and the search path are put back as they were.
class StartProgram : public ::testing::Test {
  protected:
    void SetUp() override { plat::SelectBackend(plat::BackendKind::Sdl); }
    void TearDown() override {
        Put("BROWSER", browser);
        Put("PATH", path);
    }
    static std::optional<std::string> Get(const char* name) {
        const char* value = std::getenv(name);
        return value ? std::optional<std::string>(value) : std::nullopt;
    }
    static void Put(const char* name, const std::optional<std::string>& value) {
        value ? setenv(name, value->c_str(), 1) : unsetenv(name);
    }
    const std::optional<std::string> browser = Get("BROWSER"), path = Get("PATH");
};
class OpenAddressTest : public StartProgram {};

TEST_F(StartProgram, RunsTheProgramInItsFolderWithOneUntouchedArgument) {
    TempDir dir;
    CurrentDirGuard keep;
    fs::create_directories(dir.path() / "Suite Folder" / "Kestrin");
    WriteRecorder(dir / "Suite Folder/Kestrin/Kestrin");
    WriteRecorder(dir / "Lumora");
    ASSERT_TRUE(plat::SetCurrentDir((dir / "Suite Folder").c_str()));

    // The program is named relative to the folder it starts in, as the menu names a game.
    std::string parameter = "/suite with spaces; $(touch hacked) \"q\" *";
    ASSERT_TRUE(plat::StartProgram("Kestrin", parameter.c_str(),
                                   (dir.path().string() + "\\suite folder\\kestrin").c_str()));
    EXPECT_EQ(AwaitRecord(dir / "Suite Folder/Kestrin/Kestrin"),
              fs::canonical(dir.path() / "Suite Folder/Kestrin").string() + "\n1\n" + parameter +
                  "\n");
    EXPECT_FALSE(fs::exists(dir.path() / "Suite Folder/Kestrin/hacked"));
    ASSERT_TRUE(plat::StartProgram((dir / "Lumora").c_str(), "", dir.path().c_str()));
    EXPECT_EQ(AwaitRecord(dir / "Lumora"), fs::canonical(dir.path()).string() + "\n0\n");

    WriteBytes(dir / "plain", "not a program");
    const std::string refused[][2] = {{dir / "Missing", dir.path()},
                                      {dir / "Lumora", dir / "none"},
                                      {dir / "plain", dir.path()},
                                      {"", dir.path()}};
    for (const auto& [program, folder] : refused)
        EXPECT_FALSE(plat::StartProgram(program.c_str(), "x", folder.c_str())) << program;
}

// $BROWSER is a ":"-separated list of commands; "%s" in a command stands for the address ("%%"
// for a "%"), otherwise the address is one more argument. Words are split at blanks with quotes
// honoured, and no shell ever sees them. Without $BROWSER the desktop's opener gets the address.
TEST(BrowserCommands, SplitTheListWithoutAShellAndPlaceTheAddress) {
    using Commands = std::vector<std::vector<std::string>>;
    const std::string a = "https://scores.example/?name=a%20b&score=5";
    const struct {
        const char* browser;
        Commands commands;
    } cases[] = {
        {"firefox", {{"firefox", a}}},
        {"::'/my browser':b c:", {{"/my browser", a}, {"b", "c", a}}},
        {"x --new-tab %s --url=%s%%", {{"x", "--new-tab", a, "--url=" + a + "%"}}},
        {"\"/my browser\" 'two words' a\\ b \"$HOME;`x`\\\"\" '\\'",
         {{"/my browser", "two words", "a b", "$HOME;`x`\"", "\\", a}}},
        {nullptr, {{"xdg-open", a}}},
        {" : ", {{"xdg-open", a}}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(plat::BrowserCommands(c.browser, a), c.commands) << (c.browser ? c.browser : "");
}

// Only web addresses are opened: a file, a program or another scheme handed to the browser (or
// to xdg-open, which would start whatever handles it) is refused before anything starts. On the
// null backend nothing is started: tests of the programs read what would have been.
TEST_F(OpenAddressTest, OpensOnlyWebAddresses) {
    plat::SelectBackend(plat::BackendKind::Null);
    plat::null::Reset();
    const char* refused[] = {"file:///etc/passwd",
                             "javascript:alert(1)",
                             "/usr/bin/xterm",
                             "-e xterm",
                             "http:/one-slash.example",
                             "http://",
                             " http://leading-blank.example/",
                             "http://two words.example/",
                             "http://line.example/\nfile:///etc/passwd",
                             "http://delete.example/\x7F",
                             ""};
    for (const char* address : refused)
        EXPECT_FALSE(plat::OpenAddress(address)) << address;
    EXPECT_FALSE(plat::OpenAddress(nullptr));
    EXPECT_TRUE(plat::OpenAddress("http://127.0.0.1:8080/"));
    EXPECT_TRUE(plat::OpenAddress("HTTPS://Lumora.example/a?b=c"));
    EXPECT_EQ(plat::null::OpenedAddresses(),
              (std::vector<std::string>{"http://127.0.0.1:8080/", "HTTPS://Lumora.example/a?b=c"}));
    plat::null::Reset();
}

// The commands are tried in order until one starts; the one that starts gets its arguments as
// they are, and no later one runs. Without $BROWSER, xdg-open is found on the PATH.
TEST_F(OpenAddressTest, StartsTheFirstBrowserCommandThatCan) {
    const std::string address = "https://scores.example/cgi-bin/hiscore.cgi?name=a%20b&score=5";
    TempDir dir;
    WriteRecorder(dir / "my browser");
    WriteRecorder(dir / "second");
    setenv("BROWSER", (dir / "missing:'" + dir / "my browser' -n %s:" + dir / "second").c_str(), 1);
    ASSERT_TRUE(plat::OpenAddress(address.c_str()));
    const std::string here = fs::current_path().string() + "\n";
    EXPECT_EQ(AwaitRecord(dir / "my browser"), here + "2\n-n\n" + address + "\n");
    EXPECT_FALSE(fs::exists(dir.path() / "second.record"));

    WriteRecorder(dir / "xdg-open");
    unsetenv("BROWSER");
    setenv("PATH", (dir.path().string() + ":" + path.value_or("")).c_str(), 1);
    ASSERT_TRUE(plat::OpenAddress("http://lumora.example/"));
    EXPECT_EQ(AwaitRecord(dir / "xdg-open"), here + "1\nhttp://lumora.example/\n");

    setenv("BROWSER", (dir / "none:" + dir / "neither").c_str(), 1);
    EXPECT_FALSE(plat::OpenAddress(address.c_str()));
}

// A started program (the other game, the browser) inherits none of this process's files: not the
// music being streamed, not a descriptor some library left open, only the standard three. Both
// calls return while the program still runs, and someone waits for it once it ends.
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
        pid_t child = 0;
        ASSERT_TRUE(Eventually([&] {
            for (const Child& c : Children())
                if (c.name == "sleep")
                    child = c.pid;
            return child != 0;
        }));
        // The descriptors it holds once it has settled (a program starting up may have a file
        // of its own open for a moment).
        const fs::path fds = "/proc/" + std::to_string(child) + "/fd";
        EXPECT_TRUE(Eventually([&] {
            // A process that is starting or ending may refuse the listing (ESRCH): look again.
            std::vector<std::string> names;
            std::error_code gone;
            for (fs::directory_iterator it(fds, gone), end; !gone && it != end; it.increment(gone))
                names.push_back(it->path().filename().string());
            std::sort(names.begin(), names.end());
            return names == std::vector<std::string>{"0", "1", "2"};
        }));
        kill(child, SIGKILL);
        EXPECT_TRUE(
            Eventually([&] { return !fs::exists(fds.parent_path()); })); // reaped, no zombie
    }
    close(libraryFile);
    std::fclose(music);
}
