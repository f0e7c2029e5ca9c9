#pragma once
// Runs the shell's RunProgram on the null backend in a fresh temporary directory, with one
// scripted screen: each frame calls the test's script, whose result is the screen's update
// result, and every message routed to the screen reaches the test's message hook.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/mouse_cursor.h"
#include "core/timer_service.h"
#include "gfx/dirty_rect_list.h"
#include "platform/backend.h"
#include "platform/null_backend.h"
#include "platform/window.h"
#include "screens/key_queue.h"
#include "screens/screen_manager.h"
#include "shell/app_state.h"
#include "shell/program.h"
#include "shell/timers.h"
#include "support/temp_dir.h"
#include "zel/zel.h"

namespace shell_test {

inline std::vector<std::string> journal; // what happened, in order
inline std::function<int(int frame)> script;
inline std::function<void(unsigned message, uintptr_t wParam)> onMessage;

class ScriptScreen : public Screen {
  public:
    ScriptScreen() { SetName("test"); }
    void Enter(plat::Display* dd, Surface* back) override {
        journal.push_back("enter");
        Screen::Enter(dd, back);
    }
    void Leave() override {
        journal.push_back("leave");
        Screen::Leave();
    }
    int HandleMessage(plat::Window*, unsigned message, uintptr_t wParam, intptr_t) override {
        if (onMessage)
            onMessage(message, wParam);
        return 1;
    }
    int Update(int) override {
        ++frames;
        const int result = script ? script(frames) : 1;
        Present();
        return result;
    }
    int frames = 0;
};

inline ScriptScreen scriptScreen;

inline void RegisterScriptScreen() {
    screenManager.Register(&scriptScreen);
    screenManager.SwitchTo("test");
}
inline void ReleaseGame() {
    journal.push_back("release");
}

// The layer never frees a window (a dead handle stays valid); keep them reachable to the end,
// past the destructors of static objects, so the leak checker does not count them.
inline std::vector<plat::Window*>& windows = *new std::vector<plat::Window*>;

class ProgramTest : public ::testing::Test {
  protected:
    void SetUp() override {
        plat::SelectBackend(plat::BackendKind::Null);
        plat::null::Reset();
        screenManager.Clear();
        dirtyRects.Clear();
        keyQueue.Reset();
        appState = AppState{};
        ResetTimerService();
        mouseCursor.Reset();
        journal.clear();
        script = nullptr;
        onMessage = nullptr;
        scriptScreen.frames = 0;
        config = ProgramConfig{};
        config.title = "Shell Test";
        config.depthMessage = "Test needs the display set to High Color (16 bit).";
        config.registerScreens = RegisterScriptScreen;
        config.releaseGame = ReleaseGame;
        guard = std::make_unique<testing_support::CurrentDirGuard>();
        std::filesystem::current_path(dir.path());
    }
    void TearDown() override {
        FreeTimers();
        if (appState.hwnd)
            windows.push_back(appState.hwnd);
        ZelFreeDirectX();
        ZelFreeDirectInput();
        screenManager.Clear();
        dirtyRects.Clear();
        plat::null::Reset();
        guard.reset();
    }

    int Run(const char* commandLine = "") { return RunProgram(config, commandLine); }
    // A script that ends the program at the given frame and otherwise runs `each`.
    static std::function<int(int)> QuitAt(int last, std::function<void(int)> each = nullptr) {
        return [last, each](int frame) {
            if (each)
                each(frame);
            return frame >= last ? UPDATE_QUIT : 1;
        };
    }
    // What every way out of the program leaves behind.
    void ExpectNormalShutdown() {
        EXPECT_EQ(journal.back(), "release");
        ASSERT_GE(journal.size(), 2u);
        EXPECT_EQ(journal[journal.size() - 2], "leave");
        EXPECT_EQ(plat::CurrentDisplay(), nullptr);
        EXPECT_EQ(appState.active, 0);
        EXPECT_FALSE(plat::IsWindowAlive(appState.hwnd));
        EXPECT_EQ(plat::null::DefWindowProcCount(plat::WM_DESTROY), 1);
        EXPECT_TRUE(plat::null::MessageBoxes().empty());
        plat::Message m{};
        ASSERT_TRUE(plat::PeekMessage(&m));
        EXPECT_EQ(m.message, plat::WM_QUIT);
        EXPECT_EQ(m.wParam, 0u);
        EXPECT_FALSE(plat::PeekMessage(&m));
    }

    ProgramConfig config{};
    testing_support::TempDir dir;
    std::unique_ptr<testing_support::CurrentDirGuard> guard;
};

} // namespace shell_test
