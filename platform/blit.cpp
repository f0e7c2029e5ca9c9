// Rectangle copies and fills with DirectDraw's rules and no clipper. The colour-keyed copy runs
// for every sprite and button of every frame, so its rows go through in whole SIMD chunks (and
// unkeyed rows through memcpy).
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

// Rows go through in 32-byte chunks held in the compiler's generic vector type: plain C++ that
// gcc and clang turn into SIMD compares and selects for whatever the target offers, without the
// guesswork of the auto-vectoriser (which at -O3 likes to vectorise across chunks instead, at a
// tenth of the speed). Everything on the row path is forced inline so that the unstretched copy
// below can be built twice, for 256-bit vectors and for the baseline, and so that no vector ever
// crosses a call (the compilers warn that such calls would differ between the two builds).
#pragma GCC diagnostic ignored "-Wpsabi"
#define BLIT_INLINE inline __attribute__((always_inline))
template <typename Pixel> struct Chunk {
    static constexpr int kPixels = 32 / int(sizeof(Pixel));
    typedef Pixel Vector __attribute__((vector_size(32)));

    static BLIT_INLINE Vector Load(const Pixel* p) {
        Vector v;
        std::memcpy(&v, p, sizeof(v));
        return v;
    }
    static BLIT_INLINE void Store(Pixel* p, Vector v) { std::memcpy(p, &v, sizeof(v)); }
    static BLIT_INLINE Vector Splat(Pixel value) {
        Vector v;
        for (int i = 0; i < kPixels; ++i)
            v[i] = value;
        return v;
    }
    // Source pixels, except where the source holds the key: there the destination stays.
    static BLIT_INLINE Vector Keyed(Vector source, Vector target, Vector key) {
        const Vector isKey = Vector(source == key);
        return (target & isKey) | (source & ~isKey);
    }
};

// A ragged end of a row is one more whole chunk overlapping its neighbour, worked out from the
// row's original pixels before the main loop and stored after it: for the overlapping pixels the
// keyed choice gives the same value either way, and no load waits on a store just made.
template <typename Pixel>
BLIT_INLINE void KeyedRow(Pixel* __restrict dst, const Pixel* __restrict src, int count, Pixel key,
                          typename Chunk<Pixel>::Vector keys) {
    using C = Chunk<Pixel>;
    if (count < C::kPixels) {
        for (int x = 0; x < count; ++x) {
            const Pixel p = src[x];
            dst[x] = p == key ? dst[x] : p;
        }
        return;
    }
    const int tailStart = count - C::kPixels;
    const typename C::Vector tail =
        C::Keyed(C::Load(src + tailStart), C::Load(dst + tailStart), keys);
    for (int x = 0; x + C::kPixels <= count; x += C::kPixels)
        C::Store(dst + x, C::Keyed(C::Load(src + x), C::Load(dst + x), keys));
    C::Store(dst + tailStart, tail);
}

template <typename Pixel>
BLIT_INLINE void CopyUnstretched(Surface* dst, const Rect& d, Surface* src, const Rect& s,
                                 bool keyed) {
    const int width = d.right - d.left;
    const int height = d.bottom - d.top;
    const Pixel key = Pixel(src->colorKey);
    const auto keys = Chunk<Pixel>::Splat(key);
    for (int y = 0; y < height; ++y) {
        Pixel* out = RowOf<Pixel>(dst, d.top + y) + d.left;
        const Pixel* in = RowOf<Pixel>(src, s.top + y) + s.left;
        if (keyed)
            KeyedRow(out, in, width, key, keys);
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

// The copy of every sprite and button of every frame, built twice: for processors with 256-bit
// vectors and for the baseline. The choice is made on the first call, not by a load-time
// resolver, which would run before the sanitizers' runtimes are ready.
__attribute__((target("avx2"))) void
CopyUnstretched16Avx2(Surface* dst, const Rect& d, Surface* src, const Rect& s, bool keyed) {
    CopyUnstretched<uint16_t>(dst, d, src, s, keyed);
}

void CopyUnstretched16(Surface* dst, const Rect& d, Surface* src, const Rect& s, bool keyed) {
    static const bool hasAvx2 = __builtin_cpu_supports("avx2");
    if (hasAvx2)
        CopyUnstretched16Avx2(dst, d, src, s, keyed);
    else
        CopyUnstretched<uint16_t>(dst, d, src, s, keyed);
}

template <typename Pixel>
void Copy(Surface* dst, const Rect& d, Surface* src, const Rect& s, bool keyed) {
    if (d.right - d.left == s.right - s.left && d.bottom - d.top == s.bottom - s.top) {
        if constexpr (sizeof(Pixel) == 2)
            CopyUnstretched16(dst, d, src, s, keyed);
        else
            CopyUnstretched<Pixel>(dst, d, src, s, keyed);
    } else
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
