// The shell's RunProgram on the null backend, in a fresh temporary directory, with one scripted
// screen: each frame runs the test's script, whose result is the screen's update result, and
// every message routed to the screen reaches the test's message hook.
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "core/mouse_cursor.h"
#include "core/timer_service.h"
#include "gfx/dirty_rect_list.h"
#include "platform/backend.h"
#include "platform/display.h"
#include "platform/input.h"
#include "platform/null_backend.h"
#include "platform/profile.h"
#include "platform/window.h"
#include "screens/key_queue.h"
#include "screens/screen_manager.h"
#include "shell/app_state.h"
#include "shell/program.h"
#include "shell/timers.h"
#include "support/temp_dir.h"
#include "zel/zel.h"

namespace {

using namespace plat;

std::vector<std::string> journal; // what happened to the screen and the game, in order
std::vector<unsigned> routed;     // the messages the screen was handed
std::function<int(int frame)> script;

class ScriptScreen : public Screen {
  public:
    ScriptScreen() { SetName("test"); }
    void Enter(Display* dd, Surface* back) override {
        journal.push_back("enter");
        Screen::Enter(dd, back);
    }
    void Leave() override {
        journal.push_back("leave");
        Screen::Leave();
    }
    int HandleMessage(Window*, unsigned message, uintptr_t, intptr_t) override {
        routed.push_back(message);
        return 1;
    }
    int Update(int) override {
        const int result = script ? script(++frames) : UPDATE_QUIT;
        Present();
        return result;
    }
    int frames = 0;
} scriptScreen;

// The layer never frees a window (a dead handle stays valid); keep them reachable to the end,
// past the destructors of static objects, so the leak checker does not count them.
std::vector<Window*>& windows = *new std::vector<Window*>;

std::function<int(int)> QuitAt(int last, std::function<void(int)> each = nullptr) {
    return [last, each](int frame) {
        if (each)
            each(frame);
        return frame >= last ? UPDATE_QUIT : 1;
    };
}

void Send(uint32_t message, WPARAM wParam, LPARAM lParam = 0) {
    SendMessage(appState.hwnd, message, wParam, lParam);
}

class ProgramTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::filesystem::current_path(dir.path());
        config.title = "Shell Test";
        config.depthMessage = "Test needs the display set to High Color (16 bit).";
        config.registerScreens = [] {
            screenManager.Register(&scriptScreen);
            screenManager.SwitchTo("test");
        };
        config.releaseGame = [] { journal.push_back("release"); };
        Reset();
    }
    void TearDown() override {
        FreeTimers();
        Reset();
    }
    // Start values before each run.
    void Reset() {
        if (appState.hwnd)
            windows.push_back(appState.hwnd);
        SelectBackend(BackendKind::Null);
        ZelFreeDirectX();
        ZelFreeDirectInput();
        null::Reset();
        screenManager.Clear();
        dirtyRects.Clear();
        keyQueue.Reset();
        appState = AppState{};
        ResetTimerService();
        mouseCursor.Reset();
        journal.clear();
        routed.clear();
        script = nullptr;
        scriptScreen.frames = 0;
    }
    int Run(const char* commandLine = "") { return RunProgram(config, commandLine); }

    ProgramConfig config{};
    testing_support::TempDir dir;
    testing_support::CurrentDirGuard guard;
};

// A start-up: desktop depth; display probe (object made, version 7); display set-up failing;
// setup.ini's text; then what it gives: exit code, the message box ('=' for the display's own
// error, "" for none) and the full-screen setting.
struct StartCase {
    const char* name;
    int depth;
    bool made, version7, fails;
    const char* setup;
    int exitCode;
    std::string message;
    int fullscreen;
};

TEST_F(ProgramTest, StartUpChecksStopWithTheirMessageAndTheSettingIsReadAsANumber) {
    const std::string depth = "Test needs the display set to High Color (16 bit).";
    const std::string fullscreen = "[setup]\nfullscreen=";
    const StartCase cases[] = {
        {"24 bits", 24, 1, 1, 0, "", 0, depth, 0},
        {"32 bits", 32, 1, 1, 0, "", 0, depth, 0},
        {"8 bits", 8, 1, 1, 0, "", 0, depth, 0},
        {"15 bits run", 15, 1, 1, 0, "", 0, "", 0},
        {"no display object", 16, 0, 1, 0, "", 0,
         "DirectX not installed. Program needs DirectX 7.0a or higher to run", 0},
        {"old display object", 16, 1, 0, 0, "", 0, "DirectX Version 7.0a or greater not installed",
         0},
        {"window fails", 16, 1, 1, 1, "", 1, "=", 0},
        {"full screen fails silently", 16, 1, 1, 1, "[setup]\nfullscreen=1", 1, "", 1},
        {"any case", 16, 1, 1, 0, "[Setup]\nFullScreen=2", 0, "", 2},
        {"no number", 16, 1, 1, 0, "[setup]\nfullscreen=yes", 0, "", 0},
        {"number first", 16, 1, 1, 0, "[setup]\nfullscreen=1junk", 0, "", 1},
    };
    for (const StartCase& c : cases) {
        SCOPED_TRACE(c.name);
        Reset();
        testing_support::WriteBytes("setup.ini", c.setup);
        null::SetDesktop(1024, 768, c.depth);
        null::SetDisplayProbe(c.made, c.version7);
        null::SetDisplayInitFails(c.fails);
        script = QuitAt(1);
        EXPECT_EQ(Run(), c.exitCode);
        const std::string told = "|" + (c.message == "=" ? DisplayError() : c.message);
        EXPECT_EQ(null::MessageBoxes(),
                  c.message.empty() ? std::vector<std::string>{} : std::vector<std::string>{told});
        EXPECT_EQ(appState.fullscreen, c.fullscreen);
        EXPECT_EQ(scriptScreen.frames, c.message.empty() && !c.fails ? 1 : 0);
        EXPECT_EQ(appState.hwnd != nullptr, c.message.empty() || c.fails) << "a window made";
    }
}

struct ExitCase {
    const char* name;
    uint32_t message; // posted at frame 2
    WPARAM wParam;
    int frames, closes;
};

class ProgramExitTest : public ProgramTest, public ::testing::WithParamInterface<ExitCase> {};

TEST_P(ProgramExitTest, EveryWayOutEndsThroughTheSameShutdown) {
    script = QuitAt(5, [](int frame) {
        if (frame == 2 && GetParam().message)
            PostMessage(appState.hwnd, GetParam().message, GetParam().wParam, KeyLParam(1));
    });
    EXPECT_EQ(Run(), 0);
    EXPECT_EQ(scriptScreen.frames, GetParam().frames);
    EXPECT_EQ(journal, (std::vector<std::string>{"enter", "leave", "release"}));
    EXPECT_EQ(CurrentDisplay(), nullptr);
    EXPECT_EQ(appState.active, 0);
    EXPECT_FALSE(IsWindowAlive(appState.hwnd));
    EXPECT_EQ(null::DefWindowProcCount(WM_DESTROY), 1);
    EXPECT_EQ(null::DefWindowProcCount(WM_CLOSE), GetParam().closes);
    Message m{};
    ASSERT_TRUE(PeekMessage(&m));
    EXPECT_EQ(std::tuple(m.message, m.wParam), std::tuple(WM_QUIT, WPARAM{0}));
    EXPECT_FALSE(PeekMessage(&m));
    const int stoppedAt = GetTicks(); // the clock stopped too
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    EXPECT_EQ(GetTicks(), stoppedAt);
}

INSTANTIATE_TEST_SUITE_P(
    Exits, ProgramExitTest,
    ::testing::Values(ExitCase{"ScreenQuits", 0, 0, 5, 0}, ExitCase{"CloseBox", WM_CLOSE, 0, 2, 1},
                      ExitCase{"EscapeReleased", WM_KEYUP, VK_ESCAPE, 2, 1},
                      ExitCase{"EscapePressedOnly", WM_KEYDOWN, VK_ESCAPE, 5, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ProgramTest, TheGameKeepsItsCommandLineAndTheMenuIsHandedANonEmptyOne) {
    static std::vector<std::string> handed;
    handed.clear();
    config.useCommandLine = [](const char* line) { handed.push_back(line); };
    script = QuitAt(1);
    EXPECT_EQ(Run(""), 0);
    Reset();
    script = QuitAt(1);
    EXPECT_EQ(Run("Kestrin"), 0);
    EXPECT_EQ(handed, std::vector<std::string>{"Kestrin"});
    EXPECT_EQ(appState.commandLine[0], '\0'); // the menu keeps no copy
    Reset();
    config.isGame = true;
    script = QuitAt(1);
    const std::string longLine(300, 'c');
    EXPECT_EQ(Run(longLine.c_str()), 0);
    EXPECT_EQ(appState.commandLine, longLine.substr(0, 255));
}

// A message, then the mouse moved to (x, y): whether the program is active, and where the
// screens see the mouse.
struct WindowStep {
    uint32_t message;
    WPARAM wParam;
    LPARAM lParam;
    int x, y, active, seenX, seenY;
};

TEST_F(ProgramTest, TheMouseIsFollowedWhileActiveAndShiftedOntoAMaximisedPicture) {
    null::SetCursorPos(321, 123);
    const WindowStep steps[] = {
        {WM_ACTIVATEAPP, 0, 0, 10, 10, 0, 321, 123}, // where the system's cursor was at start
        {WM_ACTIVATEAPP, 1, 0, 20, 20, 1, 20, 20},
        {WM_ACTIVATE, WA_INACTIVE, 0, 30, 30, 0, 20, 20},
        {WM_ACTIVATE, WA_CLICKACTIVE, 0, 40, 40, 0, 20, 20}, // left to activate-app
        {WM_ACTIVATE, WA_ACTIVE, 0, 50, 50, 1, 50, 50},
        {WM_ACTIVATE, WA_CLICKACTIVE, 0, 60, 60, 1, 60, 60},
        // 1025 / 2 - 399 = 113 and 769 / 2 - 300 = 84 to the left and up; then a window
        // smaller than the picture; minimised, which keeps the shift; restored.
        {WM_SIZE, SIZE_MAXIMIZED, MakeLParam(1025, 769), 300, 250, 1, 187, 166},
        {WM_SIZE, SIZE_MAXIMIZED, MakeLParam(700, 500), 300, 250, 1, 349, 300},
        {WM_SIZE, SIZE_MINIMIZED, 0, 300, 250, 1, 349, 300},
        {WM_SIZE, SIZE_RESTORED, MakeLParam(800, 600), 300, 250, 1, 300, 250},
        {WM_ACTIVATE, WA_INACTIVE | (1u << 16), 0, 70, 70, 0, 300, 250}, // high word: minimised
    };
    script = QuitAt(1, [&](int) {
        for (const WindowStep& step : steps) {
            Send(step.message, step.wParam, step.lParam);
            Send(WM_MOUSEMOVE, 0, MakeLParam(step.x, step.y));
            int x = 0, y = 0;
            mouseCursor.GetState(&x, &y, nullptr);
            EXPECT_EQ(std::tuple(appState.active, x, y),
                      std::tuple(step.active, step.seenX, step.seenY))
                << "after message " << step.message << " with " << step.wParam;
        }
    });
    EXPECT_EQ(Run(), 0);
}

TEST_F(ProgramTest, InactiveProgramUpdatesNothingAndReleasesTheMouseButTheClockRuns) {
    int pausedAt = 0, buttonsAfter = -1, x = 0, y = 0;
    std::vector<int> paused; // frames, mouse buttons and time gone when activated again
    std::thread waker;
    script = QuitAt(3, [&](int frame) {
        if (frame == 2) {
            NoteMouseButton(1, true); // held through the pause
            pausedAt = GetTicks();
            PostMessage(appState.hwnd, WM_ACTIVATEAPP, 0, 0);
            // Another application is active for a while; then the program is activated again.
            waker = std::thread([&] {
                for (int i = 0; i < 400 && GetTicks() - pausedAt < 30; ++i)
                    std::this_thread::sleep_for(std::chrono::milliseconds(5));
                int buttons = -1, x = 0, y = 0;
                ZelGetMouseData(&x, &y, &buttons);
                paused = {scriptScreen.frames, buttons, GetTicks() - pausedAt >= 30};
                PostMessage(appState.hwnd, WM_ACTIVATEAPP, 1, 0);
            });
        }
        if (frame == 3)
            ZelGetMouseData(&x, &y, &buttonsAfter);
    });
    EXPECT_EQ(Run(), 0);
    waker.join();
    EXPECT_EQ(paused, (std::vector<int>{2, 0, 1}));
    EXPECT_EQ(buttonsAfter, 1); // taken again on return
    EXPECT_EQ(scriptScreen.frames, 3);
}

TEST_F(ProgramTest, F1ShowsTheFrameRateAndF11SwitchesToFullScreenKeptForTheNextStart) {
    std::vector<int> seen; // each frame: frame rate shown, full screen (setting, window), kept
    script = QuitAt(4, [&](int frame) {
        char kept[8];
        GetProfileString("setup", "fullscreen", "-", kept, sizeof kept, ".\\setup.ini");
        seen.insert(seen.end(),
                    {appState.showFps, appState.fullscreen, IsFullscreen(appState.hwnd), kept[0]});
        for (uint32_t key : {VK_F1, VK_F11}) // released twice, then only pressed
            PostMessage(appState.hwnd, frame <= 2 ? WM_KEYUP : WM_KEYDOWN, key, KeyLParam(0x3B));
    });
    EXPECT_EQ(Run(), 0);
    EXPECT_EQ(seen, (std::vector<int>{0, 0, 0, '-', 1, 1, 1, '1', 0, 0, 0, '0', 0, 0, 0, '0'}));
}

TEST_F(ProgramTest, EveryMessageReachesTheScreenFirstAndAltOpensNoWindowMenu) {
    script = QuitAt(2, [&](int frame) {
        if (frame == 1) {
            routed.clear();
            PostMessage(appState.hwnd, WM_SYSKEYDOWN, VK_MENU, KeyLParam(0x38));
            PostMessage(appState.hwnd, WM_SYSKEYUP, VK_MENU, KeyLParam(0x38));
            PostMessage(appState.hwnd, WM_SYSCOMMAND, 0xF020, 0); // minimise
        }
    });
    EXPECT_EQ(Run(), 0);
    EXPECT_EQ(routed, (std::vector<unsigned>{WM_SYSKEYDOWN, WM_SYSKEYUP, WM_SYSCOMMAND,
                                             WM_SYSCOMMAND, WM_DESTROY}));
    EXPECT_EQ(null::DefWindowProcCount(WM_SYSKEYUP), 1);   // Alt's release did go on
    EXPECT_EQ(null::DefWindowProcCount(WM_SYSCOMMAND), 1); // the minimise only
    EXPECT_EQ(null::SystemMenuOpenCount(), 0);
}

} // namespace
