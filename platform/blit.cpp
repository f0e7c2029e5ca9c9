// Rectangle copies and fills with DirectDraw's rules and no clipper. The colour-keyed copy runs
// for every sprite and button of every frame, so its row loops are written for the compiler to
// vectorise: fixed-size chunks of plain selects over the pixel type, memcpy for unkeyed rows.
#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/surface.h"

namespace plat {

namespace {

// A rectangle is usable when it is non-empty, not inverted and wholly inside its surface.
bool IsUsable(const Rect& r, const Surface* surface) {
    return r.left < r.right && r.top < r.bottom && r.left >= 0 && r.top >= 0 &&
           r.right <= surface->width && r.bottom <= surface->height;
}

Rect WholeOf(const Surface* surface) {
    return Rect{0, 0, surface->width, surface->height};
}

bool Intersect(const Rect& a, const Rect& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

template <typename Pixel> Pixel* RowOf(Surface* surface, int y) {
    return reinterpret_cast<Pixel*>(surface->pixels + size_t(y) * size_t(surface->pitch));
}

// Chunks of a fixed pixel count let the vectoriser replace the whole inner loop even under the
// cheapest cost model (-O2); the tail is finished one pixel at a time. (Overlapping the tail
// with a last whole chunk is slower: its loads wait on the stores just made.)
template <typename Pixel>
void KeyedRow(Pixel* __restrict dst, const Pixel* __restrict src, int count, Pixel key) {
    constexpr int kChunk = 32 / int(sizeof(Pixel));
    int x = 0;
    for (; x + kChunk <= count; x += kChunk) {
        for (int i = 0; i < kChunk; ++i) {
            const Pixel p = src[x + i];
            dst[x + i] = p == key ? dst[x + i] : p;
        }
    }
    for (; x < count; ++x) {
        const Pixel p = src[x];
        dst[x] = p == key ? dst[x] : p;
    }
}

template <typename Pixel>
void CopyUnstretched(Surface* dst, const Rect& d, Surface* src, const Rect& s, bool keyed) {
    const int width = d.right - d.left;
    const int height = d.bottom - d.top;
    const Pixel key = Pixel(src->colorKey);
    for (int y = 0; y < height; ++y) {
        Pixel* out = RowOf<Pixel>(dst, d.top + y) + d.left;
        const Pixel* in = RowOf<Pixel>(src, s.top + y) + s.left;
        if (keyed)
            KeyedRow(out, in, width, key);
        else
            std::memcpy(out, in, size_t(width) * sizeof(Pixel));
    }
}

// Nearest neighbour, sampling the source at the centre of each destination pixel.
template <typename Pixel>
void CopyStretched(Surface* dst, const Rect& d, Surface* src, const Rect& s, bool keyed) {
    const int64_t dw = d.right - d.left, dh = d.bottom - d.top;
    const int64_t sw = s.right - s.left, sh = s.bottom - s.top;
    std::vector<int> columns(static_cast<size_t>(dw));
    for (int64_t x = 0; x < dw; ++x)
        columns[size_t(x)] = s.left + int((2 * x + 1) * sw / (2 * dw));
    const Pixel key = Pixel(src->colorKey);
    for (int64_t y = 0; y < dh; ++y) {
        const int sy = s.top + int((2 * y + 1) * sh / (2 * dh));
        Pixel* out = RowOf<Pixel>(dst, d.top + int(y)) + d.left;
        const Pixel* in = RowOf<Pixel>(src, sy);
        for (int64_t x = 0; x < dw; ++x) {
            const Pixel p = in[columns[size_t(x)]];
            if (!keyed || p != key)
                out[x] = p;
        }
    }
}

template <typename Pixel>
void Copy(Surface* dst, const Rect& d, Surface* src, const Rect& s, bool keyed) {
    if (d.right - d.left == s.right - s.left && d.bottom - d.top == s.bottom - s.top)
        CopyUnstretched<Pixel>(dst, d, src, s, keyed);
    else
        CopyStretched<Pixel>(dst, d, src, s, keyed);
}

void CopyAny(Surface* dst, const Rect& d, Surface* src, const Rect& s, bool keyed) {
    if (dst->depth == 8)
        Copy<uint8_t>(dst, d, src, s, keyed);
    else
        Copy<uint16_t>(dst, d, src, s, keyed);
}

// A copy within one surface whose rectangles overlap reads from a snapshot of the source, so
// that rows already written are not read again.
bool CopyThroughSnapshot(Surface* dst, const Rect& d, Surface* src, const Rect& s, bool keyed) {
    Surface* snapshot = CreateSurface(s.right - s.left, s.bottom - s.top, src->depth);
    if (!snapshot)
        return false;
    const Rect whole = WholeOf(snapshot);
    CopyAny(snapshot, whole, src, s, false);
    snapshot->colorKey = src->colorKey;
    CopyAny(dst, d, snapshot, whole, keyed);
    ReleaseSurface(snapshot);
    return true;
}

template <typename Pixel> void Fill(Surface* dst, const Rect& d, Pixel value) {
    const int width = d.right - d.left;
    for (int y = d.top; y < d.bottom; ++y)
        std::fill_n(RowOf<Pixel>(dst, y) + d.left, width, value);
}

} // namespace

bool Blt(Surface* dst, const Rect* dstRect, Surface* src, const Rect* srcRect, uint32_t flags) {
    if (!dst || !src || !dst->pixels || !src->pixels || dst->depth != src->depth)
        return false;
    const Rect d = dstRect ? *dstRect : WholeOf(dst);
    const Rect s = srcRect ? *srcRect : WholeOf(src);
    if (!IsUsable(d, dst) || !IsUsable(s, src))
        return false;
    // A key requested from a surface that has none copies every pixel.
    const bool keyed = (flags & BLT_KEYSRC) && src->hasColorKey;
    if (dst == src && Intersect(d, s)) {
        if (!CopyThroughSnapshot(dst, d, src, s, keyed))
            return false;
    } else {
        CopyAny(dst, d, src, s, keyed);
    }
    MarkWritten(dst, d);
    return true;
}

bool FillRect(Surface* dst, const Rect* dstRect, uint32_t value) {
    if (!dst || !dst->pixels)
        return false;
    const Rect d = dstRect ? *dstRect : WholeOf(dst);
    if (!IsUsable(d, dst))
        return false;
    if (dst->depth == 8)
        Fill<uint8_t>(dst, d, uint8_t(value));
    else
        Fill<uint16_t>(dst, d, uint16_t(value));
    MarkWritten(dst, d);
    return true;
}

} // namespace plat
