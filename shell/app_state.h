#pragma once
// The program's global state, written by the start-up code and the window procedure.
#include "platform/surface.h"

namespace plat {
struct Window;
struct Display;
} // namespace plat

struct AppState {
    plat::Window* hwnd = nullptr;
    void* hInstance = nullptr;
    int fullscreen = 0;
    int active = 0;
    int showFps = 0;
    int mouseOffsetX = 0;
    int mouseOffsetY = 0;
    int renderWidth = 0;
    int renderHeight = 0;
    plat::Display* directDraw = nullptr;
    plat::Surface* backSurface = nullptr;
    float lastFps = 0.0f;
    char commandLine[256] = {}; // the game keeps it to find the menu again
};

extern AppState appState;
