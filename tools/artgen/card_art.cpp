// The card set and the pictures drawn with the cards: the hint ring, the shadow and the
// crowns of completed foundations.
#include <algorithm>
#include <cmath>

#include "tools/artgen/card_faces.h"
#include "tools/artgen/painters.h"
#include "tools/artgen/palette.h"
#include "tools/artgen/shapes.h"

namespace artgen {

namespace {

using layout::kCardH;
using layout::kCardW;
constexpr double kPi = 3.14159265358979323846;

// What lies under pictures drawn on a card: felt around the card's rounded outline, the face
// inside it.
std::unique_ptr<Canvas> CardUnderlay(int w, int h, int cards, int offsetX, int offsetY) {
    auto under = std::make_unique<Canvas>(w * cards, h);
    cairo_t* cr = under->Cr();
    cairo_rectangle(cr, 0, 0, w * cards, h);
    SetColour(cr, palette::kFelt);
    cairo_fill(cr);
    for (int i = 0; i < cards; ++i) {
        RoundedRect(cr, i * w + offsetX, offsetY, kCardW, kCardH, 5);
        SetColour(cr, palette::kCardFace);
        cairo_fill(cr);
    }
    return under;
}

} // namespace

Picture PaintCardSet(const PictureEntry& entry, ArtContext&) {
    auto canvas = MakeCanvas(entry);
    for (int suit = 0; suit < 4; ++suit) {
        for (int rank = 0; rank < 13; ++rank) {
            PaintCard(canvas->Cr(), rank * entry.frameWidth, suit * entry.frameHeight, rank, suit);
        }
    }
    return Flatten(*canvas, Matte::Flat(palette::kFelt));
}

Picture PaintCardHilite(const PictureEntry& entry, ArtContext&) {
    auto canvas = MakeCanvas(entry);
    cairo_t* cr = canvas->Cr();
    RoundedRect(cr, 1.5, 1.5, entry.frameWidth - 3, entry.frameHeight - 3, 7);
    cairo_set_line_width(cr, 3);
    SetColour(cr, Hex(0xFFD54A));
    cairo_stroke(cr);
    RoundedRect(cr, 3.5, 3.5, entry.frameWidth - 7, entry.frameHeight - 7, 5);
    cairo_set_line_width(cr, 1);
    SetColour(cr, palette::kGoldDark);
    cairo_stroke(cr);
    auto under = CardUnderlay(entry.frameWidth, entry.frameHeight, 1, 2, 2);
    return Flatten(*canvas, Matte::Over(*under, 0, 0));
}

Picture PaintCardShadow(const PictureEntry& entry, ArtContext&) {
    // A dither reads as a soft shadow through the colour key: denser next to the card, thinner
    // at its outer edge; the rounded corners are left out. Its colour is a dark grey-green that
    // darkens felt and greys a card face without looking like a black grid.
    Picture picture(entry.frameWidth, entry.frameHeight);
    const uint16_t shade = OpaquePixel(0x22, 0x30, 0x28);
    for (int y = 0; y < entry.frameHeight; ++y) {
        for (int x = 0; x < entry.frameWidth; ++x) {
            double dx = std::max({0.0, 4.5 - x, x - (entry.frameWidth - 5.5)});
            double dy = std::max({0.0, 4.5 - y, y - (entry.frameHeight - 5.5)});
            if (std::hypot(dx, dy) > 4.5) {
                continue;
            }
            bool outer = x <= 1 || y == entry.frameHeight - 1;
            bool on = outer ? (x % 2 == 1 && y % 2 == 0) : ((x + y) % 2 == 0);
            if (on) {
                picture.At(x, y) = shade;
            }
        }
    }
    return picture;
}

Picture PaintKings(const PictureEntry& entry, ArtContext&) {
    auto canvas = MakeCanvas(entry);
    cairo_t* cr = canvas->Cr();
    for (int suit = 0; suit < entry.frames; ++suit) {
        const double x = suit * entry.frameWidth;
        RoundedRect(cr, x + 1.5, 1.5, kCardW - 3, kCardH - 3, 5);
        cairo_set_line_width(cr, 3);
        cairo_pattern_t* gold = GoldGradient(0, kCardH);
        cairo_set_source(cr, gold);
        cairo_stroke(cr);
        cairo_pattern_destroy(gold);
        const double cx = x + 35, cy = 60;
        cairo_new_path(cr);
        cairo_arc(cr, cx, cy, 22, 0, 2 * kPi);
        SetColour(cr, palette::kSuit[suit]);
        cairo_fill_preserve(cr);
        cairo_set_line_width(cr, 2.5);
        gold = GoldGradient(cy - 22, cy + 22);
        cairo_set_source(cr, gold);
        cairo_stroke(cr);
        cairo_pattern_destroy(gold);
        FillGoldCrown(cr, cx, cy - 1, 30);
        for (int i = 0; i < 3; ++i) {
            Sparkle(cr, x + 12 + 23 * i, 84.5, 2.6, palette::kGold);
        }
    }
    auto under = CardUnderlay(entry.frameWidth, entry.frameHeight, entry.frames, 0, 0);
    return Flatten(*canvas, Matte::Over(*under, 0, 0));
}

} // namespace artgen
