#pragma once
// The pop-ups' fonts: a bitmap font loaded from the suite folder with its own gap.
#include <memory>

#include "gfx/bitmap_font.h"

inline std::unique_ptr<BitmapFont> LoadPanelFont(const char* fileName, int gap) {
    auto font = std::make_unique<BitmapFont>();
    font->LoadFont(fileName);
    font->SetGap(gap);
    return font;
}
