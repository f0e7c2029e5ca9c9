// The SDL side of the window: creation, title, and SDL events turned into window messages.
#include <SDL2/SDL.h>

#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <string>

#include "platform/display.h"
#include "platform/input.h"
#include "platform/picture_view.h"
#include "platform/window_internal.h"

namespace plat::sdl {
namespace {
bool g_altAlone = false; // Alt went down and no other key since

int VirtualKey(const SDL_Keysym& key) {
    SDL_Keycode k = key.sym;
    if (k >= SDLK_a && k <= SDLK_z)
        return 'A' + (k - SDLK_a);
    if (k >= SDLK_0 && k <= SDLK_9)
        return '0' + (k - SDLK_0);
    if (k >= SDLK_F1 && k <= SDLK_F12)
        return 0x70 + (k - SDLK_F1);
    switch (k) {
    case SDLK_ESCAPE:
        return VK_ESCAPE;
    case SDLK_RETURN:
    case SDLK_KP_ENTER:
        return VK_RETURN;
    case SDLK_BACKSPACE:
        return VK_BACK;
    case SDLK_TAB:
        return VK_TAB;
    case SDLK_SPACE:
        return VK_SPACE;
    case SDLK_LSHIFT:
    case SDLK_RSHIFT:
        return VK_SHIFT;
    case SDLK_LCTRL:
    case SDLK_RCTRL:
        return VK_CONTROL;
    case SDLK_LALT:
    case SDLK_RALT:
        return VK_MENU;
    case SDLK_LEFT:
        return 0x25;
    case SDLK_UP:
        return 0x26;
    case SDLK_RIGHT:
        return 0x27;
    case SDLK_DOWN:
        return 0x28;
    default:
        return 0;
    }
}

int ButtonBit(Uint8 button) {
    if (button == SDL_BUTTON_LEFT)
        return 1;
    if (button == SDL_BUTTON_RIGHT)
        return 2;
    return 0;
}

PictureView WindowView(Window* w) {
    int cw = 0, ch = 0;
    SDL_GetWindowSize(w->sdlWindow, &cw, &ch);
    return ViewInWindow(cw, ch, w->maximized, 0, 0);
}

LPARAM MousePosition(Window* w, int x, int y) {
    // Window positions in picture units; the bars around a scaled picture can push them
    // outside it, and a message carries no negative positions.
    WindowToPicture(WindowView(w), w->maximized, &x, &y);
    if (x < 0)
        x = 0;
    if (y < 0)
        y = 0;
    return MakeLParam(x, y);
}

void OnKey(Window* w, const SDL_KeyboardEvent& e) {
    const bool down = e.type == SDL_KEYDOWN;
    const int vk = VirtualKey(e.keysym);
    const int scan = ScanCodeFromSdl(e.keysym.scancode);
    const bool alt = vk == VK_MENU || (e.keysym.mod & KMOD_ALT);
    if (down)
        g_altAlone = vk == VK_MENU;
    uint32_t message;
    if (alt)
        message = down ? WM_SYSKEYDOWN : WM_SYSKEYUP;
    else
        message = down ? WM_KEYDOWN : WM_KEYUP;
    if (!down && vk == VK_MENU && !g_altAlone)
        message = WM_KEYUP; // Alt as part of a combination does not ask for the menu
    PostMessage(w, message, static_cast<WPARAM>(vk), KeyLParam(scan));
}

// The client size in picture units, so that the programs' placement of the picture in a
// maximised window works at any scale.
void PostSize(Window* w) {
    int cw = 0, ch = 0;
    SDL_GetWindowSize(w->sdlWindow, &cw, &ch);
    const double scale = WindowView(w).scale;
    PostMessage(w, WM_SIZE, w->maximized ? SIZE_MAXIMIZED : SIZE_RESTORED,
                MakeLParam(static_cast<int>(cw / scale), static_cast<int>(ch / scale)));
}

void OnWindowEvent(Window* w, const SDL_WindowEvent& e) {
    switch (e.event) {
    case SDL_WINDOWEVENT_FOCUS_GAINED:
        PostMessage(w, WM_ACTIVATEAPP, 1, 0);
        PostMessage(w, WM_ACTIVATE, WA_ACTIVE, 0);
        break;
    case SDL_WINDOWEVENT_FOCUS_LOST:
        PostMessage(w, WM_ACTIVATEAPP, 0, 0);
        PostMessage(w, WM_ACTIVATE, WA_INACTIVE, 0);
        break;
    case SDL_WINDOWEVENT_EXPOSED:
        InvalidateDisplay();
        break;
    case SDL_WINDOWEVENT_MOVED: {
        InvalidateDisplay();
        int x = 0, y = 0;
        SDL_GetWindowPosition(w->sdlWindow, &x, &y);
        PostMessage(w, WM_MOVE, 0, MakeLParam(x, y));
        // Windows sends the move before the size when a window is maximised, so the picture
        // ends at the maximised place; window managers may report the move last.
        if (w->maximized)
            PostSize(w);
        break;
    }
    case SDL_WINDOWEVENT_MAXIMIZED:
    case SDL_WINDOWEVENT_RESTORED:
    case SDL_WINDOWEVENT_SIZE_CHANGED:
        InvalidateDisplay();
        w->maximized = (SDL_GetWindowFlags(w->sdlWindow) & SDL_WINDOW_MAXIMIZED) != 0;
        PostSize(w);
        break;
    case SDL_WINDOWEVENT_CLOSE:
        PostMessage(w, WM_CLOSE, 0, 0);
        break;
    default:
        break;
    }
}
} // namespace

namespace {
// The desktop drivers, each with the variable that names its display.
struct DesktopDriver {
    const char* name;
    const char* displayVariable;
};
constexpr DesktopDriver kDesktopDrivers[] = {{"x11", "DISPLAY"}, {"wayland", "WAYLAND_DISPLAY"}};
// An X server that is busy with other clients may refuse a connection for a moment, so a
// display that is named gets about three seconds to answer; with none named there is nothing
// to wait for.
constexpr int kAttemptsWhileNamed = 30;
constexpr int kAttemptPauseMs = 100;

enum class VideoState { NotStarted, Started, Failed };
VideoState g_video = VideoState::NotStarted;

// Starts SDL's video on the driver named (or the one SDL_VIDEODRIVER names); else `reason`
// is SDL's.
bool StartVideo(const char* driver, std::string* reason) {
    if (driver)
        SDL_SetHint(SDL_HINT_VIDEODRIVER, driver);
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) == 0)
        return true;
    *reason = SDL_GetError();
    return false;
}

bool IsSet(const char* variable) {
    const char* value = getenv(variable);
    return value && *value;
}

// Each desktop driver once, then again for a while those whose display is named; the reasons
// are the last failure of each driver.
bool StartDesktopVideo(std::string* reasons) {
    std::string failures[std::size(kDesktopDrivers)];
    bool displayNamed = false;
    for (int attempt = 0; attempt == 0 || (displayNamed && attempt < kAttemptsWhileNamed);
         ++attempt) {
        if (attempt == 1)
            std::fprintf(stderr, "The display did not answer (%s); trying again.\n",
                         reasons->c_str());
        if (attempt > 0)
            SDL_Delay(kAttemptPauseMs);
        reasons->clear();
        for (size_t i = 0; i < std::size(kDesktopDrivers); ++i) {
            const DesktopDriver& driver = kDesktopDrivers[i];
            const bool named = IsSet(driver.displayVariable);
            displayNamed = displayNamed || named;
            if (attempt == 0 || named) {
                failures[i].clear();
                if (StartVideo(driver.name, &failures[i]))
                    return true;
                if (!named)
                    failures[i] += std::string(" (") + driver.displayVariable + " is not set)";
            }
            *reasons += std::string(i ? "; " : "") + driver.name + ": " + failures[i];
        }
    }
    return false;
}

bool OpenVideo() {
    SDL_SetHint(SDL_HINT_VIDEO_X11_NET_WM_BYPASS_COMPOSITOR, "0");
    // Left to choose by itself, SDL now and then settles on its off-screen driver although the X
    // server is there, and the program runs with no window anyone can see. Only a driver asked for
    // by name (SDL_VIDEODRIVER) may be a headless one; otherwise it is a desktop or nothing.
    std::string reasons;
    if (const char* asked = getenv("SDL_VIDEODRIVER")) {
        if (StartVideo(nullptr, &reasons))
            return true;
        reasons = std::string("SDL_VIDEODRIVER=") + asked + ": " + reasons;
    } else if (StartDesktopVideo(&reasons)) {
        return true;
    }
    std::fprintf(stderr, "No display could be opened (%s).\n", reasons.c_str());
    return false;
}
} // namespace

// Tried once per run: every later caller gets the same answer at once.
bool EnsureVideo() {
    if (g_video == VideoState::NotStarted)
        g_video = OpenVideo() ? VideoState::Started : VideoState::Failed;
    return g_video == VideoState::Started;
}

bool CreateWindow(Window* window, const WindowOptions& options) {
    if (!EnsureVideo())
        return false;
    // Resizable in every mode, so that a window left by F11 can still be resized and maximised;
    // a full-screen window returns to the size it was made with.
    Uint32 flags = SDL_WINDOW_HIDDEN | SDL_WINDOW_RESIZABLE;
    if (options.fullscreen)
        flags |= SDL_WINDOW_FULLSCREEN_DESKTOP;
    window->sdlWindow = SDL_CreateWindow(options.title ? options.title : "", options.x, options.y,
                                         options.width, options.height, flags);
    if (!window->sdlWindow) {
        std::fprintf(stderr, "The window could not be made (%s).\n", SDL_GetError());
        return false;
    }
    SDL_SetWindowMinimumSize(window->sdlWindow, kPictureWidth / 2, kPictureHeight / 2);
    return true;
}

void SetFullscreen(Window* window, bool on) {
    SDL_SetWindowFullscreen(window->sdlWindow, on ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
    InvalidateDisplay();
}

int WholeScale() {
    if (!EnsureVideo())
        return 1;
    return WholeScaleFor(DesktopWidth(), DesktopHeight(), DesktopDensity());
}

void DestroyWindow(Window* window) {
    if (window->sdlWindow)
        SDL_DestroyWindow(window->sdlWindow);
    window->sdlWindow = nullptr;
}

void ShowWindow(Window* window) {
    SDL_ShowWindow(window->sdlWindow);
    SDL_RaiseWindow(window->sdlWindow);
}

void SetTitle(Window* window, const char* text) {
    SDL_SetWindowTitle(window->sdlWindow, text);
}

void SetTopmost(Window* window) {
    SDL_SetWindowAlwaysOnTop(window->sdlWindow, SDL_TRUE);
}

void PumpEvents(Window* w) {
    SDL_Event e;
    while (SDL_PollEvent(&e)) {
        switch (e.type) {
        case SDL_QUIT:
            PostMessage(w, WM_CLOSE, 0, 0);
            break;
        case SDL_WINDOWEVENT:
            OnWindowEvent(w, e.window);
            break;
        case SDL_MOUSEMOTION:
            PostMessage(w, WM_MOUSEMOVE, 0, MousePosition(w, e.motion.x, e.motion.y));
            break;
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP: {
            const bool down = e.type == SDL_MOUSEBUTTONDOWN;
            const int bit = ButtonBit(e.button.button);
            if (!bit)
                break;
            // The button word is read by the timer thread's poll, so it is updated at once.
            NoteMouseButton(bit, down);
            uint32_t message = bit == 1 ? (down ? WM_LBUTTONDOWN : WM_LBUTTONUP)
                                        : (down ? WM_RBUTTONDOWN : WM_RBUTTONUP);
            PostMessage(w, message, 0, MousePosition(w, e.button.x, e.button.y));
            break;
        }
        case SDL_KEYDOWN:
        case SDL_KEYUP:
            OnKey(w, e.key);
            break;
        default:
            break;
        }
    }
}

bool ClientOrigin(Window* window, int* x, int* y) {
    SDL_GetWindowPosition(window->sdlWindow, x, y);
    return true;
}

int DesktopWidth() {
    SDL_DisplayMode mode;
    if (!EnsureVideo() || SDL_GetDesktopDisplayMode(0, &mode) != 0)
        return 800;
    return mode.w;
}

int DesktopHeight() {
    SDL_DisplayMode mode;
    if (!EnsureVideo() || SDL_GetDesktopDisplayMode(0, &mode) != 0)
        return 600;
    return mode.h;
}

bool GetCursorPos(int* x, int* y) {
    if (!EnsureVideo())
        return false;
    SDL_GetGlobalMouseState(x, y);
    return true;
}

void ShowMessageBox(const char* text, const char* caption) {
    if (getenv("SUITE_NO_MESSAGE_BOXES"))
        return; // unattended runs (tests) must not wait for a click
    SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, caption ? caption : "", text ? text : "",
                             nullptr);
}
} // namespace plat::sdl
