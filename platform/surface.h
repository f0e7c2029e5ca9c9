#pragma once
// Off-screen 16-bit (RGB565) and 8-bit surfaces with DirectDraw's blit rules: a rectangle that
// lies outside its surface, is empty or is inverted is refused and nothing is drawn; a size
// difference between source and destination stretches; a source colour key skips key pixels.
#include <cstddef>
#include <cstdint>

namespace plat {

// The types sit in a namespace of their own so that argument-dependent lookup on a Surface does
// not drag in the functions below: the graphics layer has free functions of the same names
// (ReleaseSurface, UnlockSurface) taking the same pointer, and unqualified calls must find those.
namespace surface_types {

struct Rect {
    int32_t left, top, right, bottom; // right and bottom exclusive
};

struct PixelFormat {
    int bitsPerPixel; // 16 or 8
    uint32_t redMask, greenMask, blueMask, alphaMask;
};

struct Surface {
    int width = 0;
    int height = 0;
    int pitch = 0; // bytes per row
    int depth = 16;
    uint8_t* pixels = nullptr;
    bool hasColorKey = false;
    uint16_t colorKey = 0;
    int lockCount = 0;
    // Region written since the last ClearWritten: every blit, fill and lock widens it.
    Rect written{0, 0, 0, 0};
};

} // namespace surface_types

using surface_types::PixelFormat;
using surface_types::Rect;
using surface_types::Surface;

// The key value of pure blue (0, 0, 255) in RGB565.
constexpr uint16_t kBlueKey = 0x001F;

// Blit flags, DirectDraw's values.
constexpr uint32_t BLT_KEYSRC = 0x00008000;
constexpr uint32_t BLT_WAIT = 0x01000000;

Surface* CreateSurface(int width, int height, int depth = 16); // null when refused
void ReleaseSurface(Surface* surface);
PixelFormat GetPixelFormat(const Surface* surface);

void SetColorKey(Surface* surface, uint16_t key);

// Copies srcRect of src into dstRect of dst (null rectangles mean the whole surface). Returns
// false, drawing nothing, when a rectangle is empty, inverted or outside its surface. With
// BLT_KEYSRC pixels equal to the source's colour key are skipped.
bool Blt(Surface* dst, const Rect* dstRect, Surface* src, const Rect* srcRect, uint32_t flags);
// Fills dstRect (null: the whole surface) with a pixel value; refuses bad rectangles as Blt.
bool FillRect(Surface* dst, const Rect* dstRect, uint32_t value);

uint8_t* LockSurface(Surface* surface, int* pitch); // marks the whole surface written
void UnlockSurface(Surface* surface);

void MarkWritten(Surface* surface, const Rect& r);
void ClearWritten(Surface* surface);
bool HasWritten(const Surface* surface);

// Bitmap files of any BMP depth, converted to RGB565 (depth 16) or kept 8-bit (depth 8).
// Paths go through the platform's path mapping ("\" and case-insensitive lookup).
Surface* LoadBitmapFile(const char* path, int depth = 16);
Surface* LoadBitmapBytes(const void* data, size_t size, int depth = 16);

} // namespace plat
