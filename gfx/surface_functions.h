#pragma once
// Small free functions over surfaces that every drawing class uses: pixel values, colour keys,
// creating, locking, filling and measuring surfaces, cutting bitmaps into frames, clipped
// transparent blits. They own nothing but the surfaces they create and hand back.
#include <cstdint>

#include "core/ptr_array.h"
#include "platform/surface.h"

using Surface = plat::Surface;
using SurfaceRect = plat::Rect;
using FrameList = PtrArray<Surface>;

struct SurfaceDesc {
    int width, height, pitch;
    plat::PixelFormat format;
};

uint16_t RGBToPixel(Surface* surface, int red, int green, int blue);
void SetColorKeyRGB(Surface* surface, int red, int green, int blue);
Surface* MakeSurface(int width, int height); // colour key black
void FillSurface(Surface* surface, uint32_t pixel);
void GetSurfaceSize(Surface* surface, int* width, int* height);
void* LockSurface(Surface* surface, SurfaceDesc* descOut = nullptr);
void UnlockSurface(Surface* surface);
int GetPixelValue(Surface* surface, int x, int y);
SurfaceRect CenterRect(Surface* surface, int x, int y, int w, int h);
int SplitSurface(Surface* source, FrameList* frames, int frameWidth, int frameHeight,
                 int* columnsOut = nullptr);
int LoadFrames(const char* fileName, FrameList* frames, int frameWidth, int frameHeight,
               int* columnsOut = nullptr);
void BltRegion(Surface* source, int sx, int sy, int w, int h, Surface* target, int tx, int ty);
void BltSurface(Surface* source, Surface* target, int x, int y);
void ReleaseSurface(Surface* surface);
// The diagnostic log "debug.log": nothing is written unless debugLogEnabled is non-zero, which
// no program sets. The file is created (emptied) by the first message of the run.
extern int debugLogEnabled;
void LogMessage(const char* format, ...);
