#pragma once
// One top-level window per program and a message queue in the Windows manner: messages are
// taken with PeekMessage and handed to the window procedure with DispatchMessage; the window
// procedure passes what it does not handle to DefWindowProc.
#include "platform/messages.h"

namespace plat {

using WindowProc = LRESULT (*)(Window* window, uint32_t message, WPARAM wParam, LPARAM lParam);

bool RegisterWindowClass(const char* className, WindowProc proc);

// The window's place and size are those of its windowed state; a full-screen window covers
// the desktop and returns to them when it leaves full screen.
struct WindowOptions {
    const char* className;
    const char* title;
    int x, y, width, height; // outer size; the client area is the same (no frame metrics)
    bool fullscreen;         // desktop-sized, picture scaled to fit
};
Window* CreateMainWindow(const WindowOptions& options); // null when no window could be made
void SetTopmost(Window* window);
// Between full screen and the window; the picture is scaled to either.
void SetFullscreen(Window* window, bool on);
bool IsFullscreen(Window* window);
// The whole multiple of 800 by 600 a window should open at: above 1 on high-density screens,
// never larger than the desktop holds.
int WindowScale();
// Shows the window; a newly shown window is activated at once (activate-app and activate).
void ShowWindow(Window* window);
void SetFocus(Window* window);
void SetWindowTitle(Window* window, const char* text);
// Sends WM_DESTROY to the window procedure before returning; false for a window that is gone.
bool DestroyWindow(Window* window);
bool IsWindowAlive(Window* window);
bool IsMaximized(Window* window);
// Screen position of the client area's corner (0, 0).
bool ClientOriginOnScreen(Window* window, int* x, int* y);

bool PeekMessage(Message* out); // takes the oldest message, waiting for none
// Moves the desktop's pending events into the message queue without taking or acting on any,
// so a program that is busy for a while (an animation) still answers the desktop and is never
// shown as not responding; the next PeekMessage finds the messages in their order.
void QueuePendingEvents();
LRESULT DispatchMessage(const Message& message);
void TranslateMessage(const Message& message);
LRESULT SendMessage(Window* window, uint32_t message, WPARAM wParam, LPARAM lParam);
void PostMessage(Window* window, uint32_t message, WPARAM wParam, LPARAM lParam);
void PostQuitMessage(int exitCode);
LRESULT DefWindowProc(Window* window, uint32_t message, WPARAM wParam, LPARAM lParam);

// Desktop facts. The layer always presents a 16-bit picture, so the real backend reports 16.
int DesktopWidth();
int DesktopHeight();
int DesktopDepth();
// The display probe: whether a display object can be made, and whether it is the 7th version.
bool ProbeDisplay(bool* hasVersion7);
bool GetCursorPos(int* x, int* y);

} // namespace plat
