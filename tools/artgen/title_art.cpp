// The game's title screen in the menu: the "Kestrin" title over a fan of crowned Aces, the
// buttons in two columns, the panel of player names and the sound switches.
#include <cmath>

#include "tools/artgen/card_faces.h"
#include "tools/artgen/painters.h"
#include "tools/artgen/palette.h"
#include "tools/artgen/panel_style.h"
#include "tools/artgen/shapes.h"
#include "tools/artgen/text.h"

namespace artgen {

namespace {

using namespace layout;

void CardFan(cairo_t* cr, double pivotX, double pivotY, double scale, double spread) {
    const int ranks[5] = {12, 12, 11, 12, 12};
    const int suits[5] = {0, 1, 3, 2, 3};
    const int order[5] = {0, 1, 3, 4, 2}; // the King last, in front
    for (int k = 0; k < 5; ++k) {
        int i = order[k];
        cairo_save(cr);
        cairo_translate(cr, pivotX, pivotY);
        cairo_rotate(cr, (i - 2) * spread);
        cairo_scale(cr, scale, scale);
        // A soft shadow, then the card.
        RoundedRect(cr, -kCardW / 2.0 + 3, -kCardH - 12 + 3, kCardW, kCardH, 5);
        SetColour(cr, Hex(0x000000), 0.3);
        cairo_fill(cr);
        PaintCard(cr, -kCardW / 2.0, -kCardH - 12, ranks[i], suits[i]);
        cairo_restore(cr);
    }
}

void TitleWordmark(cairo_t* cr, double cx, double baseline, double size) {
    UseFont(cr, Typeface::SerifBold, size);
    double left = cx - TextAdvance(cr, "Kestrin") / 2;
    cairo_new_path(cr);
    cairo_move_to(cr, left + 3, baseline + 4);
    cairo_text_path(cr, "Kestrin");
    SetColour(cr, Hex(0x000000), 0.45);
    cairo_fill(cr);
    cairo_move_to(cr, left, baseline);
    cairo_text_path(cr, "Kestrin");
    cairo_pattern_t* gold = GoldGradient(baseline - size * 0.75, baseline + 4);
    cairo_set_source(cr, gold);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(gold);
    cairo_set_line_width(cr, 1.2);
    SetColour(cr, palette::kGoldDark);
    cairo_stroke(cr);
}

void PaintTitle(Canvas& canvas) {
    cairo_t* cr = canvas.Cr();
    PaintFelt(cr, kScreenW, kScreenH, 2);
    AddGrain(canvas, 0, 0, kScreenW, kScreenH, 4, 11);
    // A gold border around the whole screen.
    GoldFrame(cr, 6, 6, kScreenW - 12, kScreenH - 12, 16, 3);
    TitleWordmark(cr, kScreenW / 2.0, 118, 92);
    UseFont(cr, Typeface::Serif, 19);
    SetColour(cr, palette::kIvory);
    DrawText(cr, "patience against the clock", kScreenW / 2.0, 150, Align::Centre);
    Divider(cr, kScreenW / 2.0, 164, 150);
    for (int side : {-1, 1}) {
        Sparkle(cr, kScreenW / 2.0 + side * 235, 84, 9, palette::kGoldLight);
        Sparkle(cr, kScreenW / 2.0 + side * 262, 110, 5, palette::kGold);
    }
    CardFan(cr, kScreenW / 2.0, 304, 1.12, 0.3);
    // The player names: a dark inlay holding eight parchment slots.
    Box first = NameSlot(0), last = NameSlot(7);
    const double px = first.x - 12, py = first.y - 10;
    const double pw = last.x + last.w - first.x + 24, ph = last.y + last.h - first.y + 20;
    cairo_new_path(cr);
    RoundedRect(cr, px, py, pw, ph, 10);
    SetColour(cr, Hex(0x05200F), 0.75);
    cairo_fill(cr);
    GoldFrame(cr, px, py, pw, ph, 10, 2);
    for (int i = 0; i < 8; ++i) {
        Box slot = NameSlot(i);
        TextWell(cr, slot.x, slot.y, slot.w, slot.h);
    }
    UseFont(cr, Typeface::SansBold, 11);
    SetColour(cr, palette::kGoldLight);
    DrawText(cr, "EFFECTS", kSfxSwitch.x + 25, kSfxSwitch.y + 64, Align::Centre);
    DrawText(cr, "MUSIC", kMusicSwitch.x + 25, kMusicSwitch.y + 64, Align::Centre);
}

} // namespace

const Canvas& TitleCanvas(ArtContext& context) {
    return context.Background("title", kScreenW, kScreenH, PaintTitle);
}

Picture PaintTitleBackground(const PictureEntry&, ArtContext& context) {
    return Flatten(TitleCanvas(context), Matte::Flat(palette::kFelt));
}

Picture TitleButton(const PictureEntry& entry, ArtContext& context, Point at,
                    const ButtonLabel& label) {
    return ButtonStrip(entry, Matte::Over(TitleCanvas(context), at.x, at.y, entry.frameWidth),
                       label);
}

Picture PaintSoundSwitch(const PictureEntry& entry, ArtContext& context, bool music) {
    Point at = music ? kMusicSwitch : kSfxSwitch;
    ButtonLabel symbol{"", music ? Icon::Note : Icon::Speaker, 0};
    return SwitchStrip(entry, Matte::Over(TitleCanvas(context), at.x, at.y, entry.frameWidth),
                       symbol, symbol);
}

Picture PaintLumoraButton(const PictureEntry& entry, ArtContext&) {
    auto canvas = MakeCanvas(entry);
    cairo_t* cr = canvas->Cr();
    const double w = entry.Width(), h = entry.Height();
    cairo_rectangle(cr, 0, 0, w, h);
    cairo_pattern_t* felt = cairo_pattern_create_radial(w * 0.6, h / 2, 5, w * 0.6, h / 2, w * 0.7);
    cairo_pattern_add_color_stop_rgb(felt, 0, palette::kFeltLight.r, palette::kFeltLight.g,
                                     palette::kFeltLight.b);
    cairo_pattern_add_color_stop_rgb(felt, 1, palette::kFeltDeep.r, palette::kFeltDeep.g,
                                     palette::kFeltDeep.b);
    cairo_set_source(cr, felt);
    cairo_fill(cr);
    cairo_pattern_destroy(felt);
    AddGrain(*canvas, 0, 0, entry.Width(), entry.Height(), 3, 5);
    CardFan(cr, 62, 90, 0.56, 0.3);
    TitleWordmark(cr, 174, 55, 28);
    UseFont(cr, Typeface::Serif, 12);
    SetColour(cr, palette::kIvory);
    DrawText(cr, "timed patience", 174, 75, Align::Centre);
    return Flatten(*canvas, Matte::Flat(palette::kFelt));
}

} // namespace artgen
