// The menu's players panel and Hall of Fame panel, with the buttons drawn on them.
#include <string>

#include "tools/artgen/painters.h"
#include "tools/artgen/palette.h"
#include "tools/artgen/panel_style.h"
#include "tools/artgen/shapes.h"
#include "tools/artgen/text.h"

namespace artgen {

namespace {

using namespace layout;

constexpr int kFieldMargin = 6;

void PaintPlayers(Canvas& canvas) {
    cairo_t* cr = canvas.Cr();
    const double w = kPanelW;
    PaintPanel(cr, 0, 0, kPanelW, kPanelH);
    PanelHeading(cr, "Player", w / 2, 66, 32);
    Divider(cr, w / 2, 84, 160);
    UseFont(cr, Typeface::Sans, 15);
    SetColour(cr, palette::kInk);
    DrawText(cr, "Your name appears on the title screen and in the Hall of Fame.", 50, 130,
             Align::Left);
    DrawText(cr, "Address and email travel only with uploaded scores, and only", 50, 154,
             Align::Left);
    DrawText(cr, "when the switch below says yes.", 50, 178, Align::Left);
    const char* labels[3] = {"Name", "Address", "Email"};
    for (int i = 0; i < 3; ++i) {
        // The well holds the field with a margin, so the first letter and the block cursor
        // after the last never touch its frame.
        Box field = PlayerField(i);
        UseFont(cr, Typeface::SansBold, 14);
        SetColour(cr, palette::kCrimson);
        DrawText(cr, labels[i], field.x - kFieldMargin, field.y - 8, Align::Left);
        TextWell(cr, field.x - kFieldMargin, field.y, field.w + 2 * kFieldMargin, field.h);
    }
    UseFont(cr, Typeface::Sans, 13);
    SetColour(cr, palette::kInk);
    DrawText(cr, "Send my name, address and", kPlayersYesNo.x + 106, kPlayersYesNo.y + 17,
             Align::Left);
    DrawText(cr, "email with uploaded scores", kPlayersYesNo.x + 106, kPlayersYesNo.y + 34,
             Align::Left);
}

void PaintHall(Canvas& canvas) {
    cairo_t* cr = canvas.Cr();
    PaintPanel(cr, 0, 0, kPanelW, kPanelH);
    const double headingX = 280;
    PanelHeading(cr, "Hall of Fame", headingX, 78, 38);
    Divider(cr, headingX, 98, 120);
    FillGoldCrown(cr, headingX, 130, 44);
    UseFont(cr, Typeface::Sans, 14);
    SetColour(cr, palette::kInk);
    DrawText(cr, "The twenty best results of this game.", headingX, 184, Align::Centre);
    UseFont(cr, Typeface::Sans, 12);
    SetColour(cr, palette::kInkSoft);
    DrawText(cr, "Send the best result", kHallUpload.x - 12, kHallUpload.y + 20, Align::Right);
    DrawText(cr, "to the score server", kHallUpload.x - 12, kHallUpload.y + 36, Align::Right);
    DrawText(cr, "Empty the table", kHallClear.x - 12, kHallClear.y + 28, Align::Right);
    for (int column = 0; column < 2; ++column) {
        const double left = kHallNameX[column] - 36;
        const double top = kHallRowY - 4;
        const double width = 320, height = 10 * kHallRowPitch + 6;
        TextWell(cr, left, top, width, height);
        for (int r = 0; r < 10; ++r) {
            const double rowTop = kHallRowY + r * kHallRowPitch;
            if (r > 0) {
                cairo_new_path(cr);
                cairo_move_to(cr, left + 4, rowTop - 1.5);
                cairo_line_to(cr, left + width - 4, rowTop - 1.5);
                SetColour(cr, palette::kIvoryShade);
                cairo_set_line_width(cr, 1);
                cairo_stroke(cr);
            }
            UseFont(cr, Typeface::SansBold, 12);
            SetColour(cr, palette::kInkSoft);
            std::string rank = std::to_string(column * 10 + r + 1) + ".";
            DrawTextMiddle(cr, rank, kHallNameX[column] - 7, rowTop + 12, Align::Right);
        }
    }
}

} // namespace

const Canvas& PlayerInfoCanvas(ArtContext& context) {
    return context.Background("players", kPanelW, kPanelH, PaintPlayers);
}

const Canvas& HallCanvas(ArtContext& context) {
    return context.Background("hall", kPanelW, kPanelH, PaintHall);
}

Picture PaintPlayerInfo(const PictureEntry&, ArtContext& context) {
    return Flatten(PlayerInfoCanvas(context),
                   Matte::Over(TitleCanvas(context), kPanel.x, kPanel.y));
}

Picture PaintHallOfFame(const PictureEntry&, ArtContext& context) {
    return Flatten(HallCanvas(context), Matte::Over(TitleCanvas(context), kPanel.x, kPanel.y));
}

Picture PanelButton(const PictureEntry& entry, const Canvas& panel, Point at,
                    const ButtonLabel& label) {
    return ButtonStrip(entry, Matte::Over(panel, at.x, at.y, entry.frameWidth), label);
}

Picture PaintYesNo(const PictureEntry& entry, ArtContext& context) {
    Matte matte =
        Matte::Over(PlayerInfoCanvas(context), kPlayersYesNo.x, kPlayersYesNo.y, entry.frameWidth);
    return SwitchStrip(entry, matte, {"Yes", Icon::Check, 15}, {"No", Icon::None, 15});
}

Picture PaintBlockCursor(const PictureEntry& entry, ArtContext&) {
    auto canvas = MakeCanvas(entry);
    cairo_t* cr = canvas->Cr();
    cairo_rectangle(cr, 1, 5, entry.frameWidth - 2, entry.frameHeight - 9);
    SetColour(cr, palette::kCrimson, 0.85);
    cairo_fill(cr);
    return Flatten(*canvas, Matte::Flat(palette::kParchment));
}

} // namespace artgen
