// ZelPrintString: the frame-rate text, drawn with a small built-in font of digits, point and
// the letters of "FPS", on a dark box so it reads on any picture.
#include <cstring>

#include "platform/display.h"
#include "zel/zel.h"

#include "zel/zel_internal.h"

namespace {
constexpr int kGlyphW = 3, kGlyphH = 5, kScale = 2;
constexpr int kAdvance = (kGlyphW + 1) * kScale;

// Rows of 3 bits, top to bottom.
const unsigned char* GlyphRows(char c) {
    static const unsigned char digits[10][5] = {
        {7, 5, 5, 5, 7}, {2, 6, 2, 2, 7}, {7, 1, 7, 4, 7}, {7, 1, 7, 1, 7}, {5, 5, 7, 1, 1},
        {7, 4, 7, 1, 7}, {7, 4, 7, 5, 7}, {7, 1, 1, 2, 2}, {7, 5, 7, 5, 7}, {7, 5, 7, 1, 7}};
    static const unsigned char point[5] = {0, 0, 0, 0, 2};
    static const unsigned char minus[5] = {0, 0, 7, 0, 0};
    static const unsigned char letterF[5] = {7, 4, 6, 4, 4};
    static const unsigned char letterP[5] = {7, 5, 7, 4, 4};
    static const unsigned char letterS[5] = {7, 4, 7, 1, 7};
    if (c >= '0' && c <= '9')
        return digits[c - '0'];
    switch (c) {
    case '.':
        return point;
    case '-':
        return minus;
    case 'F':
        return letterF;
    case 'P':
        return letterP;
    case 'S':
        return letterS;
    default:
        return nullptr;
    }
}

void Fill(plat::Surface* s, int x, int y, int w, int h, uint16_t colour) {
    plat::Rect r{x, y, x + w, y + h};
    if (r.left < 0)
        r.left = 0;
    if (r.top < 0)
        r.top = 0;
    if (r.right > s->width)
        r.right = s->width;
    if (r.bottom > s->height)
        r.bottom = s->height;
    if (r.right > r.left && r.bottom > r.top)
        plat::FillRect(s, &r, colour);
}
} // namespace

void ZelPrintString(const char* text, int x, int y) {
    plat::Surface* back = plat::BackSurface();
    if (!text || !back || !ZelFontReady())
        return;
    const int length = static_cast<int>(strnlen(text, 64));
    Fill(back, x, y, length * kAdvance + kScale * 2, kGlyphH * kScale + kScale * 2, 0x0000);
    for (int i = 0; i < length; ++i) {
        const unsigned char* rows = GlyphRows(text[i]);
        if (!rows)
            continue;
        const int gx = x + kScale + i * kAdvance;
        for (int row = 0; row < kGlyphH; ++row)
            for (int col = 0; col < kGlyphW; ++col)
                if (rows[row] & (4 >> col))
                    Fill(back, gx + col * kScale, y + kScale + row * kScale, kScale, kScale,
                         0xFFE0);
    }
}
