#include "platform/window.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/backend.h"
#include "platform/input.h"
#include "platform/null_backend.h"

namespace {

using namespace plat;

struct Seen {
    uint32_t message;
    WPARAM wParam;
    LPARAM lParam;
    bool operator==(const Seen&) const = default;
};
std::vector<Seen> g_seen;
bool g_passSysCommand = true;
// Windows are never freed by the layer (a handle stays valid once dead); keep them reachable
// to the end, past the destructors of static objects, so the leak checker does not count them.
std::vector<Window*>& g_windows = *new std::vector<Window*>;

LRESULT RecordingProc(Window* window, uint32_t message, WPARAM wParam, LPARAM lParam) {
    g_seen.push_back({message, wParam, lParam});
    if (message == WM_SYSCOMMAND && !g_passSysCommand)
        return 0;
    if (message == 0x7777)
        return 1234;
    return DefWindowProc(window, message, wParam, lParam);
}

class WindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        SelectBackend(BackendKind::Null);
        null::Reset();
        g_seen.clear();
        g_passSysCommand = true;
        ASSERT_TRUE(RegisterWindowClass("Test Class", RecordingProc));
        window = CreateMainWindow(WindowOptions{"Test Class", "title", 0, 0, 800, 600, false});
        ASSERT_NE(window, nullptr);
        g_windows.push_back(window);
    }
    void TearDown() override { null::Reset(); }
    Window* window = nullptr;
};

// Showing activates the window at once; posted messages come out in posting order and reach
// the procedure when dispatched, the quit message only once the queue holds nothing else; a key
// counts as down once its message is taken; releasing Alt asks for the window menu, unless the
// procedure swallows the request; sent messages reach the procedure at once; a close goes on to
// destroy, synchronously and only once. Without a known class and a procedure there is no window.
TEST_F(WindowTest, MessagesReachTheProcedureInOrder) {
    EXPECT_FALSE(RegisterWindowClass("Other", nullptr));
    EXPECT_EQ(CreateMainWindow({"Other", "t", 0, 0, 800, 600, false}), nullptr);
    EXPECT_EQ(CreateMainWindow({nullptr, "t", 0, 0, 800, 600, false}), nullptr);
    ShowWindow(window);
    PostMessage(window, WM_MOUSEMOVE, 0, MakeLParam(1, 2));
    PostQuitMessage(5);
    PostMessage(window, WM_KEYDOWN, 'A', KeyLParam(0x1E));
    PostMessage(nullptr, 0x7777, 0, 0); // without a window: goes nowhere
    PostMessage(window, WM_SYSKEYUP, VK_MENU, KeyLParam(0x38));
    PostMessage(window, 0x7777, 3, 4);
    Message m{};
    ASSERT_TRUE(PeekMessage(&m));
    EXPECT_EQ(m.window, window);
    EXPECT_EQ(DispatchMessage(m), 0);
    EXPECT_EQ(KeyboardState()[0x1E], 0);
    std::vector<uint32_t> taken;
    while (taken.size() < 20 && PeekMessage(&m)) {
        taken.push_back(m.message);
        DispatchMessage(m);
    }
    EXPECT_EQ(taken, (std::vector<uint32_t>{WM_KEYDOWN, 0x7777, WM_SYSKEYUP, 0x7777, WM_QUIT}));
    EXPECT_EQ(KeyboardState()[0x1E], 0x80);
    EXPECT_EQ(null::SystemMenuOpenCount(), 1);
    g_passSysCommand = false;
    SendMessage(window, WM_SYSKEYUP, VK_MENU, KeyLParam(0x38));
    EXPECT_EQ(null::SystemMenuOpenCount(), 1);
    EXPECT_EQ(SendMessage(window, 0x7777, 1, 2), 1234);
    EXPECT_EQ(SendMessage(nullptr, 0x7777, 0, 0), 0);
    PostMessage(window, WM_CLOSE, 0, 0);
    ASSERT_TRUE(PeekMessage(&m));
    DispatchMessage(m); // the destroy is sent before this returns, not posted
    EXPECT_FALSE(PeekMessage(&m));
    EXPECT_FALSE(IsWindowAlive(window));
    EXPECT_FALSE(DestroyWindow(window));
    EXPECT_EQ(null::DefWindowProcCount(WM_CLOSE), 1);
    EXPECT_EQ(g_seen, (std::vector<Seen>{{WM_ACTIVATEAPP, 1, 0},
                                         {WM_ACTIVATE, WA_ACTIVE, 0},
                                         {WM_MOUSEMOVE, 0, MakeLParam(1, 2)},
                                         {WM_KEYDOWN, 'A', KeyLParam(0x1E)},
                                         {WM_SYSKEYUP, VK_MENU, KeyLParam(0x38)},
                                         {WM_SYSCOMMAND, SC_KEYMENU, 0},
                                         {0x7777, 3, 4},
                                         {WM_SYSKEYUP, VK_MENU, KeyLParam(0x38)},
                                         {WM_SYSCOMMAND, SC_KEYMENU, 0},
                                         {0x7777, 1, 2},
                                         {WM_CLOSE, 0, 0},
                                         {WM_DESTROY, 0, 0}}));
}

} // namespace
