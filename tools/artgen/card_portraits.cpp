#include "tools/artgen/card_portraits.h"

#include <cmath>

#include "tools/artgen/palette.h"
#include "tools/artgen/shapes.h"

namespace artgen {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr Rgb kHairDark = Hex(0x4A2C14);
constexpr Rgb kHairAuburn = Hex(0x7A3B1C);
constexpr Rgb kBeard = Hex(0xE9E4DA);
constexpr Rgb kLeaf = Hex(0x2F7D32);

void Ellipse(cairo_t* cr, double cx, double cy, double rx, double ry) {
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_scale(cr, rx, ry);
    cairo_new_sub_path(cr);
    cairo_arc(cr, 0, 0, 1, 0, 2 * kPi);
    cairo_restore(cr);
}

void Outline(cairo_t* cr, double width) {
    cairo_set_line_width(cr, width);
    SetColour(cr, palette::kInk, 0.75);
    cairo_stroke(cr);
}

void Robe(cairo_t* cr, double cx, double y, int suit) {
    cairo_new_path(cr);
    cairo_move_to(cr, cx - 25, y + 88);
    cairo_curve_to(cr, cx - 25, y + 76, cx - 18, y + 70, cx - 8, y + 69);
    cairo_line_to(cr, cx + 8, y + 69);
    cairo_curve_to(cr, cx + 18, y + 70, cx + 25, y + 76, cx + 25, y + 88);
    cairo_close_path(cr);
    SetColour(cr, palette::kSuit[suit]);
    cairo_fill_preserve(cr);
    Outline(cr, 0.7);
    // Gold hem down the middle of the robe.
    cairo_rectangle(cr, cx - 1.5, y + 71, 3, 17);
    SetColour(cr, palette::kGold);
    cairo_fill(cr);
    // The suit in ivory on the chest.
    FillSuit(cr, suit, cx - 11, y + 79, 8, palette::kIvory);
    FillSuit(cr, suit, cx + 11, y + 79, 8, palette::kIvory);
}

void Head(cairo_t* cr, double cx, double y, bool smile) {
    cairo_new_path(cr);
    cairo_rectangle(cr, cx - 3, y + 63, 6, 7);
    SetColour(cr, palette::kSkin);
    cairo_fill(cr);
    Ellipse(cr, cx, y + 58, 7.2, 8.4);
    SetColour(cr, palette::kSkin);
    cairo_fill_preserve(cr);
    Outline(cr, 0.6);
    for (int side : {-1, 1}) {
        cairo_arc(cr, cx + side * 2.8, y + 57, 0.85, 0, 2 * kPi);
        SetColour(cr, palette::kInk);
        cairo_fill(cr);
    }
    cairo_new_path(cr);
    if (smile) {
        cairo_arc(cr, cx, y + 60.2, 2.2, 0.2 * kPi, 0.8 * kPi);
    } else {
        cairo_move_to(cr, cx - 1.8, y + 62);
        cairo_line_to(cr, cx + 1.8, y + 62);
    }
    cairo_set_line_width(cr, 0.7);
    SetColour(cr, palette::kCrimson);
    cairo_stroke(cr);
}

void King(cairo_t* cr, double cx, double x, double y, int suit) {
    // Sceptre held at the side.
    cairo_new_path(cr);
    cairo_move_to(cr, x + 14, y + 87);
    cairo_line_to(cr, x + 14, y + 48);
    cairo_set_line_width(cr, 1.8);
    SetColour(cr, palette::kGoldDark);
    cairo_stroke(cr);
    cairo_arc(cr, x + 14, y + 46, 2.8, 0, 2 * kPi);
    SetColour(cr, palette::kGold);
    cairo_fill(cr);
    Robe(cr, cx, y, suit);
    // Ermine collar.
    cairo_new_path(cr);
    cairo_move_to(cr, cx - 15, y + 71);
    cairo_curve_to(cr, cx - 8, y + 76, cx + 8, y + 76, cx + 15, y + 71);
    cairo_curve_to(cr, cx + 8, y + 68, cx - 8, y + 68, cx - 15, y + 71);
    SetColour(cr, palette::kCardFace);
    cairo_fill_preserve(cr);
    Outline(cr, 0.5);
    for (int i = -2; i <= 2; ++i) {
        cairo_rectangle(cr, cx + i * 5 - 0.6, y + 71, 1.2, 1.8);
    }
    SetColour(cr, palette::kInk);
    cairo_fill(cr);
    Head(cr, cx, y, false);
    // Beard and moustache.
    cairo_new_path(cr);
    cairo_move_to(cr, cx - 7, y + 58);
    cairo_curve_to(cr, cx - 7, y + 66, cx - 3, y + 71, cx, y + 72);
    cairo_curve_to(cr, cx + 3, y + 71, cx + 7, y + 66, cx + 7, y + 58);
    cairo_curve_to(cr, cx + 5, y + 62, cx + 2, y + 60.5, cx, y + 61);
    cairo_curve_to(cr, cx - 2, y + 60.5, cx - 5, y + 62, cx - 7, y + 58);
    SetColour(cr, kBeard);
    cairo_fill_preserve(cr);
    Outline(cr, 0.5);
    FillGoldCrown(cr, cx, y + 46.5, 19);
}

void Queen(cairo_t* cr, double cx, double x, double y, int suit) {
    // Long hair behind the head and shoulders.
    cairo_new_path(cr);
    Ellipse(cr, cx, y + 62, 10, 13);
    SetColour(cr, kHairAuburn);
    cairo_fill(cr);
    Robe(cr, cx, y, suit);
    // Pearl necklace.
    for (int i = -3; i <= 3; ++i) {
        cairo_arc(cr, cx + i * 2.6, y + 70.5 + 0.25 * i * i, 1.1, 0, 2 * kPi);
        SetColour(cr, palette::kIvory);
        cairo_fill(cr);
    }
    Head(cr, cx, y, true);
    // Fringe of hair over the forehead.
    cairo_new_path(cr);
    cairo_move_to(cr, cx - 7.4, y + 58);
    cairo_curve_to(cr, cx - 7.5, y + 49, cx + 7.5, y + 49, cx + 7.4, y + 58);
    cairo_curve_to(cr, cx + 4, y + 52, cx - 4, y + 52, cx - 7.4, y + 58);
    SetColour(cr, kHairAuburn);
    cairo_fill(cr);
    FillGoldCrown(cr, cx, y + 47.5, 14);
    // A rose in the hand.
    cairo_new_path(cr);
    cairo_move_to(cr, x + 56, y + 86);
    cairo_curve_to(cr, x + 58, y + 72, x + 54, y + 62, x + 56, y + 52);
    cairo_set_line_width(cr, 1.1);
    SetColour(cr, kLeaf);
    cairo_stroke(cr);
    Ellipse(cr, x + 53.5, y + 66, 2.6, 1.3);
    SetColour(cr, kLeaf);
    cairo_fill(cr);
    for (int i = 0; i < 5; ++i) {
        double a = 2 * kPi * i / 5 - kPi / 2;
        cairo_arc(cr, x + 56 + 2.4 * std::cos(a), y + 50 + 2.4 * std::sin(a), 2.2, 0, 2 * kPi);
        SetColour(cr, suit == 1 ? palette::kGold : palette::kCrimson);
        cairo_fill(cr);
    }
    cairo_arc(cr, x + 56, y + 50, 1.4, 0, 2 * kPi);
    SetColour(cr, palette::kGoldLight);
    cairo_fill(cr);
}

void Jack(cairo_t* cr, double cx, double x, double y, int suit) {
    // A halberd held at the side.
    cairo_new_path(cr);
    cairo_move_to(cr, x + 57, y + 87);
    cairo_line_to(cr, x + 57, y + 40);
    cairo_set_line_width(cr, 1.5);
    SetColour(cr, kHairDark);
    cairo_stroke(cr);
    cairo_new_path(cr);
    cairo_move_to(cr, x + 57, y + 36);
    cairo_line_to(cr, x + 59.5, y + 42);
    cairo_curve_to(cr, x + 63, y + 44, x + 63, y + 49, x + 61, y + 51);
    cairo_line_to(cr, x + 57, y + 47);
    cairo_line_to(cr, x + 54.5, y + 42);
    cairo_close_path(cr);
    SetColour(cr, Hex(0xB8BCC4));
    cairo_fill_preserve(cr);
    Outline(cr, 0.5);
    Robe(cr, cx, y, suit);
    // White ruff collar.
    for (int i = -3; i <= 3; ++i) {
        cairo_arc(cr, cx + i * 3, y + 70, 2.2, 0, 2 * kPi);
    }
    SetColour(cr, palette::kCardFace);
    cairo_fill_preserve(cr);
    Outline(cr, 0.4);
    Head(cr, cx, y, true);
    // Short hair at the sides.
    for (int side : {-1, 1}) {
        Ellipse(cr, cx + side * 6.5, y + 56, 2.2, 4.5);
        SetColour(cr, kHairDark);
        cairo_fill(cr);
    }
    // Beret in the suit colour with a gold band and a feather.
    cairo_new_path(cr);
    Ellipse(cr, cx + 1, y + 49.5, 11, 4.5);
    SetColour(cr, palette::kSuit[suit]);
    cairo_fill_preserve(cr);
    Outline(cr, 0.5);
    cairo_rectangle(cr, cx - 7, y + 51, 14, 1.8);
    SetColour(cr, palette::kGold);
    cairo_fill(cr);
    cairo_new_path(cr);
    cairo_move_to(cr, cx + 6, y + 49);
    cairo_curve_to(cr, cx + 12, y + 40, cx + 17, y + 38, cx + 20, y + 37);
    cairo_curve_to(cr, cx + 16, y + 42, cx + 12, y + 47, cx + 6, y + 50);
    SetColour(cr, palette::kGoldLight);
    cairo_fill_preserve(cr);
    cairo_set_line_width(cr, 0.5);
    SetColour(cr, palette::kGoldDark);
    cairo_stroke(cr);
}

} // namespace

void PaintPortrait(cairo_t* cr, double x, double y, int rank, int suit) {
    const double fx = x + 6.5, fy = y + 31.5, fw = 57, fh = 55;
    cairo_save(cr);
    cairo_new_path(cr);
    RoundedRect(cr, fx, fy, fw, fh, 4);
    SetColour(cr, palette::kSuitPale[suit]);
    cairo_fill_preserve(cr);
    cairo_clip_preserve(cr);
    const double cx = x + 35;
    if (rank == 11) {
        King(cr, cx, x, y, suit);
    } else if (rank == 10) {
        Queen(cr, cx, x, y, suit);
    } else {
        Jack(cr, cx, x, y, suit);
    }
    cairo_reset_clip(cr);
    cairo_new_path(cr);
    RoundedRect(cr, fx, fy, fw, fh, 4);
    cairo_set_line_width(cr, 1.2);
    cairo_pattern_t* gold = GoldGradient(fy, fy + fh);
    cairo_set_source(cr, gold);
    cairo_stroke(cr);
    cairo_pattern_destroy(gold);
    cairo_restore(cr);
}

} // namespace artgen
