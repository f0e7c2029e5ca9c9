#pragma once
// The graphics and input library the programs call: display set-up, bitmaps, page flips, text,
// mouse and keyboard. The 24 functions sit on the platform layer.
#include "platform/surface.h"

namespace plat {
struct Window;
struct Display;
} // namespace plat

void ZelSetInstance(void* instance);
void ZelDebugEnable(int enable);
int ZelInitDirectX(plat::Window* window, int width, int height, int depth); // full screen
int ZelInitDirectX(plat::Window* window, int width, int height);            // in a window
void ZelPrintError();
void ZelSetViewport(int x, int y, int width, int height);
plat::Display* ZelGetLPDD();
void ZelGetDDInfo(plat::Surface** primary, plat::Surface** back);
int ZelFlip();
void ZelSetWindowXY(int x, int y);
void ZelGetRGBABits(const plat::PixelFormat& format, int* red, int* green, int* blue, int* alpha);
plat::Surface* ZelLoadBitmap(const char* fileName);
plat::Surface* ZelLoadBitmap(const char* fileName, int depth);
int ZelInitMouse();
int ZelInitKeyboard();
void ZelAcquireMouse(int acquire);
void ZelGetMouseData(int* x, int* y, int* buttons);
const unsigned char* ZelGetKeys(); // 256 bytes by scan code, or null
int ZelInitFont(plat::Window* window);
void ZelFreeFont();
void ZelPrintString(const char* text, int x, int y);
float ZelGetFPS();
void ZelFreeDirectInput();
void ZelFreeDirectX();
