// Surface memory, colour keys, locking and the written-region bookkeeping that lets the display
// upload only what changed since the last flip.
#include "platform/surface.h"

#include <algorithm>
#include <cstdlib>

namespace plat {

namespace {
// Large enough for any picture the programs use, small enough that a damaged size field cannot
// ask for gigabytes.
constexpr int kMaxSide = 16384;
constexpr int64_t kMaxPixels = 64ll * 1024 * 1024;

bool IsEmpty(const Rect& r) {
    return r.right <= r.left || r.bottom <= r.top;
}
} // namespace

Surface* CreateSurface(int width, int height, int depth) {
    if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide)
        return nullptr;
    if (depth != 8 && depth != 16)
        return nullptr;
    if (int64_t(width) * height > kMaxPixels)
        return nullptr;
    const int bytesPerPixel = depth / 8;
    // Rows start on 4-byte boundaries, as DirectDraw and SDL surfaces do.
    const int pitch = (width * bytesPerPixel + 3) & ~3;
    auto* pixels = static_cast<uint8_t*>(std::calloc(size_t(pitch) * size_t(height), 1));
    if (!pixels)
        return nullptr;
    auto* surface = new Surface;
    surface->width = width;
    surface->height = height;
    surface->pitch = pitch;
    surface->depth = depth;
    surface->pixels = pixels;
    return surface;
}

void ReleaseSurface(Surface* surface) {
    if (!surface)
        return;
    std::free(surface->pixels);
    delete surface;
}

PixelFormat GetPixelFormat(const Surface* surface) {
    if (surface && surface->depth == 8)
        return PixelFormat{8, 0, 0, 0, 0}; // palette indices: no channel masks
    return PixelFormat{16, 0xF800, 0x07E0, 0x001F, 0};
}

void SetColorKey(Surface* surface, uint16_t key) {
    if (!surface)
        return;
    surface->hasColorKey = true;
    surface->colorKey = surface->depth == 8 ? uint16_t(key & 0xFF) : key;
}

uint8_t* LockSurface(Surface* surface, int* pitch) {
    if (!surface)
        return nullptr;
    ++surface->lockCount;
    // Whoever holds the pointer may write anywhere.
    MarkWritten(surface, Rect{0, 0, surface->width, surface->height});
    if (pitch)
        *pitch = surface->pitch;
    return surface->pixels;
}

void UnlockSurface(Surface* surface) {
    if (surface && surface->lockCount > 0)
        --surface->lockCount;
}

void MarkWritten(Surface* surface, const Rect& r) {
    if (!surface)
        return;
    const Rect clipped{std::max(r.left, 0), std::max(r.top, 0), std::min(r.right, surface->width),
                       std::min(r.bottom, surface->height)};
    if (IsEmpty(clipped))
        return;
    Rect& w = surface->written;
    if (IsEmpty(w)) {
        w = clipped;
        return;
    }
    w.left = std::min(w.left, clipped.left);
    w.top = std::min(w.top, clipped.top);
    w.right = std::max(w.right, clipped.right);
    w.bottom = std::max(w.bottom, clipped.bottom);
}

void ClearWritten(Surface* surface) {
    if (surface)
        surface->written = Rect{0, 0, 0, 0};
}

bool HasWritten(const Surface* surface) {
    return surface && !IsEmpty(surface->written);
}

} // namespace plat
