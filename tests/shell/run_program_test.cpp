// Start-up checks and the ways out of the program.
#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "platform/display.h"
#include "program_fixture.h"
#include "support/temp_dir.h"

namespace shell_test {
namespace {

using testing_support::WriteBytes;

TEST_F(ProgramTest, DesktopOf24Or32BitsStopsWithTheMessageAndExitCodeZero) {
    for (int depth : {24, 32, 8}) {
        plat::null::Reset();
        plat::null::SetDesktop(800, 600, depth);
        script = QuitAt(1);
        EXPECT_EQ(Run(), 0) << depth;
        EXPECT_EQ(plat::null::MessageBoxes(),
                  std::vector<std::string>{"|Test needs the display set to High Color (16 bit)."})
            << depth;
        EXPECT_EQ(appState.hwnd, nullptr) << depth; // no window was made
        EXPECT_TRUE(journal.empty()) << depth;      // nor any screen entered
    }
}

TEST_F(ProgramTest, DesktopOf15Or16BitsRuns) {
    for (int depth : {15, 16}) {
        plat::null::Reset();
        plat::null::SetDesktop(1024, 768, depth);
        scriptScreen.frames = 0;
        script = QuitAt(3);
        EXPECT_EQ(Run(), 0) << depth;
        EXPECT_EQ(scriptScreen.frames, 3) << depth;
        EXPECT_TRUE(plat::null::MessageBoxes().empty()) << depth;
        EXPECT_EQ(appState.renderWidth, 800);
        EXPECT_EQ(appState.renderHeight, 600);
        windows.push_back(appState.hwnd);
    }
}

TEST_F(ProgramTest, MissingDisplayObjectStopsWithItsMessage) {
    plat::null::SetDisplayProbe(false, true);
    EXPECT_EQ(Run(), 0);
    EXPECT_EQ(plat::null::MessageBoxes(),
              std::vector<std::string>{
                  "|DirectX not installed. Program needs DirectX 7.0a or higher to run"});
    EXPECT_EQ(appState.hwnd, nullptr);
}

TEST_F(ProgramTest, OldDisplayObjectStopsWithItsMessage) {
    plat::null::SetDisplayProbe(true, false);
    EXPECT_EQ(Run(), 0);
    EXPECT_EQ(plat::null::MessageBoxes(),
              std::vector<std::string>{"|DirectX Version 7.0a or greater not installed"});
    EXPECT_EQ(appState.hwnd, nullptr);
}

TEST_F(ProgramTest, WindowedDisplayFailureIsReportedAndExitsWithOne) {
    plat::null::SetDisplayInitFails(true);
    EXPECT_EQ(Run(), 1);
    ASSERT_EQ(plat::null::MessageBoxes().size(), 1u);
    EXPECT_EQ(plat::null::MessageBoxes()[0], std::string("|") + plat::DisplayError());
    EXPECT_TRUE(journal.empty());
}

TEST_F(ProgramTest, FullScreenDisplayFailureExitsWithOneSilently) {
    WriteBytes(dir / "setup.ini", "[setup]\nfullscreen=1\n");
    plat::null::SetDisplayInitFails(true);
    EXPECT_EQ(Run(), 1);
    EXPECT_EQ(appState.fullscreen, 1);
    EXPECT_TRUE(plat::null::MessageBoxes().empty());
}

TEST_F(ProgramTest, FullScreenSettingIsReadThroughAtoi) {
    const std::pair<const char*, int> cases[] = {
        {nullptr, 0}, // no setup.ini at all
        {"[setup]\n", 0},
        {"[Setup]\nFullScreen=2\n", 2},
        {"[setup]\nfullscreen=yes\n", 0},
        {"[setup]\nfullscreen=1junk\n", 1},
    };
    for (const auto& [text, expected] : cases) {
        std::filesystem::remove(dir / "setup.ini");
        if (text)
            WriteBytes(dir / "setup.ini", text);
        plat::null::Reset();
        appState = AppState{};
        script = QuitAt(1);
        EXPECT_EQ(Run(), 0) << (text ? text : "(none)");
        EXPECT_EQ(appState.fullscreen, expected) << (text ? text : "(none)");
        windows.push_back(appState.hwnd);
    }
}

TEST_F(ProgramTest, ScreenQuittingEndsThroughTheNormalShutdown) {
    script = QuitAt(3);
    EXPECT_EQ(Run(), 0);
    EXPECT_EQ(scriptScreen.frames, 3);
    EXPECT_EQ(journal, (std::vector<std::string>{"enter", "leave", "release"}));
    ExpectNormalShutdown();
}

TEST_F(ProgramTest, CloseBoxEndsThroughTheSameShutdown) {
    script = [](int frame) {
        if (frame == 2)
            plat::PostMessage(appState.hwnd, plat::WM_CLOSE, 0, 0);
        return 1;
    };
    EXPECT_EQ(Run(), 0);
    EXPECT_EQ(scriptScreen.frames, 2); // no frame after the close
    EXPECT_EQ(journal, (std::vector<std::string>{"enter", "leave", "release"}));
    ExpectNormalShutdown();
}

TEST_F(ProgramTest, ReleasedEscapeEndsThroughTheSameShutdown) {
    script = [](int frame) {
        if (frame == 2)
            plat::PostMessage(appState.hwnd, plat::WM_KEYUP, plat::VK_ESCAPE, plat::KeyLParam(1));
        return 1;
    };
    EXPECT_EQ(Run(), 0);
    EXPECT_EQ(scriptScreen.frames, 2);
    ExpectNormalShutdown();
    EXPECT_EQ(plat::null::DefWindowProcCount(plat::WM_CLOSE), 1); // through close, like the box
}

TEST_F(ProgramTest, PressedEscapeDoesNothing) {
    script = QuitAt(5, [](int frame) {
        if (frame == 2)
            plat::PostMessage(appState.hwnd, plat::WM_KEYDOWN, plat::VK_ESCAPE, plat::KeyLParam(1));
    });
    EXPECT_EQ(Run(), 0);
    EXPECT_EQ(scriptScreen.frames, 5);
    EXPECT_EQ(plat::null::DefWindowProcCount(plat::WM_CLOSE), 0);
}

TEST_F(ProgramTest, ClockStopsAtShutdown) {
    script = [](int frame) {
        // Long enough for the 10 ms timer to have fired.
        const int start = GetTicks();
        for (int i = 0; i < 400 && GetTicks() == start; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        return frame >= 2 ? UPDATE_QUIT : 1;
    };
    EXPECT_EQ(Run(), 0);
    const int stoppedAt = GetTicks();
    EXPECT_GT(stoppedAt, 0);
    std::this_thread::sleep_for(std::chrono::milliseconds(40));
    EXPECT_EQ(GetTicks(), stoppedAt);
}

TEST_F(ProgramTest, GameKeepsItsCommandLineCutToTheField) {
    config.isGame = true;
    script = QuitAt(1);
    const std::string longLine(300, 'c');
    EXPECT_EQ(Run(longLine.c_str()), 0);
    EXPECT_EQ(std::string(appState.commandLine), longLine.substr(0, 255));
}

inline std::vector<std::string> handedLines;
void RecordCommandLine(const char* line) {
    handedLines.push_back(line);
}

TEST_F(ProgramTest, MenuHandsOnlyANonEmptyCommandLineToItsScreen) {
    handedLines.clear();
    config.useCommandLine = RecordCommandLine;
    script = QuitAt(1);
    EXPECT_EQ(Run(""), 0);
    EXPECT_TRUE(handedLines.empty());
    EXPECT_EQ(appState.commandLine[0], '\0'); // the menu keeps no copy
    windows.push_back(appState.hwnd);
    plat::null::Reset();
    EXPECT_EQ(Run("Kestrin"), 0);
    EXPECT_EQ(handedLines, std::vector<std::string>{"Kestrin"});
}

} // namespace
} // namespace shell_test
