#include "shell/main_window.h"

#include <cstdio>

#include "core/mouse_cursor.h"
#include "platform/profile.h"
#include "screens/screen_manager.h"
#include "shell/app_state.h"
#include "shell/program.h"
#include "shell/shutdown.h"
#include "zel/zel.h"

namespace {
constexpr const char* kClassName = "DirectX Class";
constexpr int kWidth = 800;
constexpr int kHeight = 600;
// SDL gives client coordinates, so the frame and caption metrics of the offsets are 0.
constexpr int kFrameMetric = 0;
constexpr int kCaptionMetric = 0;

void OnMaximised(int clientWidth, int clientHeight) {
    const int x = clientWidth / 2 - 399;
    const int y = clientHeight / 2 - 300;
    ZelSetWindowXY(x, y);
    appState.mouseOffsetX = x;
    appState.mouseOffsetY = y - kFrameMetric - kCaptionMetric;
}

// F11: full screen or the window, kept for the next start.
void ToggleFullscreen(plat::Window* hwnd) {
    appState.fullscreen = appState.fullscreen ? 0 : 1;
    plat::SetFullscreen(hwnd, appState.fullscreen != 0);
    if (!plat::WriteProfileString("setup", "fullscreen", appState.fullscreen ? "1" : "0",
                                  ".\\setup.ini"))
        std::fprintf(stderr, "The full-screen choice could not be kept for the next start.\n");
}
} // namespace

int RegisterWindowClass(void*) {
    return plat::RegisterWindowClass(kClassName, WindowProc) ? 1 : 0;
}

int CreateMainWindow(void*) {
    const ProgramConfig& program = CurrentProgram();
    const int desktopW = plat::DesktopWidth();
    const int desktopH = plat::DesktopHeight();
    // Centred at a whole multiple of the picture (more than 1 on a high-density screen); a
    // full-screen window covers the desktop and comes back to this place on F11.
    const int scale = plat::WindowScale();
    const plat::WindowOptions options{kClassName,
                                      program.title,
                                      desktopW / 2 - kWidth * scale / 2,
                                      desktopH / 2 - kHeight * scale / 2,
                                      kWidth * scale,
                                      kHeight * scale,
                                      appState.fullscreen != 0};
    appState.hwnd = plat::CreateMainWindow(options);
    if (!appState.hwnd)
        return 0;
    if (!appState.fullscreen && program.topmostOnSmallDesktop && desktopW == kWidth &&
        desktopH == kHeight)
        plat::SetTopmost(appState.hwnd);
    plat::ShowWindow(appState.hwnd);
    appState.renderWidth = kWidth;
    appState.renderHeight = kHeight;
    return 1;
}

void SetWindowTitle(const char* text) {
    char caption[256];
    std::snprintf(caption, sizeof caption, "%s - %s", CurrentProgram().title, text ? text : "");
    plat::SetWindowTitle(appState.hwnd, caption);
}

plat::LRESULT WindowProc(plat::Window* hwnd, uint32_t message, plat::WPARAM wParam,
                         plat::LPARAM lParam) {
    using namespace plat;
    screenManager.RouteMessage(hwnd, message, wParam, lParam);
    switch (message) {
    case WM_ACTIVATEAPP:
        appState.active = wParam != 0;
        break;
    case WM_ACTIVATE:
        if (LowWord(wParam) == WA_INACTIVE) {
            ZelAcquireMouse(0);
            appState.active = 0;
        } else if (LowWord(wParam) == WA_ACTIVE) {
            ZelAcquireMouse(1);
            appState.active = 1;
            plat::SetFocus(hwnd);
        }
        break;
    case WM_MOVE:
        if (IsWindowAlive(hwnd)) {
            int x = 0, y = 0;
            ClientOriginOnScreen(hwnd, &x, &y);
            ZelSetWindowXY(x, y);
        }
        break;
    case WM_SIZE:
        if (wParam == SIZE_MAXIMIZED)
            OnMaximised(static_cast<int>(LowWord(lParam)), static_cast<int>(HighWord(lParam)));
        else if (wParam == SIZE_RESTORED)
            appState.mouseOffsetX = appState.mouseOffsetY = 0;
        break;
    case WM_MOUSEMOVE:
        if (appState.active == 1)
            mouseCursor.SetPosition(static_cast<int>(LowWord(lParam)) - appState.mouseOffsetX,
                                    static_cast<int>(HighWord(lParam)) - appState.mouseOffsetY);
        break;
    case WM_KEYUP:
        if (wParam == VK_ESCAPE)
            PostMessage(hwnd, WM_CLOSE, 0, 0);
        else if (wParam == VK_F1)
            appState.showFps = 1 - appState.showFps;
        else if (wParam == VK_F11)
            ToggleFullscreen(hwnd);
        break;
    case WM_SYSCOMMAND:
        if (wParam == SC_KEYMENU)
            return 0; // Alt alone must not open the window menu
        break;
    case WM_CLOSE:
        plat::DestroyWindow(hwnd);
        break;
    case WM_DESTROY:
        Shutdown();
        break;
    default:
        break;
    }
    return DefWindowProc(hwnd, message, wParam, lParam);
}
