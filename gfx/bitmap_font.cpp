#include "gfx/bitmap_font.h"

#include "zel/zel.h"

namespace {
constexpr int kSpace = 32;

// Text is 8-bit and signed: codes of 128 and above read as negative, below "!".
int CodeOf(char ch) {
    return static_cast<signed char>(ch);
}
} // namespace

BitmapFont::~BitmapFont() {
    Unload();
}

void BitmapFont::Unload() {
    ::ReleaseSurface(surface);
    surface = nullptr;
    height = 0;
    spaceWidth = 0;
    gap = 0;
    for (Glyph& glyph : glyphs)
        glyph = Glyph{};
}

int BitmapFont::LoadFont(const char* fileName) {
    Surface* bitmap = ZelLoadBitmap(fileName);
    if (!bitmap) {
        Unload();
        return 0;
    }
    return LoadFontSurface(bitmap);
}

int BitmapFont::LoadFontSurface(Surface* bitmap) {
    Unload();
    if (!bitmap)
        return 0;
    surface = bitmap;
    int width = 0;
    GetSurfaceSize(surface, &width, &height);
    SetColorKeyRGB(surface, 0, 0, 255);
    if (Measure())
        return 1;
    // A bitmap without all 94 characters gives a font that draws nothing rather than one with
    // characters in the wrong places.
    Unload();
    return 0;
}

bool BitmapFont::ColumnIsEmpty(int column, int key) const {
    for (int row = 0; row < height; ++row) {
        if (GetPixelValue(surface, column, row) != key)
            return false;
    }
    return true;
}

int BitmapFont::Measure() {
    int bitmapWidth = 0, bitmapHeight = 0;
    GetSurfaceSize(surface, &bitmapWidth, &bitmapHeight);
    int key = RGBToPixel(surface, 0, 0, 255);
    int widest = 0;
    int column = 0;
    for (Glyph& glyph : glyphs) {
        while (column < bitmapWidth && ColumnIsEmpty(column, key))
            ++column;
        if (column >= bitmapWidth)
            return 0;
        glyph.left = column++;
        // The bitmap's right edge ends a glyph like an empty column.
        while (column < bitmapWidth && !ColumnIsEmpty(column, key))
            ++column;
        glyph.right = column++;
        glyph.width = glyph.right - glyph.left;
        if (glyph.width > widest)
            widest = glyph.width;
    }
    spaceWidth = static_cast<int>(widest * 0.5);
    gap = static_cast<int>(widest * 0.1);
    return 1;
}

int BitmapFont::DrawChar(Surface* target, char ch, int x, int y) const {
    int code = CodeOf(ch);
    if (code == kSpace)
        return spaceWidth;
    if (code < FONT_FIRST_CHAR || code > FONT_LAST_CHAR)
        return 0;
    const Glyph& glyph = glyphs[code - FONT_FIRST_CHAR];
    if (glyph.left < 0 || glyph.right < 0 || !surface)
        return 0;
    if (target) {
        SurfaceRect from{glyph.left, 0, glyph.right, height};
        SurfaceRect to{x, y, x + glyph.width, y + height};
        // Unclipped, as the font's users keep text on the screen; the blitter refuses the rest.
        plat::Blt(target, &to, surface, &from, plat::BLT_KEYSRC | plat::BLT_WAIT);
    }
    return glyph.width + gap;
}

int BitmapFont::CharAdvance(char ch) const {
    int code = CodeOf(ch);
    if (code < FONT_FIRST_CHAR)
        return spaceWidth;
    if (code > FONT_LAST_CHAR)
        return 0;
    const Glyph& glyph = glyphs[code - FONT_FIRST_CHAR];
    if (glyph.left < 0 || glyph.right < 0)
        return 0;
    return glyph.width + gap;
}

int BitmapFont::TextWidth(const char* text) const {
    int total = 0;
    for (const char* p = text; p && *p; ++p)
        total += CharAdvance(*p);
    return total;
}

int BitmapFont::DrawText(Surface* target, const char* text, int x, int y, int alignment,
                         int rightLimit) const {
    if (!text)
        return 1;
    int length = 0;
    while (length < FONT_MAX_TEXT && text[length])
        ++length;
    if (alignment == ALIGN_LEFT) {
        for (int i = 0; i < length; ++i) {
            if (rightLimit != -1 && x + CharAdvance(text[i]) >= rightLimit)
                break;
            x += DrawChar(target, text[i], x, y);
        }
    } else if (alignment == ALIGN_RIGHT) {
        for (int i = length - 1; i >= 0; --i) {
            x -= CharAdvance(text[i]);
            DrawChar(target, text[i], x, y);
        }
    }
    return 1;
}
