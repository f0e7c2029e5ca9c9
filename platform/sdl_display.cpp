// The SDL side of the display: one streaming RGB565 texture, updated where the picture changed
// and drawn scaled to the window (see picture_view.h), and the frame pacing.
#include <SDL2/SDL.h>

#include <chrono>
#include <cstring>
#include <string>
#include <thread>

#include "platform/picture_view.h"
#include "platform/timer.h"
#include "platform/window_internal.h"

namespace plat::sdl {
namespace {
using Clock = std::chrono::steady_clock;
constexpr auto kFrame = std::chrono::microseconds(16667);
// After a frame that changed nothing, the loop waits this long at most for input before the
// next frame: time enough to idle at next to no work, and well under the shortest timed change
// of the screens (a half-second blink), which therefore still shows on time.
constexpr int kIdleWaitMs = 100;

SDL_Renderer* g_renderer = nullptr;
SDL_Texture* g_texture = nullptr;
int g_width = 0, g_height = 0;
std::string g_error;
Clock::time_point g_nextFrame;
// Whether presenting waits for the display: measured over the first presents.
bool g_vsyncRequested = false;
int g_measuredPresents = 0;
Clock::duration g_presentTime{};
bool g_vsyncWorks = false;

// Whether an OpenGL renderer is drawn by the processor (Mesa's llvmpipe, as under Xvfb or on a
// machine without a graphics driver): it then redraws the whole window on every present.
bool DrawnByTheProcessor(SDL_Renderer* renderer) {
    SDL_RendererInfo info{};
    if (SDL_GetRendererInfo(renderer, &info) != 0 || std::strncmp(info.name, "opengl", 6) != 0)
        return false;
    using GetString = const unsigned char* (*)(unsigned);
    auto getString = reinterpret_cast<GetString>(SDL_GL_GetProcAddress("glGetString"));
    constexpr unsigned kGlRenderer = 0x1F01;
    const char* name = getString ? reinterpret_cast<const char*>(getString(kGlRenderer)) : nullptr;
    return name && (std::strstr(name, "llvmpipe") || std::strstr(name, "softpipe") ||
                    std::strstr(name, "Software Rasterizer"));
}

SDL_Renderer* CreateRenderer(SDL_Window* window) {
    SDL_Renderer* renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_PRESENTVSYNC);
    if (renderer && DrawnByTheProcessor(renderer)) {
        // SDL's own software renderer, straight into the X server's shared memory, costs a
        // small part of that: an idle program then stays near zero.
        SDL_DestroyRenderer(renderer);
        SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
        renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE);
    }
    g_vsyncRequested = renderer != nullptr;
    if (!renderer)
        renderer = SDL_CreateRenderer(window, -1, 0);
    return renderer;
}
} // namespace

bool InitRenderer(Window* window, int width, int height) {
    if (!window || !window->sdlWindow) {
        g_error = "There is no window to show the picture in.";
        return false;
    }
    g_renderer = CreateRenderer(window->sdlWindow);
    if (!g_renderer) {
        g_error = std::string("The display could not be set up: ") + SDL_GetError();
        return false;
    }
    g_texture = SDL_CreateTexture(g_renderer, SDL_PIXELFORMAT_RGB565, SDL_TEXTUREACCESS_STREAMING,
                                  width, height);
    if (!g_texture) {
        g_error = std::string("The display could not be set up: ") + SDL_GetError();
        SDL_DestroyRenderer(g_renderer);
        g_renderer = nullptr;
        return false;
    }
    g_width = width;
    g_height = height;
    g_nextFrame = Clock::now();
    g_measuredPresents = 0;
    g_presentTime = {};
    g_vsyncWorks = false;
    return true;
}

void ShutdownRenderer() {
    if (g_texture)
        SDL_DestroyTexture(g_texture);
    if (g_renderer)
        SDL_DestroyRenderer(g_renderer);
    g_texture = nullptr;
    g_renderer = nullptr;
}

bool Present(const uint16_t* pixels, int pitch, const Rect& changed, bool maximized, int offsetX,
             int offsetY) {
    if (!g_renderer)
        return false;
    int outputW = g_width, outputH = g_height;
    SDL_GetRendererOutputSize(g_renderer, &outputW, &outputH);
    const PictureView view = ViewInWindow(outputW, outputH, maximized, offsetX, offsetY);
    SDL_Rect area{changed.left, changed.top, changed.right - changed.left,
                  changed.bottom - changed.top};
    const uint8_t* start =
        reinterpret_cast<const uint8_t*>(pixels) + changed.top * pitch + changed.left * 2;
    if (SDL_UpdateTexture(g_texture, &area, start, pitch) != 0)
        return false;
    // Whole multiples stay sharp; any other size is smoothed.
    const bool whole = view.scale == static_cast<int>(view.scale);
    SDL_SetTextureScaleMode(g_texture, whole ? SDL_ScaleModeNearest : SDL_ScaleModeLinear);
    SDL_SetRenderDrawColor(g_renderer, 0, 0, 0, 255);
    SDL_RenderClear(g_renderer);
    SDL_FRect where{static_cast<float>(view.x), static_cast<float>(view.y),
                    static_cast<float>(g_width * view.scale),
                    static_cast<float>(g_height * view.scale)};
    SDL_RenderCopyF(g_renderer, g_texture, nullptr, &where);
    auto before = Clock::now();
    SDL_RenderPresent(g_renderer);
    if (g_vsyncRequested && g_measuredPresents < 30) {
        g_presentTime += Clock::now() - before;
        if (++g_measuredPresents == 30)
            g_vsyncWorks = g_presentTime / 30 > std::chrono::milliseconds(8);
    }
    return true;
}

void Pace(bool presented, bool idleWait) {
    if (!presented && idleWait) {
        // Input, the window's own events, or the time limit end the wait; the event stays
        // queued for the message pump.
        SetWaitingForInput(true);
        SDL_WaitEventTimeout(nullptr, kIdleWaitMs);
        SetWaitingForInput(false);
        g_nextFrame = Clock::now();
        return;
    }
    auto now = Clock::now();
    if (presented && g_vsyncWorks) {
        g_nextFrame = now + kFrame;
        return;
    }
    g_nextFrame += kFrame;
    if (g_nextFrame < now - kFrame)
        g_nextFrame = now; // fell behind (a long frame): do not race to catch up
    if (g_nextFrame > now)
        std::this_thread::sleep_until(g_nextFrame);
}

const char* LastError() {
    return g_error.c_str();
}
} // namespace plat::sdl
