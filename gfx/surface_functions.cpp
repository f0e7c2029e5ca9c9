// The surface helpers every drawing class uses. They keep no state and own only the surfaces
// they create and hand back.
#include "gfx/surface_functions.h"

#include <algorithm>

#include "zel/zel.h"

namespace {

// A component's top bits moved to their place in the pixel; shifts are kept inside the word so
// that an odd format cannot shift by a negative or oversized amount.
uint32_t PlaceComponent(int value, int bits, int shiftLeft) {
    const int shiftRight = 8 - bits;
    if (bits <= 0 || shiftRight < 0 || shiftLeft < 0 || shiftLeft > 24)
        return 0;
    return (uint32_t(value & 0xFF) >> shiftRight) << shiftLeft;
}

} // namespace

uint16_t RGBToPixel(Surface* surface, int red, int green, int blue) {
    if (!surface)
        return 0;
    int redBits = 0, greenBits = 0, blueBits = 0, alphaBits = 0;
    ZelGetRGBABits(plat::GetPixelFormat(surface), &redBits, &greenBits, &blueBits, &alphaBits);
    const uint32_t value = PlaceComponent(red, redBits, greenBits + blueBits) +
                           PlaceComponent(green, greenBits, blueBits) +
                           PlaceComponent(blue, blueBits, 0);
    return uint16_t(value & 0xFFFF);
}

void SetColorKeyRGB(Surface* surface, int red, int green, int blue) {
    if (surface)
        plat::SetColorKey(surface, RGBToPixel(surface, red, green, blue));
}

// Off-screen surfaces live in plain memory here, so no display object is needed to make one.
Surface* MakeSurface(int width, int height) {
    Surface* surface = plat::CreateSurface(width, height, 16);
    if (surface)
        plat::SetColorKey(surface, 0);
    return surface;
}

void FillSurface(Surface* surface, uint32_t pixel) {
    if (surface)
        plat::FillRect(surface, nullptr, pixel);
}

void GetSurfaceSize(Surface* surface, int* width, int* height) {
    if (width)
        *width = surface ? surface->width : 0;
    if (height)
        *height = surface ? surface->height : 0;
}

void* LockSurface(Surface* surface, SurfaceDesc* descOut) {
    if (!surface)
        return nullptr;
    int pitch = 0;
    uint8_t* pixels = plat::LockSurface(surface, &pitch);
    if (descOut)
        *descOut =
            SurfaceDesc{surface->width, surface->height, pitch, plat::GetPixelFormat(surface)};
    return pixels;
}

void UnlockSurface(Surface* surface) {
    plat::UnlockSurface(surface);
}

// For hit tests and font measuring, not for drawing. Outside the surface the value is 0.
int GetPixelValue(Surface* surface, int x, int y) {
    if (!surface || x < 0 || y < 0 || x >= surface->width || y >= surface->height)
        return 0;
    SurfaceDesc desc{};
    auto* pixels = static_cast<const uint8_t*>(LockSurface(surface, &desc));
    if (!pixels)
        return 0;
    int value;
    if (desc.format.bitsPerPixel == 8)
        value = pixels[size_t(y) * desc.pitch + x];
    else
        value = reinterpret_cast<const uint16_t*>(pixels)[size_t(y) * (desc.pitch / 2) + x];
    UnlockSurface(surface);
    return value;
}

SurfaceRect CenterRect(Surface* surface, int x, int y, int w, int h) {
    int width = 0, height = 0;
    GetSurfaceSize(surface, &width, &height);
    const int left = x + w / 2 - width / 2;
    const int top = y + h / 2 - height / 2;
    return SurfaceRect{left, top, left + width, top + height};
}

int SplitSurface(Surface* source, FrameList* frames, int frameWidth, int frameHeight,
                 int* columnsOut) {
    if (!source || !frames || frameWidth <= 0 || frameHeight <= 0) {
        if (columnsOut)
            *columnsOut = 0;
        return 0;
    }
    int width = 0, height = 0;
    GetSurfaceSize(source, &width, &height);
    // A remainder at the right or bottom edge is not a frame.
    const int columns = width / frameWidth;
    const int rows = height / frameHeight;
    if (columnsOut)
        *columnsOut = columns;
    for (int i = 0; i < columns * rows; ++i) {
        Surface* frame = MakeSurface(frameWidth, frameHeight);
        if (!frame)
            return 0;
        SetColorKeyRGB(frame, 0, 0, 255);
        frames->Add(frame);
        const int left = frameWidth * (i % columns);
        const int top = frameHeight * (i / columns);
        const SurfaceRect from{left, top, left + frameWidth, top + frameHeight};
        plat::Blt(frame, nullptr, source, &from, plat::BLT_WAIT);
    }
    return 1;
}

int LoadFrames(const char* fileName, FrameList* frames, int frameWidth, int frameHeight,
               int* columnsOut) {
    Surface* bitmap = ZelLoadBitmap(fileName);
    if (!bitmap)
        return 0;
    const int result = SplitSurface(bitmap, frames, frameWidth, frameHeight, columnsOut);
    ReleaseSurface(bitmap);
    return result;
}

namespace {
int32_t SaturatedInt(int64_t value) {
    return int32_t(std::clamp<int64_t>(value, INT32_MIN, INT32_MAX));
}

// One axis of a clipped region: the span [t, t + length) on a target of `limit` pixels, and the
// matching span of the source starting at s. Each end cut off the target is cut from the source.
// Worked out in 64 bits, so that spans near the ends of int cannot wrap round onto the target;
// an end beyond int is saturated, which leaves it outside every surface as it was.
void ClipAxis(int s, int t, int length, int limit, int32_t& toLow, int32_t& toHigh,
              int32_t& fromLow, int32_t& fromHigh) {
    const int64_t low = std::max<int64_t>(t, 0);
    const int64_t high = std::min<int64_t>(int64_t(t) + length, limit);
    toLow = SaturatedInt(low);
    toHigh = SaturatedInt(high);
    fromLow = SaturatedInt(s + (low - t));
    fromHigh = SaturatedInt(s + (high - t));
}
} // namespace

// Clipped to the target only: the parts of the region that fall off the target's edges are cut
// from the matching side of the source. A region wholly off the target leaves an empty or
// inverted rectangle, which the blit refuses.
void BltRegion(Surface* source, int sx, int sy, int w, int h, Surface* target, int tx, int ty) {
    if (!source || !target)
        return;
    int targetWidth = 0, targetHeight = 0;
    GetSurfaceSize(target, &targetWidth, &targetHeight);
    SurfaceRect to{}, from{};
    ClipAxis(sx, tx, w, targetWidth, to.left, to.right, from.left, from.right);
    ClipAxis(sy, ty, h, targetHeight, to.top, to.bottom, from.top, from.bottom);
    plat::Blt(target, &to, source, &from, plat::BLT_KEYSRC | plat::BLT_WAIT);
}

void BltSurface(Surface* source, Surface* target, int x, int y) {
    int width = 0, height = 0;
    GetSurfaceSize(source, &width, &height);
    BltRegion(source, 0, 0, width, height, target, x, y);
}

void ReleaseSurface(Surface* surface) {
    plat::ReleaseSurface(surface);
}
