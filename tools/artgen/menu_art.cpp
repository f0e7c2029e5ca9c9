// The menu's pages of games: the "Lumora" header, the page controls, the twelve game places
// with their frames, and the information panel.
#include "tools/artgen/painters.h"
#include "tools/artgen/palette.h"
#include "tools/artgen/panel_style.h"
#include "tools/artgen/shapes.h"
#include "tools/artgen/text.h"

namespace artgen {

namespace {

using namespace layout;
constexpr Rgb kWell = Hex(0x0A2A1A); // behind the page number
constexpr double kSlotRadius = 10;

void PaintMenu(Canvas& canvas) {
    cairo_t* cr = canvas.Cr();
    cairo_rectangle(cr, 0, 0, kScreenW, kScreenH);
    FillVertical(cr, 0, kScreenH, Hex(0x13603A), Hex(0x041A0E));
    AddGrain(canvas, 0, 0, kScreenW, kScreenH, 4, 3);
    UseFont(cr, Typeface::SerifBold, 64);
    const double wordEnd = 36 + TextAdvance(cr, "Lumora");
    cairo_new_path(cr);
    cairo_move_to(cr, 36, 92);
    cairo_text_path(cr, "Lumora");
    cairo_pattern_t* gold = GoldGradient(40, 96);
    cairo_set_source(cr, gold);
    cairo_fill(cr);
    cairo_pattern_destroy(gold);
    UseFont(cr, Typeface::Serif, 18);
    SetColour(cr, palette::kIvory);
    DrawText(cr, "a suite of casual games", wordEnd + 22, 90, Align::Left);
    for (int suit = 0; suit < 4; ++suit) {
        FillSuit(cr, suit, wordEnd + 32 + suit * 28, 56, 20,
                 Mix(palette::kSuit[suit], palette::kIvory, suit == 0 ? 0.45 : 0.15));
    }
    cairo_new_path(cr);
    cairo_move_to(cr, 14, 124.5);
    cairo_line_to(cr, 620, 124.5);
    SetColour(cr, palette::kGold, 0.8);
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
    // The page controls sit on one dark plaque.
    cairo_new_path(cr);
    RoundedRect(cr, 628, 10, 164, 124, 10);
    SetColour(cr, Hex(0x05200F), 0.8);
    cairo_fill(cr);
    GoldFrame(cr, 628, 10, 164, 124, 10, 2);
    cairo_new_path(cr);
    RoundedRect(cr, kPageLeft.x + 42, kPageNumberY - 4, kPageRight.x - kPageLeft.x - 44, 32, 5);
    SetColour(cr, kWell);
    cairo_fill(cr);
    // Empty places on the shelf of games.
    for (int k = 0; k < 12; ++k) {
        Point at = GameSlot(k);
        cairo_new_path(cr);
        RoundedRect(cr, at.x + 0.5, at.y + 0.5, 249, 99, kSlotRadius);
        SetColour(cr, Hex(0x000000), 0.16);
        cairo_fill_preserve(cr);
        SetColour(cr, palette::kFeltLine, 0.5);
        cairo_set_line_width(cr, 1);
        cairo_stroke(cr);
    }
}

void SlotOutline(cairo_t* cr, double x, double inset) {
    RoundedRect(cr, x + inset, inset, 250 - 2 * inset, 100 - 2 * inset, kSlotRadius - inset / 2);
}

} // namespace

const Canvas& MenuCanvas(ArtContext& context) {
    return context.Background("menu", kScreenW, kScreenH, PaintMenu);
}

Picture PaintMenuBackground(const PictureEntry&, ArtContext& context) {
    return Flatten(MenuCanvas(context), Matte::Flat(palette::kFelt));
}

Picture PaintPageNumbers(const PictureEntry& entry, ArtContext&) {
    auto canvas = MakeCanvas(entry);
    cairo_t* cr = canvas->Cr();
    UseFont(cr, Typeface::SansBold, 21);
    for (int d = 0; d < 10; ++d) {
        std::string digit(1, static_cast<char>('0' + d));
        cairo_pattern_t* gold = GoldGradient(2, entry.frameHeight + 2);
        cairo_set_source(cr, gold);
        DrawTextMiddle(cr, digit, d * entry.frameWidth + entry.frameWidth / 2.0,
                       entry.frameHeight / 2.0, Align::Centre);
        cairo_pattern_destroy(gold);
    }
    return Flatten(*canvas, Matte::Flat(kWell), 0.12);
}

Picture MenuButton(const PictureEntry& entry, ArtContext& context, Point at,
                   const ButtonLabel& label) {
    return ButtonStrip(entry, Matte::Over(MenuCanvas(context), at.x, at.y, entry.frameWidth),
                       label);
}

Picture PaintGameButton(const PictureEntry& entry, ArtContext& context) {
    // Only a frame: the game's own picture shows through the middle.
    auto canvas = MakeCanvas(entry);
    cairo_t* cr = canvas->Cr();
    const double widths[3] = {4, 6, 6};
    for (int f = 0; f < entry.frames; ++f) {
        const double x = f * entry.frameWidth;
        cairo_new_path(cr);
        SlotOutline(cr, x, widths[f] / 2);
        cairo_set_line_width(cr, widths[f]);
        if (f == 2) {
            SetColour(cr, palette::kGoldDark);
        } else {
            cairo_pattern_t* gold = GoldGradient(0, 100);
            cairo_set_source(cr, gold);
            cairo_stroke_preserve(cr);
            cairo_pattern_destroy(gold);
            if (f == 1) {
                SetColour(cr, palette::kGoldLight, 0.6);
            } else {
                cairo_new_path(cr);
                continue;
            }
        }
        cairo_stroke(cr);
        if (f == 1) {
            // The lit frame adds a bright inner rim.
            SlotOutline(cr, x, widths[f] + 1);
            cairo_set_line_width(cr, 2);
            SetColour(cr, palette::kGoldLight, 0.9);
            cairo_stroke(cr);
        }
    }
    return Flatten(
        *canvas, Matte::Over(MenuCanvas(context), GameSlot(0).x, GameSlot(0).y, entry.frameWidth));
}

Picture PaintCollectButton(const PictureEntry& entry, ArtContext& context) {
    auto canvas = MakeCanvas(entry);
    cairo_t* cr = canvas->Cr();
    SlotOutline(cr, 0, 0);
    FillVertical(cr, 0, 100, Hex(0x0F4A2D), Hex(0x072817));
    const double dash[2] = {6, 4};
    SlotOutline(cr, 0, 9);
    cairo_set_dash(cr, dash, 2, 0);
    cairo_set_line_width(cr, 1.5);
    SetColour(cr, palette::kGold, 0.8);
    cairo_stroke(cr);
    cairo_set_dash(cr, nullptr, 0, 0);
    cairo_new_path(cr);
    cairo_arc(cr, 52, 50, 19, 0, 2 * 3.14159265358979);
    FillGold(cr, 31, 69);
    cairo_rectangle(cr, 49, 39, 6, 22);
    cairo_rectangle(cr, 41, 47, 22, 6);
    SetColour(cr, palette::kFeltDeep);
    cairo_fill(cr);
    UseFont(cr, Typeface::SerifBold, 22);
    SetColour(cr, palette::kGoldLight);
    DrawText(cr, "More games", 84, 48, Align::Left);
    UseFont(cr, Typeface::Sans, 12);
    SetColour(cr, palette::kIvory);
    DrawText(cr, "Visit our web site", 84, 68, Align::Left);
    return Flatten(*canvas, Matte::Over(MenuCanvas(context), GameSlot(1).x, GameSlot(1).y));
}

Picture PaintInfoScreen(const PictureEntry& entry, ArtContext& context) {
    auto canvas = MakeCanvas(entry);
    cairo_t* cr = canvas->Cr();
    const double w = entry.Width(), h = entry.Height();
    PaintPanel(cr, 0, 0, w, h);
    PanelHeading(cr, "Welcome to Lumora", w / 2, 64, 32);
    Divider(cr, w / 2, 82, 200);
    const char* lines[] = {
        "Every game of the suite has its own place on these pages. Click a game",
        "to open its title screen: play it, read its rules and credits, see its Hall",
        "of Fame, choose who is playing, and switch sound effects and music.",
        "",
        "The arrows at the top turn the pages when there are more than twelve",
        "games. The empty place after the last game leads to our web site,",
        "where new games can be found.",
        "",
        "Quit closes the menu; the Escape key closes it too.",
    };
    UseFont(cr, Typeface::Sans, 15);
    SetColour(cr, palette::kInk);
    double baseline = 124;
    for (const char* line : lines) {
        DrawText(cr, line, 56, baseline, Align::Left);
        baseline += 24;
    }
    return Flatten(*canvas, Matte::Over(MenuCanvas(context), kScreenW / 2 - entry.Width() / 2,
                                        kScreenH / 2 - entry.Height() / 2));
}

Picture PaintBackButton(const PictureEntry& entry, ArtContext&) {
    return ButtonStrip(entry, Matte::Flat(palette::kIvory), {"Back", Icon::Back, 14});
}

} // namespace artgen
