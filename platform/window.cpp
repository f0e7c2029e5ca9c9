#include <cstring>
#include <deque>
#include <map>
#include <mutex>

#include "platform/backend.h"
#include "platform/input.h"
#include "platform/window_internal.h"

namespace plat {
namespace {

std::mutex g_queueMutex;
std::deque<Message> g_queue;
bool g_quitPosted = false;
int g_quitCode = 0;
std::map<std::string, WindowProc> g_classes;
Window* g_mainWindow = nullptr;

bool IsSdl() {
    return CurrentBackend() == BackendKind::Sdl;
}

bool TakeQueued(Message* out) {
    std::lock_guard<std::mutex> lock(g_queueMutex);
    if (!g_queue.empty()) {
        *out = g_queue.front();
        g_queue.pop_front();
        return true;
    }
    // As on Windows, the quit message comes only once the queue holds nothing else.
    if (g_quitPosted) {
        g_quitPosted = false;
        *out = Message{nullptr, WM_QUIT, static_cast<WPARAM>(g_quitCode), 0};
        return true;
    }
    return false;
}

// The keyboard state follows the messages in queue order, so a key pressed and released
// between two frames is still seen down by whoever reads the state with the key-down message.
void TrackKeyState(const Message& m) {
    if (m.message == WM_KEYDOWN || m.message == WM_SYSKEYDOWN)
        NoteKey(ScanCodeOf(m.lParam), true);
    else if (m.message == WM_KEYUP || m.message == WM_SYSKEYUP)
        NoteKey(ScanCodeOf(m.lParam), false);
}

} // namespace

bool RegisterWindowClass(const char* className, WindowProc proc) {
    if (!className || !proc)
        return false;
    g_classes[className] = proc;
    return true;
}

Window* CreateMainWindow(const WindowOptions& options) {
    auto it = g_classes.find(options.className ? options.className : "");
    if (it == g_classes.end())
        return nullptr;
    auto* window = new Window;
    window->proc = it->second;
    window->fullscreen = options.fullscreen;
    window->title = options.title ? options.title : "";
    if (IsSdl() && !sdl::CreateWindow(window, options)) {
        delete window;
        return nullptr;
    }
    g_mainWindow = window;
    return window;
}

void SetTopmost(Window* window) {
    if (window && window->alive && IsSdl())
        sdl::SetTopmost(window);
}

void SetFullscreen(Window* window, bool on) {
    if (!window || !window->alive || window->fullscreen == on)
        return;
    window->fullscreen = on;
    if (IsSdl())
        sdl::SetFullscreen(window, on);
}

bool IsFullscreen(Window* window) {
    return window && window->fullscreen;
}

int WindowScale() {
    return IsSdl() ? sdl::WholeScale() : 1;
}

void ShowWindow(Window* window) {
    if (!window || !window->alive)
        return;
    if (IsSdl())
        sdl::ShowWindow(window);
    // A new top-level window is activated when shown, whether or not a window manager gives
    // it the focus (there is none under a bare X server).
    SendMessage(window, WM_ACTIVATEAPP, 1, 0);
    SendMessage(window, WM_ACTIVATE, WA_ACTIVE, 0);
}

void SetFocus(Window*) {}

void SetWindowTitle(Window* window, const char* text) {
    if (!window || !window->alive)
        return;
    window->title = text ? text : "";
    if (IsSdl())
        sdl::SetTitle(window, window->title.c_str());
}

bool DestroyWindow(Window* window) {
    if (!window || !window->alive)
        return false;
    window->alive = false;
    if (window->proc)
        window->proc(window, WM_DESTROY, 0, 0);
    if (IsSdl())
        sdl::DestroyWindow(window);
    // The handle stays valid (and dead) for messages still in flight; it is never reused.
    return true;
}

bool IsWindowAlive(Window* window) {
    return window && window->alive;
}
bool IsMaximized(Window* window) {
    return window && window->maximized;
}

bool ClientOriginOnScreen(Window* window, int* x, int* y) {
    if (!window || !window->alive)
        return false;
    if (IsSdl())
        return sdl::ClientOrigin(window, x, y);
    *x = 0;
    *y = 0;
    return true;
}

bool PeekMessage(Message* out) {
    if (!out)
        return false;
    if (!TakeQueued(out)) {
        if (!IsSdl() || !g_mainWindow || !g_mainWindow->alive)
            return false;
        sdl::PumpEvents(g_mainWindow);
        if (!TakeQueued(out))
            return false;
    }
    TrackKeyState(*out);
    return true;
}

void QueuePendingEvents() {
    if (IsSdl() && g_mainWindow && g_mainWindow->alive)
        sdl::PumpEvents(g_mainWindow);
}

void TranslateMessage(const Message&) {}

LRESULT DispatchMessage(const Message& m) {
    if (!m.window || !m.window->proc)
        return 0;
    return m.window->proc(m.window, m.message, m.wParam, m.lParam);
}

LRESULT SendMessage(Window* window, uint32_t message, WPARAM wParam, LPARAM lParam) {
    if (!window || !window->proc)
        return 0;
    return window->proc(window, message, wParam, lParam);
}

void PostMessage(Window* window, uint32_t message, WPARAM wParam, LPARAM lParam) {
    std::lock_guard<std::mutex> lock(g_queueMutex);
    g_queue.push_back(Message{window, message, wParam, lParam});
}

void PostQuitMessage(int exitCode) {
    std::lock_guard<std::mutex> lock(g_queueMutex);
    g_quitPosted = true;
    g_quitCode = exitCode;
}

LRESULT DefWindowProc(Window* window, uint32_t message, WPARAM wParam, LPARAM) {
    if (!IsSdl())
        null::RecordDefWindowProc(message);
    switch (message) {
    case WM_CLOSE:
        DestroyWindow(window);
        return 0;
    case WM_SYSKEYUP:
        // Releasing Alt asks for the window menu, as on Windows.
        if (wParam == VK_MENU)
            SendMessage(window, WM_SYSCOMMAND, SC_KEYMENU, 0);
        return 0;
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == SC_KEYMENU && !IsSdl())
            null::RecordSystemMenuOpen();
        return 0;
    default:
        return 0;
    }
}

int DesktopWidth() {
    return IsSdl() ? sdl::DesktopWidth() : null::DesktopWidth();
}
int DesktopHeight() {
    return IsSdl() ? sdl::DesktopHeight() : null::DesktopHeight();
}
int DesktopDepth() {
    return IsSdl() ? 16 : null::DesktopDepth();
}

bool ProbeDisplay(bool* hasVersion7) {
    if (!IsSdl())
        return null::Probe(hasVersion7);
    if (hasVersion7)
        *hasVersion7 = true;
    return true;
}

bool GetCursorPos(int* x, int* y) {
    if (!x || !y)
        return false;
    return IsSdl() ? sdl::GetCursorPos(x, y) : null::GetCursorPos(x, y);
}

} // namespace plat
