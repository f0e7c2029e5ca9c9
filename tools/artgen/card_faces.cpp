#include "tools/artgen/card_faces.h"

#include <cmath>

#include "tools/artgen/card_portraits.h"
#include "tools/artgen/layout.h"
#include "tools/artgen/palette.h"
#include "tools/artgen/shapes.h"
#include "tools/artgen/text.h"

namespace artgen {

namespace {

constexpr double kPi = 3.14159265358979323846;
using layout::kCardH;
using layout::kCardW;

struct Pip {
    double x, y;
};

// Pip places inside the card for Two to Ten, in card coordinates.
int PipLayout(int rank, Pip* pips) {
    const double l = 20, m = 35, r = 50;
    int n = 0;
    auto add = [&](double x, double y) { pips[n++] = Pip{x, y}; };
    int count = rank + 2;
    if (count <= 3) {
        add(m, 41);
        add(m, 79);
        if (count == 3) {
            add(m, 60);
        }
        return n;
    }
    if (count <= 8) {
        add(l, 41);
        add(r, 41);
        add(l, 79);
        add(r, 79);
        if (count == 5) {
            add(m, 60);
        }
        if (count >= 6) {
            add(l, 60);
            add(r, 60);
        }
        if (count == 7) {
            add(m, 50.5);
        }
        if (count == 8) {
            add(m, 50.5);
            add(m, 69.5);
        }
        return n;
    }
    for (double y : {39.0, 52.7, 66.3, 80.0}) {
        add(l, y);
        add(r, y);
    }
    if (count == 9) {
        add(m, 59.5);
    } else {
        add(m, 46);
        add(m, 73);
    }
    return n;
}

void PaintPips(cairo_t* cr, double x, double y, int rank, int suit) {
    Pip pips[10];
    int n = PipLayout(rank, pips);
    double size = rank >= 7 ? 11.5 : 13;
    for (int i = 0; i < n; ++i) {
        cairo_save(cr);
        cairo_translate(cr, x + pips[i].x, y + pips[i].y);
        if (pips[i].y > 60.5) {
            cairo_rotate(cr, kPi); // the lower half faces the other way, as on a real deck
        }
        FillSuit(cr, suit, 0, 0, size, palette::kSuit[suit]);
        cairo_restore(cr);
    }
}

void PaintAce(cairo_t* cr, double x, double y, int suit) {
    const double cx = x + 35, cy = y + 63;
    // A gold laurel ring behind the emblem.
    cairo_new_path(cr);
    cairo_arc(cr, cx, cy, 21, 0, 2 * kPi);
    SetColour(cr, palette::kSuitPale[suit]);
    cairo_fill_preserve(cr);
    cairo_set_line_width(cr, 1.6);
    cairo_pattern_t* gold = GoldGradient(cy - 21, cy + 21);
    cairo_set_source(cr, gold);
    cairo_stroke(cr);
    cairo_pattern_destroy(gold);
    for (int i = 0; i < 12; ++i) {
        double a = kPi * (0.15 + 0.7 * i / 11.0);
        for (int side : {-1, 1}) {
            double lx = cx + side * 18.2 * std::cos(a), ly = cy + 18.2 * std::sin(a) - 2;
            cairo_save(cr);
            cairo_translate(cr, lx, ly);
            cairo_rotate(cr, side * (a + kPi / 2));
            cairo_scale(cr, 1, 0.45);
            cairo_arc(cr, 0, 0, 2.3, 0, 2 * kPi);
            cairo_restore(cr);
            SetColour(cr, palette::kGold);
            cairo_fill(cr);
        }
    }
    // The emblem with a darker rim and a light inner edge.
    cairo_new_path(cr);
    SuitPath(cr, suit, cx, cy + 1, 27);
    SetColour(cr, palette::kSuit[suit]);
    cairo_fill_preserve(cr);
    cairo_set_line_width(cr, 1.2);
    SetColour(cr, palette::kGoldDark);
    cairo_stroke(cr);
    cairo_new_path(cr);
    SuitPath(cr, suit, cx, cy + 1, 19);
    cairo_set_line_width(cr, 0.9);
    SetColour(cr, Mix(palette::kSuit[suit], palette::kCardFace, 0.55));
    cairo_stroke(cr);
    FillGoldCrown(cr, cx, y + 39.5, 20);
}

void PaintIndex(cairo_t* cr, double x, double y, int rank, int suit) {
    SetColour(cr, palette::kSuit[suit]);
    const char* label = RankLabel(rank);
    if (rank == 8) {
        // "10" is squeezed so that it is as wide as the other indices.
        UseFont(cr, Typeface::SansBold, 20);
        cairo_save(cr);
        cairo_translate(cr, x + 3.5, y + 21);
        cairo_scale(cr, 0.72, 1);
        DrawText(cr, label, 0, 0, Align::Left);
        cairo_restore(cr);
    } else {
        UseFont(cr, Typeface::SansBold, 20);
        DrawText(cr, label, x + 15, y + 21, Align::Centre);
    }
    FillSuit(cr, suit, x + 52, y + 14.5, 19, palette::kSuit[suit]);
}

} // namespace

const char* RankLabel(int rank) {
    static const char* const kLabels[13] = {"2", "3",  "4", "5", "6", "7", "8",
                                            "9", "10", "J", "Q", "K", "A"};
    return kLabels[rank];
}

void PaintCard(cairo_t* cr, double x, double y, int rank, int suit) {
    cairo_save(cr);
    cairo_new_path(cr);
    RoundedRect(cr, x + 0.5, y + 0.5, kCardW - 1, kCardH - 1, 5);
    SetColour(cr, palette::kCardFace);
    cairo_fill_preserve(cr);
    cairo_set_line_width(cr, 1);
    SetColour(cr, palette::kCardEdge);
    cairo_stroke(cr);
    PaintIndex(cr, x, y, rank, suit);
    if (rank <= 8) {
        PaintPips(cr, x, y, rank, suit);
    } else if (rank == 12) {
        PaintAce(cr, x, y, suit);
    } else {
        PaintPortrait(cr, x, y, rank, suit);
    }
    cairo_restore(cr);
}

} // namespace artgen
