// The main window's procedure, driven from inside a running program.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "platform/display.h"
#include "platform/input.h"
#include "platform/profile.h"
#include "program_fixture.h"

namespace shell_test {
namespace {

using namespace plat;

int MousePosition(int* y) {
    int x = 0;
    mouseCursor.GetState(&x, y, nullptr);
    return x;
}

void Send(uint32_t message, WPARAM wParam, LPARAM lParam = 0) {
    SendMessage(appState.hwnd, message, wParam, lParam);
}

TEST_F(ProgramTest, ShownWindowIsActive) {
    int activeAtFirstFrame = -1;
    script = QuitAt(1, [&](int) { activeAtFirstFrame = appState.active; });
    EXPECT_EQ(Run(), 0);
    EXPECT_EQ(activeAtFirstFrame, 1);
}

TEST_F(ProgramTest, ActivationMessagesSetAndClearActive) {
    std::vector<int> seen;
    script = QuitAt(1, [&](int) {
        Send(WM_ACTIVATEAPP, 0);
        seen.push_back(appState.active);
        Send(WM_ACTIVATEAPP, 1);
        seen.push_back(appState.active);
        Send(WM_ACTIVATE, WA_INACTIVE);
        seen.push_back(appState.active);
        Send(WM_ACTIVATE, WA_CLICKACTIVE); // left to the activate-app message
        seen.push_back(appState.active);
        Send(WM_ACTIVATE, WA_ACTIVE);
        seen.push_back(appState.active);
        Send(WM_ACTIVATE, WA_CLICKACTIVE);
        seen.push_back(appState.active);
        Send(WM_ACTIVATE, WA_INACTIVE | (1u << 16)); // high word: minimised flag
        seen.push_back(appState.active);
        Send(WM_ACTIVATEAPP, 1);
    });
    EXPECT_EQ(Run(), 0);
    EXPECT_EQ(seen, (std::vector<int>{0, 1, 0, 0, 1, 1, 0}));
}

TEST_F(ProgramTest, InactiveProgramUpdatesNothingAndReleasesTheMouseButTheClockRuns) {
    struct Pause {
        int framesAtResume = -1;
        int buttonsWhilePaused = -1;
        int ticksAtPause = 0;
        int ticksAtResume = 0;
        int buttonsAfterResume = -1;
    } pause;
    std::thread waker;
    script = QuitAt(3, [&](int frame) {
        int x = 0, y = 0;
        if (frame == 2) {
            NoteMouseButton(1, true); // held through the pause
            pause.ticksAtPause = GetTicks();
            PostMessage(appState.hwnd, WM_ACTIVATEAPP, 0, 0);
            // Another application is active for a while; then the program is activated again.
            waker = std::thread([start = pause.ticksAtPause] {
                for (int i = 0; i < 400 && GetTicks() - start < 30; ++i)
                    std::this_thread::sleep_for(std::chrono::milliseconds(5));
                PostMessage(appState.hwnd, WM_ACTIVATEAPP, 1, 0);
            });
        }
        if (frame == 3)
            ZelGetMouseData(&x, &y, &pause.buttonsAfterResume);
    });
    onMessage = [&](unsigned message, uintptr_t wParam) {
        if (message != WM_ACTIVATEAPP || wParam != 1 || scriptScreen.frames < 2)
            return;
        int x = 0, y = 0;
        pause.framesAtResume = scriptScreen.frames;
        pause.ticksAtResume = GetTicks();
        ZelGetMouseData(&x, &y, &pause.buttonsWhilePaused);
    };
    EXPECT_EQ(Run(), 0);
    waker.join();
    EXPECT_EQ(pause.framesAtResume, 2);     // no update while inactive
    EXPECT_EQ(pause.buttonsWhilePaused, 0); // the mouse was released
    EXPECT_GE(pause.ticksAtResume - pause.ticksAtPause, 30);
    EXPECT_EQ(pause.buttonsAfterResume, 1); // and taken again on return
    EXPECT_EQ(scriptScreen.frames, 3);      // the loop resumed where it stopped
}

TEST_F(ProgramTest, MaximisedWindowShiftsTheMouseAndRestoringUnshiftsIt) {
    struct Point {
        int x, y;
        bool operator==(const Point&) const = default;
    };
    std::vector<Point> seen;
    std::vector<Point> offsets;
    auto record = [&] {
        int y = 0;
        const int x = MousePosition(&y);
        seen.push_back({x, y});
        offsets.push_back({appState.mouseOffsetX, appState.mouseOffsetY});
    };
    script = QuitAt(1, [&](int) {
        Send(WM_SIZE, SIZE_MAXIMIZED, MakeLParam(1025, 769));
        Send(WM_MOUSEMOVE, 0, MakeLParam(300, 250));
        record();
        Send(WM_SIZE, SIZE_MAXIMIZED, MakeLParam(700, 500)); // smaller than the picture
        Send(WM_MOUSEMOVE, 0, MakeLParam(5, 6));
        record();
        Send(WM_SIZE, SIZE_MINIMIZED, 0); // neither: offsets stay
        offsets.push_back({appState.mouseOffsetX, appState.mouseOffsetY});
        Send(WM_SIZE, SIZE_RESTORED, MakeLParam(800, 600));
        Send(WM_MOUSEMOVE, 0, MakeLParam(300, 250));
        record();
    });
    EXPECT_EQ(Run(), 0);
    // 1025 / 2 - 399 = 113, 769 / 2 - 300 = 84; 700 / 2 - 399 = -49, 500 / 2 - 300 = -50.
    EXPECT_EQ(offsets, (std::vector<Point>{{113, 84}, {-49, -50}, {-49, -50}, {0, 0}}));
    EXPECT_EQ(seen, (std::vector<Point>{{187, 166}, {54, 56}, {300, 250}}));
}

TEST_F(ProgramTest, MaximisingMovesThePictureSoTheNextFlipShowsItWhole) {
    Rect upload{};
    script = QuitAt(3, [&](int frame) {
        if (frame == 2)
            Send(WM_SIZE, SIZE_MAXIMIZED, MakeLParam(1025, 769));
        if (frame == 3)
            upload = GetFlipStats().lastUpload; // frame 2's flip
    });
    EXPECT_EQ(Run(), 0);
    EXPECT_EQ(upload.right - upload.left, 800);
    EXPECT_EQ(upload.bottom - upload.top, 600);
}

TEST_F(ProgramTest, MouseMovesWhileInactiveAreIgnored) {
    std::vector<int> xs;
    script = QuitAt(1, [&](int) {
        int y = 0;
        Send(WM_MOUSEMOVE, 0, MakeLParam(10, 20));
        xs.push_back(MousePosition(&y));
        Send(WM_ACTIVATEAPP, 0);
        Send(WM_MOUSEMOVE, 0, MakeLParam(30, 40));
        xs.push_back(MousePosition(&y));
        Send(WM_ACTIVATEAPP, 1);
        Send(WM_MOUSEMOVE, 0, MakeLParam(50, 60));
        xs.push_back(MousePosition(&y));
        xs.push_back(y);
    });
    EXPECT_EQ(Run(), 0);
    EXPECT_EQ(xs, (std::vector<int>{10, 10, 50, 60}));
}

TEST_F(ProgramTest, StartUpPlacesTheMouseAtTheSystemCursor) {
    null::SetCursorPos(321, 123);
    int x = -1, y = -1;
    script = QuitAt(1, [&](int) { x = MousePosition(&y); });
    EXPECT_EQ(Run(), 0);
    EXPECT_EQ(x, 321);
    EXPECT_EQ(y, 123);
}

bool FrameRateTextShown() {
    Surface* back = BackSurface();
    for (int y = 0; y < 14; ++y)
        for (int x = 580; x < 800; ++x)
            if (reinterpret_cast<uint16_t*>(back->pixels + y * back->pitch)[x] != 0)
                return true;
    return false;
}

TEST_F(ProgramTest, F1TogglesTheFrameRate) {
    std::vector<int> showFps;
    std::vector<bool> text;
    script = QuitAt(4, [&](int frame) {
        showFps.push_back(appState.showFps);
        text.push_back(FrameRateTextShown());
        if (frame <= 2)
            PostMessage(appState.hwnd, WM_KEYUP, VK_F1, KeyLParam(0x3B));
        if (frame == 3)
            PostMessage(appState.hwnd, WM_KEYDOWN, VK_F1, KeyLParam(0x3B)); // press alone: no
    });
    EXPECT_EQ(Run(), 0);
    EXPECT_EQ(showFps, (std::vector<int>{0, 1, 0, 0}));
    EXPECT_FALSE(text[0]);
    EXPECT_TRUE(text[1]);
}

TEST_F(ProgramTest, F11SwitchesFullScreenAndKeepsTheChoiceForTheNextStart) {
    std::vector<int> fullscreen;
    std::vector<std::string> kept;
    script = QuitAt(4, [&](int frame) {
        fullscreen.push_back(appState.fullscreen * 10 + IsFullscreen(appState.hwnd));
        char value[8];
        GetProfileString("setup", "fullscreen", "-", value, sizeof value, ".\\setup.ini");
        kept.push_back(value);
        if (frame <= 2)
            PostMessage(appState.hwnd, WM_KEYUP, VK_F11, KeyLParam(0x57));
        if (frame == 3)
            PostMessage(appState.hwnd, WM_KEYDOWN, VK_F11, KeyLParam(0x57)); // press alone: no
    });
    EXPECT_EQ(Run(), 0);
    EXPECT_EQ(fullscreen, (std::vector<int>{0, 11, 0, 0}));
    EXPECT_EQ(kept, (std::vector<std::string>{"-", "1", "0", "0"}));
}

TEST_F(ProgramTest, AltDoesNotOpenTheWindowMenu) {
    script = QuitAt(2, [](int frame) {
        if (frame == 1) {
            PostMessage(appState.hwnd, WM_SYSKEYDOWN, VK_MENU, KeyLParam(0x38));
            PostMessage(appState.hwnd, WM_SYSKEYUP, VK_MENU, KeyLParam(0x38));
        }
    });
    EXPECT_EQ(Run(), 0);
    EXPECT_EQ(null::DefWindowProcCount(WM_SYSKEYUP), 1); // Alt's release did go on
    EXPECT_EQ(null::DefWindowProcCount(WM_SYSCOMMAND), 0);
    EXPECT_EQ(null::SystemMenuOpenCount(), 0);
}

TEST_F(ProgramTest, OtherSystemCommandsStillReachTheDefaultProcedure) {
    script = QuitAt(1, [](int) { Send(WM_SYSCOMMAND, 0xF020); }); // minimise
    EXPECT_EQ(Run(), 0);
    EXPECT_EQ(null::DefWindowProcCount(WM_SYSCOMMAND), 1);
}

TEST_F(ProgramTest, EveryMessageReachesTheScreenFirst) {
    std::vector<unsigned> routed;
    onMessage = [&](unsigned message, uintptr_t) { routed.push_back(message); };
    script = QuitAt(2, [&](int frame) {
        if (frame == 1) {
            routed.clear();
            PostMessage(appState.hwnd, WM_KEYUP, VK_F1, KeyLParam(0x3B));
            PostMessage(appState.hwnd, 0x7777, 0, 0);
        }
    });
    EXPECT_EQ(Run(), 0);
    ASSERT_GE(routed.size(), 3u);
    EXPECT_EQ(routed[0], WM_KEYUP);
    EXPECT_EQ(routed[1], 0x7777u);
    EXPECT_EQ(routed[2], WM_DESTROY); // the shutdown's own message too
}

} // namespace
} // namespace shell_test
