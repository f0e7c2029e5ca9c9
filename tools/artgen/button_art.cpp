#include "tools/artgen/button_art.h"

#include <algorithm>

#include "tools/artgen/palette.h"
#include "tools/artgen/shapes.h"
#include "tools/artgen/text.h"

namespace artgen {

namespace {

constexpr Rgb kEnamelTop = Hex(0x23794D);
constexpr Rgb kEnamelBottom = Hex(0x0B3B22);
constexpr Rgb kDimTop = Hex(0x3A4A41);
constexpr Rgb kDimBottom = Hex(0x1C2620);

void Body(cairo_t* cr, double x, double y, double w, double h, Rgb top, Rgb bottom, bool gold) {
    double r = std::min(10.0, h * 0.3);
    cairo_new_path(cr);
    RoundedRect(cr, x + 1, y + 1, w - 2, h - 2, r);
    if (gold) {
        FillGold(cr, y, y + h);
    } else {
        FillVertical(cr, y, y + h, top, bottom);
    }
    // A soft gloss on the upper half.
    cairo_new_path(cr);
    RoundedRect(cr, x + 3, y + 3, w - 6, (h - 6) * 0.45, std::max(1.0, r - 2));
    SetColour(cr, Hex(0xFFFFFF), gold ? 0.25 : 0.09);
    cairo_fill(cr);
    cairo_new_path(cr);
    RoundedRect(cr, x + 1.75, y + 1.75, w - 3.5, h - 3.5, r);
    cairo_set_line_width(cr, 2.5);
    if (gold) {
        SetColour(cr, palette::kGoldDark);
    } else {
        cairo_pattern_t* rim = GoldGradient(y, y + h);
        cairo_set_source(cr, rim);
        cairo_stroke_preserve(cr);
        cairo_pattern_destroy(rim);
        cairo_new_path(cr);
        return;
    }
    cairo_stroke(cr);
}

void Label(cairo_t* cr, double x, double y, double w, double h, const ButtonLabel& label,
           Rgb colour) {
    SetColour(cr, colour);
    UseFont(cr, Typeface::SansBold, label.fontSize);
    const double cx = x + w / 2, cy = y + h / 2;
    if (label.icon == Icon::None) {
        DrawTextMiddle(cr, label.text, cx, cy, Align::Centre);
        return;
    }
    if (label.text.empty()) {
        DrawIcon(cr, label.icon, cx, cy, std::min(w, h) * 0.56, colour);
        return;
    }
    if (w < 90) {
        // Narrow buttons: the symbol above, the word below.
        double icon = h * 0.42;
        DrawIcon(cr, label.icon, cx, y + h * 0.36, icon, colour);
        SetColour(cr, colour);
        DrawTextMiddle(cr, label.text, cx, y + h * 0.76, Align::Centre);
        return;
    }
    double icon = h * 0.46;
    double textW = TextAdvance(cr, label.text);
    double total = icon + 6 + textW;
    double left = cx - total / 2;
    DrawIcon(cr, label.icon, left + icon / 2, cy, icon, colour);
    SetColour(cr, colour);
    DrawTextMiddle(cr, label.text, left + icon + 6, cy, Align::Left);
}

} // namespace

void PaintButtonFace(cairo_t* cr, double x, double y, double w, double h, bool lit,
                     const ButtonLabel& label) {
    cairo_save(cr);
    Body(cr, x, y, w, h, kEnamelTop, kEnamelBottom, lit);
    Label(cr, x, y, w, h, label, lit ? palette::kInk : palette::kIvory);
    cairo_restore(cr);
}

Picture ButtonStrip(const PictureEntry& entry, const Matte& matte, const ButtonLabel& label) {
    auto canvas = MakeCanvas(entry);
    for (int f = 0; f < entry.frames; ++f) {
        PaintButtonFace(canvas->Cr(), f * entry.frameWidth, 0, entry.frameWidth, entry.frameHeight,
                        f > 0, label);
    }
    return Flatten(*canvas, matte);
}

Picture SwitchStrip(const PictureEntry& entry, const Matte& matte, const ButtonLabel& on,
                    const ButtonLabel& off) {
    auto canvas = MakeCanvas(entry);
    cairo_t* cr = canvas->Cr();
    const double w = entry.frameWidth, h = entry.frameHeight;
    PaintButtonFace(cr, 0, 0, w, h, false, on);
    cairo_save(cr);
    Body(cr, w, 0, w, h, kDimTop, kDimBottom, false);
    Label(cr, w, 0, w, h, off, Hex(0x9AA39D));
    // A red stroke through a symbol says "off"; a worded switch says it in words.
    cairo_new_path(cr);
    if (!off.text.empty()) {
        cairo_restore(cr);
        return Flatten(*canvas, matte);
    }
    cairo_move_to(cr, w + w * 0.22, h * 0.78);
    cairo_line_to(cr, w + w * 0.78, h * 0.22);
    cairo_set_line_width(cr, 3.2);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    SetColour(cr, Hex(0xD8323C));
    cairo_stroke(cr);
    cairo_restore(cr);
    return Flatten(*canvas, matte);
}

} // namespace artgen
