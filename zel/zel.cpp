// Display, input and frame-rate parts of the graphics and input library.
#include "zel/zel.h"

#include <atomic>
#include <chrono>
#include <cstdio>

#include "platform/display.h"
#include "platform/input.h"
#include "platform/message_box.h"
#include "zel/zel_internal.h"

namespace {
std::atomic<bool> g_mouseReady{false};
std::atomic<bool> g_mouseAcquired{false};
bool g_keyboardReady = false;
bool g_fontReady = false;

// Frames counted over the last whole second.
using Clock = std::chrono::steady_clock;
Clock::time_point g_fpsStart = Clock::now();
int g_fpsFrames = 0;
float g_fps = 0.0f;
} // namespace

void ZelSetInstance(void*) {}
void ZelDebugEnable(int) {}

int ZelInitDirectX(plat::Window* window, int width, int height, int) {
    return plat::InitDisplay(window, width, height) ? 1 : 0;
}

int ZelInitDirectX(plat::Window* window, int width, int height) {
    return plat::InitDisplay(window, width, height) ? 1 : 0;
}

void ZelPrintError() {
    plat::ShowMessageBox(plat::DisplayError(), nullptr);
}

void ZelSetViewport(int, int, int, int) {}

plat::Display* ZelGetLPDD() {
    return plat::CurrentDisplay();
}

void ZelGetDDInfo(plat::Surface** primary, plat::Surface** back) {
    if (primary)
        *primary = plat::PrimarySurface();
    if (back)
        *back = plat::BackSurface();
}

int ZelFlip() {
    ++g_fpsFrames;
    auto now = Clock::now();
    auto elapsed = std::chrono::duration<float>(now - g_fpsStart).count();
    if (elapsed >= 1.0f) {
        g_fps = static_cast<float>(g_fpsFrames) / elapsed;
        g_fpsFrames = 0;
        g_fpsStart = now;
    }
    return plat::Flip();
}

void ZelSetWindowXY(int x, int y) {
    plat::SetPictureOffset(x, y);
}

int ZelInitMouse() {
    g_mouseReady = true;
    return 1;
}

int ZelInitKeyboard() {
    g_keyboardReady = true;
    return 1;
}

void ZelAcquireMouse(int acquire) {
    g_mouseAcquired = acquire != 0;
    plat::SetMouseCaptured(acquire != 0);
}

void ZelGetMouseData(int* x, int* y, int* buttons) {
    if (x)
        *x = 0;
    if (y)
        *y = 0;
    int word = 0;
    if (g_mouseReady && g_mouseAcquired)
        word = plat::PollMouseButtons();
    if (buttons)
        *buttons = word;
}

const unsigned char* ZelGetKeys() {
    return g_keyboardReady ? plat::KeyboardState() : nullptr;
}

int ZelInitFont(plat::Window*) {
    g_fontReady = true;
    return 1;
}

void ZelFreeFont() {
    g_fontReady = false;
}

float ZelGetFPS() {
    return g_fps;
}

void ZelFreeDirectInput() {
    g_mouseReady = false;
    g_mouseAcquired = false;
    g_keyboardReady = false;
}

void ZelFreeDirectX() {
    plat::ShutdownDisplay();
}

bool ZelFontReady() {
    return g_fontReady;
}
