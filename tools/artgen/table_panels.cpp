// The panels that pop up over the card table at the end of a game.
#include "tools/artgen/icons.h"
#include "tools/artgen/painters.h"
#include "tools/artgen/palette.h"
#include "tools/artgen/panel_style.h"
#include "tools/artgen/shapes.h"
#include "tools/artgen/text.h"

namespace artgen {

namespace {

struct PanelText {
    const char* heading;
    const char* line1;
    const char* line2;
    Icon icon;
};

PanelText TextFor(TablePanel which) {
    switch (which) {
    case TablePanel::TimeUp:
        return {"Time's Up!", "The clock ran out before the suits were built.",
                "Press New for a fresh deal.", Icon::None};
    case TablePanel::NoMoves:
        return {"No Moves Left", "Every free cell is full and no card can move.",
                "Press New for a fresh deal.", Icon::None};
    case TablePanel::HallOfFame:
        break;
    }
    return {"Hall of Fame!", "Your score is one of the twenty best.",
            "See it on the menu's High Scores page.", Icon::Trophy};
}

// Centred pop-ups blend into the table where they will sit.
Matte OverTable(const PictureEntry& entry, ArtContext& context) {
    return Matte::Over(TableCanvas(context), layout::kScreenW / 2 - entry.Width() / 2,
                       layout::kScreenH / 2 - entry.Height() / 2);
}

} // namespace

Picture PaintTablePanel(const PictureEntry& entry, ArtContext& context, TablePanel which) {
    auto canvas = MakeCanvas(entry);
    cairo_t* cr = canvas->Cr();
    const double w = entry.Width(), h = entry.Height();
    PaintPanel(cr, 0, 0, w, h);
    PanelText text = TextFor(which);
    PanelHeading(cr, text.heading, w / 2, 64, 30);
    Divider(cr, w / 2, 86, 120);
    UseFont(cr, Typeface::Sans, 15);
    SetColour(cr, palette::kInk);
    DrawText(cr, text.line1, w / 2, 118, Align::Centre);
    SetColour(cr, palette::kInkSoft);
    DrawText(cr, text.line2, w / 2, 142, Align::Centre);
    if (which == TablePanel::HallOfFame) {
        DrawIcon(cr, Icon::Trophy, 52, 54, 36, palette::kGold);
        DrawIcon(cr, Icon::Trophy, w - 52, 54, 36, palette::kGold);
    } else {
        const int left = which == TablePanel::TimeUp ? 1 : 2;
        FillSuit(cr, left, 52, 54, 20, palette::kSuit[left]);
        FillSuit(cr, left == 1 ? 0 : 3, w - 52, 54, 20, palette::kSuit[left == 1 ? 0 : 3]);
    }
    return Flatten(*canvas, OverTable(entry, context));
}

Picture PaintCongrats(const PictureEntry& entry, ArtContext& context) {
    auto canvas = MakeCanvas(entry);
    cairo_t* cr = canvas->Cr();
    const double w = entry.Width(), h = entry.Height();
    PaintPanel(cr, 0, 0, w, h);
    FillGoldCrown(cr, w / 2, 62, 64);
    PanelHeading(cr, "Congratulations!", w / 2, 135, 34);
    Divider(cr, w / 2, 152, 140);
    for (int suit = 0; suit < 4; ++suit) {
        const double cx = w / 2 + (suit - 1.5) * 62, cy = 196;
        cairo_new_path(cr);
        cairo_arc(cr, cx, cy, 23, 0, 2 * 3.14159265358979);
        SetColour(cr, palette::kSuitPale[suit]);
        cairo_fill_preserve(cr);
        cairo_set_line_width(cr, 2);
        cairo_pattern_t* gold = GoldGradient(cy - 23, cy + 23);
        cairo_set_source(cr, gold);
        cairo_stroke(cr);
        cairo_pattern_destroy(gold);
        FillSuit(cr, suit, cx, cy, 26, palette::kSuit[suit]);
    }
    UseFont(cr, Typeface::SansBold, 17);
    SetColour(cr, palette::kInk);
    DrawText(cr, "All four suits are complete: +500000", w / 2, 250, Align::Centre);
    UseFont(cr, Typeface::Sans, 14);
    SetColour(cr, palette::kInkSoft);
    DrawText(cr, "Every second left on the clock", w / 2, 276, Align::Centre);
    DrawText(cr, "now adds 1000 points.", w / 2, 295, Align::Centre);
    return Flatten(*canvas,
                   Matte::Over(TableCanvas(context), layout::kCongrats.x, layout::kCongrats.y));
}

} // namespace artgen
