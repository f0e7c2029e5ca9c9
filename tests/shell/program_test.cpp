// The shell's RunProgram on the null backend, in a fresh temporary directory, with one scripted
// screen: each frame runs the test's script and asks to quit from frame lastFrame on, and every
// message routed to the screen is noted.
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
std::function<void(int frame)> script;
int lastFrame = 1;

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
        ++frames;
        if (script)
            script(frames);
        Present();
        return frames >= lastFrame ? UPDATE_QUIT : 1;
    }
    int frames = 0;
} scriptScreen;

// The layer never frees a window (a dead handle stays valid); keep them reachable to the end,
// past the destructors of static objects, so the leak checker does not count them.
std::vector<Window*>& windows = *new std::vector<Window*>;

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
        config.useCommandLine = [](const char* line) { journal.push_back(line); };
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
        lastFrame = 1;
        scriptScreen.frames = 0;
    }
    int Run(const char* commandLine = "") { return RunProgram(config, commandLine); }

    ProgramConfig config{};
    testing_support::TempDir dir;
    testing_support::CurrentDirGuard guard;
};

TEST_F(ProgramTest, StartUpChecksStopWithTheirMessageAndTheSettingIsReadAsANumber) {
    // The desktop's depth, the display probe (object made, version 7), the display's set-up
    // failing and setup.ini; then the exit code, the message box ('=' for the display's own
    // error) and the full-screen setting.
    const struct {
        const char* name;
        int depth;
        bool made, version7, fails;
        const char* setup;
        int exitCode;
        std::string message;
        int fullscreen;
    } cases[] = {
        {"24 bits", 24, 1, 1, 0, "", 0, "Test needs the display set to High Color (16 bit).", 0},
        {"15 bits run", 15, 1, 1, 0, "", 0, "", 0},
        {"no display object", 16, 0, 1, 0, "", 0,
         "DirectX not installed. Program needs DirectX 7.0a or higher to run", 0},
        {"old display object", 16, 1, 0, 0, "", 0, "DirectX Version 7.0a or greater not installed",
         0},
        {"window fails", 16, 1, 1, 1, "", 1, "=", 0},
        {"full screen fails silently", 16, 1, 1, 1, "[setup]\nfullscreen=1", 1, "", 1},
        {"any number but 0", 16, 1, 1, 0, "[Setup]\nFullScreen=2", 0, "", 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Reset();
        testing_support::WriteBytes("setup.ini", c.setup);
        null::SetDesktop(1024, 768, c.depth);
        null::SetDisplayProbe(c.made, c.version7);
        null::SetDisplayInitFails(c.fails);
        EXPECT_EQ(Run(), c.exitCode);
        const std::string told = "|" + (c.message == "=" ? DisplayError() : c.message);
        EXPECT_EQ(null::MessageBoxes(),
                  c.message.empty() ? std::vector<std::string>{} : std::vector<std::string>{told});
        EXPECT_EQ(appState.fullscreen, c.fullscreen);
        EXPECT_EQ(scriptScreen.frames, c.message.empty() && !c.fails ? 1 : 0);
        EXPECT_EQ(appState.hwnd != nullptr, c.message.empty() || c.fails) << "a window made";
    }
}

TEST_F(ProgramTest, TheGameKeepsItsCommandLineTheMenuIsHandedANonEmptyOneAndBothEndWhole) {
    const std::string longLine(300, 'c');
    for (const char* line : {"", "Kestrin", longLine.c_str()}) {
        Reset();
        config.isGame = line == longLine.c_str();
        EXPECT_EQ(Run(line), 0);
        std::vector<std::string> expected{"enter", line, "leave", "release"}; // the screen quits
        if (!line[0])
            expected.erase(expected.begin() + 1);
        EXPECT_EQ(journal, expected) << "handed only a line with something in it";
        EXPECT_EQ(std::tuple(CurrentDisplay(), IsWindowAlive(appState.hwnd)),
                  std::tuple(nullptr, false));
        EXPECT_EQ(appState.commandLine, config.isGame ? longLine.substr(0, 255) : "");
    }
}

TEST_F(ProgramTest, WindowMessagesReachTheScreenFirstMoveTheMouseAndOpenNoWindowMenu) {
    // A message, then the mouse moved to (x, y): whether the program is active, and where the
    // screens see the mouse.
    const struct {
        uint32_t message;
        WPARAM wParam;
        LPARAM lParam;
        int x, y, active, seenX, seenY;
    } steps[] = {
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
    null::SetCursorPos(321, 123);
    script = [&](int) {
        for (const auto& step : steps) {
            SendMessage(appState.hwnd, step.message, step.wParam, step.lParam);
            SendMessage(appState.hwnd, WM_MOUSEMOVE, 0, MakeLParam(step.x, step.y));
            int x = 0, y = 0;
            mouseCursor.GetState(&x, &y, nullptr);
            EXPECT_EQ(std::tuple(appState.active, x, y),
                      std::tuple(step.active, step.seenX, step.seenY))
                << "after message " << step.message << " with " << step.wParam;
        }
        routed.clear(); // then Alt pressed and released, and a minimise
        SendMessage(appState.hwnd, WM_SYSKEYDOWN, VK_MENU, KeyLParam(0x38));
        SendMessage(appState.hwnd, WM_SYSKEYUP, VK_MENU, KeyLParam(0x38));
        SendMessage(appState.hwnd, WM_SYSCOMMAND, 0xF020, 0);
    };
    EXPECT_EQ(Run(), 0);
    EXPECT_EQ(routed, (std::vector<unsigned>{WM_SYSKEYDOWN, WM_SYSKEYUP, WM_SYSCOMMAND,
                                             WM_SYSCOMMAND, WM_DESTROY}));
    EXPECT_EQ(null::DefWindowProcCount(WM_SYSKEYUP), 1);   // Alt's release did go on
    EXPECT_EQ(null::DefWindowProcCount(WM_SYSCOMMAND), 1); // the minimise only
    EXPECT_EQ(null::SystemMenuOpenCount(), 0);
}

TEST_F(ProgramTest, InactiveProgramUpdatesNothingAndReleasesTheMouseButTheClockRuns) {
    int pausedAt = 0, buttonsAfter = -1, x = 0, y = 0;
    std::vector<int> paused; // frames, mouse buttons and time gone when activated again
    std::thread waker;
    lastFrame = 3;
    script = [&](int frame) {
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
    };
    EXPECT_EQ(Run(), 0);
    waker.join();
    EXPECT_EQ(paused, (std::vector<int>{2, 0, 1}));
    EXPECT_EQ(buttonsAfter, 1); // taken again on return
    EXPECT_EQ(scriptScreen.frames, 3);
}

} // namespace
