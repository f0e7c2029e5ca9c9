#pragma once
// Shared between the backend-neutral window code and the SDL backend.
#include <string>

#include "platform/surface.h"
#include "platform/window.h"

struct SDL_Window;

namespace plat {

struct Window {
    WindowProc proc = nullptr;
    SDL_Window* sdlWindow = nullptr;
    bool alive = true;
    bool fullscreen = false;
    bool maximized = false;
    std::string title;
};

namespace sdl {
bool EnsureVideo();
bool CreateWindow(Window* window, const WindowOptions& options);
void DestroyWindow(Window* window);
void ShowWindow(Window* window);
void SetTitle(Window* window, const char* text);
void SetTopmost(Window* window);
void SetFullscreen(Window* window, bool on);
int WholeScale();
double DesktopDensity();         // dots per inch
void PumpEvents(Window* window); // turns pending SDL events into posted messages
bool ClientOrigin(Window* window, int* x, int* y);
int DesktopWidth();
int DesktopHeight();
bool GetCursorPos(int* x, int* y);
void ShowMessageBox(const char* text, const char* caption);
} // namespace sdl

namespace null {
void RecordMessageBox(const char* text, const char* caption);
void RecordDefWindowProc(uint32_t message);
void RecordSystemMenuOpen();
void RecordProgramStart(const std::string& program, const std::string& parameter,
                        const std::string& workDir);
void RecordAddress(const char* address);
int DesktopWidth();
int DesktopHeight();
int DesktopDepth();
bool Probe(bool* hasVersion7);
bool DisplayInitFails();
void NotifyFlip();
bool GetCursorPos(int* x, int* y);
} // namespace null

} // namespace plat

namespace plat::sdl {
bool InitRenderer(Window* window, int width, int height);
void ShutdownRenderer();
// Uploads the changed rectangle of the picture and presents the picture scaled to the window:
// centred, or in a maximised window at the picture offset.
bool Present(const uint16_t* pixels, int pitch, const Rect& changed, bool maximized, int offsetX,
             int offsetY);
// Waits for the next frame: after a present only when vsync does not already wait; after a flip
// that presented nothing, for input (a tenth of a second at most) when idleWait is set.
void Pace(bool presented, bool idleWait);
const char* LastError();
} // namespace plat::sdl
