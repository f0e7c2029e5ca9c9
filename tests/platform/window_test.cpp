#include "platform/window.h"

#include <gtest/gtest.h>

#include <string>
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
    }
    void TearDown() override { null::Reset(); }

    static Window* MakeWindow() {
        WindowOptions options{"Test Class", "title", 0, 0, 800, 600, false};
        Window* w = CreateMainWindow(options);
        if (w)
            g_windows.push_back(w);
        return w;
    }
    static std::vector<uint32_t> SeenMessages() {
        std::vector<uint32_t> out;
        for (const Seen& s : g_seen)
            out.push_back(s.message);
        return out;
    }
};

TEST_F(WindowTest, UnknownClassOrMissingProcedureMakesNoWindow) {
    EXPECT_FALSE(RegisterWindowClass(nullptr, RecordingProc));
    EXPECT_FALSE(RegisterWindowClass("Other", nullptr));
    WindowOptions options{"No Such Class", "t", 0, 0, 800, 600, false};
    EXPECT_EQ(CreateMainWindow(options), nullptr);
    options.className = nullptr;
    EXPECT_EQ(CreateMainWindow(options), nullptr);
}

TEST_F(WindowTest, ShowingTheWindowActivatesItAtOnce) {
    Window* w = MakeWindow();
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(g_seen.empty());
    ShowWindow(w);
    ASSERT_EQ(g_seen.size(), 2u);
    EXPECT_EQ(g_seen[0].message, WM_ACTIVATEAPP);
    EXPECT_EQ(g_seen[0].wParam, 1u);
    EXPECT_EQ(g_seen[1].message, WM_ACTIVATE);
    EXPECT_EQ(LowWord(g_seen[1].wParam), WA_ACTIVE);
}

TEST_F(WindowTest, MessagesComeOutInPostingOrderAndQuitOnlyWhenTheQueueIsEmpty) {
    Window* w = MakeWindow();
    PostMessage(w, WM_MOUSEMOVE, 0, MakeLParam(1, 2));
    PostQuitMessage(5);
    PostMessage(w, WM_KEYUP, VK_F1, 0);
    Message m{};
    ASSERT_TRUE(PeekMessage(&m));
    EXPECT_EQ(m.message, WM_MOUSEMOVE);
    EXPECT_EQ(m.window, w);
    EXPECT_EQ(m.lParam, MakeLParam(1, 2));
    ASSERT_TRUE(PeekMessage(&m));
    EXPECT_EQ(m.message, WM_KEYUP);
    EXPECT_EQ(m.wParam, VK_F1);
    ASSERT_TRUE(PeekMessage(&m));
    EXPECT_EQ(m.message, WM_QUIT);
    EXPECT_EQ(m.wParam, 5u);
    EXPECT_FALSE(PeekMessage(&m)); // once only
    EXPECT_FALSE(PeekMessage(nullptr));
}

TEST_F(WindowTest, DispatchAndSendReachTheProcedureAndReturnItsResult) {
    Window* w = MakeWindow();
    EXPECT_EQ(SendMessage(w, 0x7777, 1, 2), 1234);
    PostMessage(w, 0x7777, 3, 4);
    Message m{};
    ASSERT_TRUE(PeekMessage(&m));
    EXPECT_EQ(DispatchMessage(m), 1234);
    ASSERT_EQ(g_seen.size(), 2u);
    EXPECT_EQ(g_seen[1].wParam, 3u);
    EXPECT_EQ(g_seen[1].lParam, 4);
    // A message without a window goes nowhere.
    EXPECT_EQ(DispatchMessage(Message{nullptr, 0x7777, 0, 0}), 0);
    EXPECT_EQ(SendMessage(nullptr, 0x7777, 0, 0), 0);
    EXPECT_EQ(g_seen.size(), 2u);
}

TEST_F(WindowTest, DestroyWindowSendsDestroyBeforeReturningAndOnlyOnce) {
    Window* w = MakeWindow();
    EXPECT_TRUE(IsWindowAlive(w));
    EXPECT_TRUE(DestroyWindow(w));
    EXPECT_EQ(SeenMessages(), std::vector<uint32_t>{WM_DESTROY});
    EXPECT_FALSE(IsWindowAlive(w));
    EXPECT_FALSE(DestroyWindow(w));
    EXPECT_EQ(g_seen.size(), 1u);
    int x = -1, y = -1;
    EXPECT_FALSE(ClientOriginOnScreen(w, &x, &y));
    EXPECT_FALSE(DestroyWindow(nullptr));
}

TEST_F(WindowTest, CloseGoesOnToDestroyThroughTheDefaultProcedure) {
    Window* w = MakeWindow();
    PostMessage(w, WM_CLOSE, 0, 0);
    Message m{};
    ASSERT_TRUE(PeekMessage(&m));
    DispatchMessage(m);
    EXPECT_EQ(SeenMessages(), (std::vector<uint32_t>{WM_CLOSE, WM_DESTROY}));
    EXPECT_FALSE(IsWindowAlive(w));
    EXPECT_EQ(null::DefWindowProcCount(WM_CLOSE), 1);
}

TEST_F(WindowTest, ReleasingAltAsksForTheWindowMenu) {
    Window* w = MakeWindow();
    SendMessage(w, WM_SYSKEYUP, VK_MENU, KeyLParam(0x38));
    EXPECT_EQ(SeenMessages(), (std::vector<uint32_t>{WM_SYSKEYUP, WM_SYSCOMMAND}));
    EXPECT_EQ(g_seen[1].wParam, SC_KEYMENU);
    EXPECT_EQ(null::SystemMenuOpenCount(), 1);

    // A procedure that swallows the request keeps the menu shut.
    g_passSysCommand = false;
    SendMessage(w, WM_SYSKEYUP, VK_MENU, KeyLParam(0x38));
    EXPECT_EQ(null::SystemMenuOpenCount(), 1);
    // Other keys released with Alt ask for nothing.
    g_seen.clear();
    SendMessage(w, WM_SYSKEYUP, 'X', KeyLParam(0x2D));
    EXPECT_EQ(SeenMessages(), std::vector<uint32_t>{WM_SYSKEYUP});
}

TEST_F(WindowTest, KeyboardStateFollowsTheMessagesTaken) {
    Window* w = MakeWindow();
    PostMessage(w, WM_KEYDOWN, 'A', KeyLParam(0x1E));
    PostMessage(w, WM_SYSKEYDOWN, VK_MENU, KeyLParam(0x38));
    PostMessage(w, WM_KEYUP, 'A', KeyLParam(0x1E));
    const uint8_t* keys = KeyboardState();
    EXPECT_EQ(keys[0x1E], 0); // nothing taken yet
    Message m{};
    ASSERT_TRUE(PeekMessage(&m));
    EXPECT_EQ(keys[0x1E], 0x80);
    ASSERT_TRUE(PeekMessage(&m));
    EXPECT_EQ(keys[0x38], 0x80);
    ASSERT_TRUE(PeekMessage(&m));
    EXPECT_EQ(keys[0x1E], 0); // a key pressed and released between frames was seen down
    EXPECT_EQ(keys[0x38], 0x80);
    null::Reset();
    EXPECT_EQ(keys[0x38], 0);
}

TEST_F(WindowTest, LParamWordsAreReadUnsigned) {
    const LPARAM l = MakeLParam(65535, 40000);
    EXPECT_EQ(LowWord(static_cast<uintptr_t>(l)), 65535u);
    EXPECT_EQ(HighWord(static_cast<uintptr_t>(l)), 40000u);
    EXPECT_EQ(LowWord(static_cast<uintptr_t>(MakeLParam(-1, 0))), 65535u);
    EXPECT_EQ(ScanCodeOf(KeyLParam(0x1C)), 0x1C);
    EXPECT_EQ(ScanCodeOf(KeyLParam(0x1FF)), 0xFF);
}

TEST_F(WindowTest, VirtualKeysOfTheKeysTheProgramsWatch) {
    EXPECT_EQ(VirtualKeyFromScanCode(0x01), static_cast<int>(VK_ESCAPE));
    EXPECT_EQ(VirtualKeyFromScanCode(0x3B), static_cast<int>(VK_F1));
    EXPECT_EQ(VirtualKeyFromScanCode(0x44), 0x79); // F10
    EXPECT_EQ(VirtualKeyFromScanCode(0x58), 0x7B); // F12
    EXPECT_EQ(VirtualKeyFromScanCode(0x38), static_cast<int>(VK_MENU));
    EXPECT_EQ(VirtualKeyFromScanCode(0x1E), 'A');
    EXPECT_EQ(VirtualKeyFromScanCode(0x32), 'M');
    EXPECT_EQ(VirtualKeyFromScanCode(0x0B), '0');
    EXPECT_EQ(VirtualKeyFromScanCode(0x1A), 0); // no letter between P and A
    EXPECT_EQ(VirtualKeyFromScanCode(0xFF), 0);
}

TEST_F(WindowTest, MouseButtonLatchReportsAQuickClickToOnePollOnly) {
    NoteMouseButton(1, true);
    NoteMouseButton(1, false);
    EXPECT_EQ(PollMouseButtons(), 1);
    EXPECT_EQ(PollMouseButtons(), 0);

    NoteMouseButton(2, true); // held: down at every poll
    EXPECT_EQ(PollMouseButtons(), 2);
    EXPECT_EQ(PollMouseButtons(), 2);
    NoteMouseButton(1, true);
    NoteMouseButton(2, false);
    EXPECT_EQ(PollMouseButtons(), 1);
    NoteMouseButton(1, false);
    EXPECT_EQ(PollMouseButtons(), 0);
}

} // namespace
