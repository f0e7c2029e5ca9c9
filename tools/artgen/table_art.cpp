// The card table: felt, the marked places of foundations, free cells and columns, the score
// panel and the clock, and the small pictures drawn onto them.
#include <cmath>
#include <string>

#include "tools/artgen/painters.h"
#include "tools/artgen/palette.h"
#include "tools/artgen/shapes.h"
#include "tools/artgen/table_style.h"
#include "tools/artgen/text.h"

namespace artgen {

namespace {

using namespace layout;

void MarkPlace(cairo_t* cr, Point at, Rgb line, double lineAlpha, double fillAlpha) {
    cairo_new_path(cr);
    RoundedRect(cr, at.x + 0.5, at.y + 0.5, kCardW - 1, kCardH - 1, 5);
    SetColour(cr, palette::kFeltDeep, fillAlpha);
    cairo_fill_preserve(cr);
    SetColour(cr, line, lineAlpha);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
}

void PaintScorePanel(cairo_t* cr) {
    const Box& p = kScorePanel;
    cairo_new_path(cr);
    RoundedRect(cr, p.x, p.y, p.w, p.h, 8);
    SetColour(cr, kPanelDark);
    cairo_fill(cr);
    GoldFrame(cr, p.x + 1, p.y + 1, p.w - 2, p.h - 2, 7, 2);
    UseFont(cr, Typeface::SansBold, 12);
    SetColour(cr, palette::kGold);
    DrawTextMiddle(cr, "BEST", p.x + 14, kBestScoreY + 11, Align::Left);
    DrawTextMiddle(cr, "SCORE", p.x + 14, kScoreY + 11, Align::Left);
    cairo_new_path(cr);
    cairo_move_to(cr, p.x + 12, p.y + p.h / 2.0 + 0.5);
    cairo_line_to(cr, p.x + p.w - 12, p.y + p.h / 2.0 + 0.5);
    SetColour(cr, palette::kGoldDark, 0.6);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
}

void PaintClockPanel(cairo_t* cr) {
    const int cellW = 8, cellH = 10;
    const double x = kClock.x - 7, y = kClock.y - 7;
    const double w = kClockColumns * (cellW + 1) - 1 + 14, h = kClockRows * (cellH + 1) - 1 + 14;
    cairo_new_path(cr);
    RoundedRect(cr, x, y, w, h, 7);
    SetColour(cr, kPanelDark);
    cairo_fill(cr);
    GoldFrame(cr, x + 1, y + 1, w - 2, h - 2, 6, 2);
    for (int row = 0; row < kClockRows; ++row) {
        for (int col = 0; col < kClockColumns; ++col) {
            cairo_new_path(cr);
            RoundedRect(cr, kClock.x + col * (cellW + 1) + 0.5, kClock.y + row * (cellH + 1) + 0.5,
                        cellW - 1, cellH - 1, 1.5);
            SetColour(cr, Hex(0x163F2C));
            cairo_fill(cr);
        }
    }
    UseFont(cr, Typeface::SansBold, 10);
    SetColour(cr, palette::kGold, 0.9);
    DrawText(cr, "T I M E", x + w / 2, y + h + 11, Align::Centre);
}

void PaintFoundations(cairo_t* cr) {
    for (int i = 0; i < 4; ++i) {
        Point at = Foundation(i);
        MarkPlace(cr, at, palette::kGold, 0.75, 0.35);
        UseFont(cr, Typeface::SerifBold, 26);
        SetColour(cr, palette::kGold, 0.35);
        DrawTextMiddle(cr, "A", at.x + kCardW / 2.0, at.y + 52, Align::Centre);
        cairo_new_path(cr);
        CrownPath(cr, at.x + kCardW / 2.0, at.y + 25, 20);
        SetColour(cr, palette::kGold, 0.3);
        cairo_fill(cr);
    }
}

void PaintTable(Canvas& canvas) {
    cairo_t* cr = canvas.Cr();
    PaintFelt(cr, kScreenW, kScreenH, 1);
    AddGrain(canvas, 0, 0, kScreenW, kScreenH, 4, 7);
    // The column area: a faint inlay and the eight places where the piles start.
    cairo_new_path(cr);
    RoundedRect(cr, kColumnArea.x + 0.5, kColumnArea.y + 0.5, kColumnArea.w - 1, kColumnArea.h - 1,
                12);
    SetColour(cr, palette::kFeltDeep, 0.18);
    cairo_fill_preserve(cr);
    SetColour(cr, palette::kFeltLine, 0.35);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    for (int c = 0; c < 8; ++c) {
        MarkPlace(cr, ColumnCard(c, 0), palette::kFeltLine, 0.55, 0.2);
    }
    for (int i = 0; i < 8; ++i) {
        Point at = FreeCell(i);
        MarkPlace(cr, at, palette::kFeltLine, 0.7, 0.3);
        cairo_new_path(cr);
        cairo_arc(cr, at.x + kCardW / 2.0, at.y + kCardH / 2.0, 9, 0, 2 * 3.14159265358979);
        SetColour(cr, palette::kFeltLine, 0.45);
        cairo_set_line_width(cr, 1.2);
        cairo_stroke(cr);
    }
    PaintFoundations(cr);
    PaintScorePanel(cr);
    PaintClockPanel(cr);
    UseFont(cr, Typeface::SerifBold, 17);
    SetColour(cr, palette::kGold, 0.85);
    DrawText(cr, "K E S T R I N", kScreenW / 2.0, 583, Align::Centre);
    for (int side : {-1, 1}) {
        Sparkle(cr, kScreenW / 2.0 + side * 84, 577, 5, palette::kGold);
    }
}

} // namespace

const Canvas& TableCanvas(ArtContext& context) {
    return context.Background("table", kScreenW, kScreenH, PaintTable);
}

Picture PaintTableBackground(const PictureEntry&, ArtContext& context) {
    return Flatten(TableCanvas(context), Matte::Flat(palette::kFelt));
}

Picture PaintTimerCell(const PictureEntry& entry, bool lastCell) {
    auto canvas = MakeCanvas(entry);
    cairo_t* cr = canvas->Cr();
    RoundedRect(cr, 0, 0, entry.frameWidth, entry.frameHeight, 1.6);
    FillVertical(cr, 0, entry.frameHeight, lastCell ? Hex(0xFF9A8A) : Hex(0x8EE0FF),
                 lastCell ? Hex(0xB81C28) : Hex(0x1B6FC0));
    cairo_rectangle(cr, 1.5, 1, entry.frameWidth - 3, 1.5);
    SetColour(cr, Hex(0xFFFFFF), 0.45);
    cairo_fill(cr);
    return Flatten(*canvas, Matte::Flat(kPanelDark));
}

Picture PaintScoreFont(const PictureEntry& entry, ArtContext&) {
    auto canvas = MakeCanvas(entry);
    cairo_t* cr = canvas->Cr();
    UseFont(cr, Typeface::SansBold, 21);
    for (int d = 0; d < 10; ++d) {
        std::string digit(1, static_cast<char>('0' + d));
        cairo_new_path(cr);
        cairo_pattern_t* gold = GoldGradient(2, entry.frameHeight + 4);
        cairo_set_source(cr, gold);
        DrawTextMiddle(cr, digit, d * entry.frameWidth + entry.frameWidth / 2.0,
                       entry.frameHeight / 2.0, Align::Centre);
        cairo_pattern_destroy(gold);
    }
    return Flatten(*canvas, Matte::Flat(kPanelDark), 0.12);
}

Picture PaintFloatingScores(const PictureEntry& entry, ArtContext&) {
    static const int kPoints[13] = {25,   50,   100,   200,   400,   800,   1500,
                                    3000, 6000, 12000, 25000, 50000, 100000};
    auto canvas = MakeCanvas(entry);
    cairo_t* cr = canvas->Cr();
    for (int f = 0; f < entry.frames; ++f) {
        std::string text = "+" + std::to_string(kPoints[f]);
        UseFont(cr, Typeface::SansBold, 17);
        double width = TextAdvance(cr, text);
        double size = width > entry.frameWidth - 6 ? 17 * (entry.frameWidth - 6) / width : 17;
        UseFont(cr, Typeface::SansBold, size);
        const double cx = f * entry.frameWidth + entry.frameWidth / 2.0;
        cairo_text_extents_t cap;
        cairo_text_extents(cr, "0", &cap);
        const double baseline = entry.frameHeight / 2.0 + cap.height / 2;
        cairo_new_path(cr);
        cairo_move_to(cr, cx - TextAdvance(cr, text) / 2, baseline);
        cairo_text_path(cr, text.c_str());
        cairo_set_line_width(cr, 3.2);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        SetColour(cr, palette::kInk);
        cairo_stroke_preserve(cr);
        cairo_pattern_t* gold = GoldGradient(baseline - cap.height, baseline);
        cairo_set_source(cr, gold);
        cairo_fill(cr);
        cairo_pattern_destroy(gold);
    }
    return Flatten(*canvas, Matte::Flat(palette::kCardFace));
}

Picture TableButton(const PictureEntry& entry, ArtContext& context, Point at,
                    const ButtonLabel& label) {
    return ButtonStrip(entry, Matte::Over(TableCanvas(context), at.x, at.y, entry.frameWidth),
                       label);
}

} // namespace artgen
