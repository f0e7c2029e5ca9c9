#include "tools/artgen/panel_style.h"

#include "tools/artgen/palette.h"
#include "tools/artgen/shapes.h"
#include "tools/artgen/text.h"

namespace artgen {

namespace {
constexpr Rgb kHeading = Hex(0x0E4A2C);
}

void PaintPanel(cairo_t* cr, double x, double y, double w, double h) {
    cairo_save(cr);
    cairo_new_path(cr);
    RoundedRect(cr, x, y, w, h, 14);
    SetColour(cr, palette::kIvory);
    cairo_fill(cr);
    GoldFrame(cr, x + 2.5, y + 2.5, w - 5, h - 5, 12, 5);
    cairo_new_path(cr);
    RoundedRect(cr, x + 10.5, y + 10.5, w - 21, h - 21, 8);
    SetColour(cr, palette::kGold, 0.7);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    const double inset = 22;
    const double corners[4][2] = {{x + inset, y + inset},
                                  {x + w - inset, y + inset},
                                  {x + inset, y + h - inset},
                                  {x + w - inset, y + h - inset}};
    for (int i = 0; i < 4; ++i) {
        FillSuit(cr, i, corners[i][0], corners[i][1], 13,
                 Mix(palette::kSuit[i], palette::kIvory, 0.25));
    }
    cairo_restore(cr);
}

void PanelHeading(cairo_t* cr, const std::string& text, double cx, double baseline, double size) {
    UseFont(cr, Typeface::SerifBold, size);
    SetColour(cr, kHeading);
    DrawText(cr, text, cx, baseline, Align::Centre);
}

void Divider(cairo_t* cr, double cx, double y, double halfWidth) {
    cairo_new_path(cr);
    cairo_move_to(cr, cx - halfWidth, y + 0.5);
    cairo_line_to(cr, cx - 8, y + 0.5);
    cairo_move_to(cr, cx + 8, y + 0.5);
    cairo_line_to(cr, cx + halfWidth, y + 0.5);
    SetColour(cr, palette::kGold);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    FillSuit(cr, 2, cx, y + 0.5, 10, palette::kGold);
}

void TextWell(cairo_t* cr, double x, double y, double w, double h) {
    cairo_new_path(cr);
    cairo_rectangle(cr, x, y, w, h);
    SetColour(cr, palette::kParchment);
    cairo_fill(cr);
    cairo_rectangle(cr, x - 0.5, y - 0.5, w + 1, h + 1);
    SetColour(cr, palette::kGoldDark, 0.8);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
}

} // namespace artgen
