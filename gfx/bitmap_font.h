#pragma once
// A proportional font from one bitmap holding the 94 printable characters "!" to "~" side by
// side, separated by all-blue columns. Each character's extent is measured when the bitmap is
// loaded.
#include "gfx/surface_functions.h"

constexpr int FONT_FIRST_CHAR = 33; // '!'
constexpr int FONT_LAST_CHAR = 126; // '~'
constexpr int FONT_GLYPH_COUNT = FONT_LAST_CHAR - FONT_FIRST_CHAR + 1;
constexpr int FONT_MAX_TEXT = 255;

constexpr int ALIGN_LEFT = 0;
constexpr int ALIGN_RIGHT = 1;

struct Glyph {
    int left = -1;  // first column, -1 when missing
    int right = -1; // column after the last, -1 when missing
    int width = 0;
};

class BitmapFont {
  public:
    BitmapFont() = default;
    ~BitmapFont();
    BitmapFont(const BitmapFont&) = delete;
    BitmapFont& operator=(const BitmapFont&) = delete;

    int LoadFont(const char* fileName);
    // Takes ownership of a bitmap already in memory and measures it as LoadFont does.
    int LoadFontSurface(Surface* bitmap);
    void SetGap(int newGap) { gap = newGap; }
    int DrawChar(Surface* target, char ch, int x, int y) const;
    int CharAdvance(char ch) const;
    int TextWidth(const char* text) const;
    int DrawText(Surface* target, const char* text, int x, int y, int alignment,
                 int rightLimit) const;

    Surface* surface = nullptr; // owned, colour key pure blue
    int height = 0;
    int spaceWidth = 0;
    int gap = 0;
    Glyph glyphs[FONT_GLYPH_COUNT];

  private:
    int Measure();
    void Unload();
    bool ColumnIsEmpty(int column, int key) const;
};
