// The two text panels of the title screen: the rules of the game and the credits.
#include "tools/artgen/painters.h"
#include "tools/artgen/palette.h"
#include "tools/artgen/panel_style.h"
#include "tools/artgen/shapes.h"
#include "tools/artgen/text.h"

namespace artgen {

namespace {

struct Section {
    const char* lead;
    const char* text;
};

const Section kRules[] = {
    {"Goal", "Build the four foundations at the top from Ace up to King, one suit on each, "
             "before the clock runs out."},
    {"Click a card", "Click the top card of a column or a card in a free cell; you never drag. "
                     "The game moves the card for you. Cards with a gold ring can move."},
    {"Where it goes", "First onto a foundation (an Ace starts an empty one, then Two, Three and "
                      "so on up to the King). Else onto a column whose top card is one higher "
                      "in the same suit (eight cards at most), a King into an empty column, and "
                      "last into the leftmost empty free cell. A card in a free cell waits there "
                      "for a foundation or a column."},
    {"Chains", "When a card reaches its foundation, the next cards of the same suit follow by "
               "themselves if they lie on top of a column or in a free cell."},
    {"Points", "Every card laid on a foundation scores, more for each step of a chain: 25, 50, "
               "100, 200, 400 and so on up to 100000. A finished suit adds 100000."},
    {"The clock", "Each cell of the bar is one second. Every card laid on a foundation gives "
                  "five seconds back. The game ends when time runs out or no card can move."},
    {"Bonus", "Finish all four suits for 500000 points, and every second left on the clock "
              "adds 1000 more. The twenty best results enter the Hall of Fame."},
};

const Section kCredits[] = {
    {"Game", "Kestrin, a patience game against the clock, and Lumora, the menu of the suite."},
    {"Made by", "The Kestrin development team: design, programming, rules and testing. "
                "Free software under the MIT licence (the LICENSE file)."},
    {"Artwork", "Every picture, card and sound is made by the suite's own generator, drawn "
                "with vector paths and synthesised note by note."},
    {"SDL2", "Simple DirectMedia Layer: windows, input and sound. zlib licence."},
    {"Cairo", "2D graphics library used to draw the artwork. LGPL 2.1 or MPL 1.1."},
    {"FreeType", "Font rendering for all lettering. FreeType Licence (BSD style)."},
    {"DejaVu fonts", "DejaVu Sans and DejaVu Serif. Bitstream Vera licence with the DejaVu "
                     "changes (free to use and share)."},
    {"GoogleTest", "Unit testing framework. BSD 3-Clause licence."},
    {"Benchmark", "Google Benchmark, for measuring speed. Apache 2.0 licence."},
};

// Matches where the panel sits: centred over the title screen (and over the table in game).
Matte OverTitle(ArtContext& context) {
    return Matte::Over(TitleCanvas(context), layout::kPanel.x, layout::kPanel.y);
}

template <size_t N>
Picture TextPanel(const PictureEntry& entry, ArtContext& context, const char* heading,
                  const Section (&sections)[N], double fontSize, double gap) {
    auto canvas = MakeCanvas(entry);
    cairo_t* cr = canvas->Cr();
    const double w = entry.Width(), h = entry.Height();
    PaintPanel(cr, 0, 0, w, h);
    PanelHeading(cr, heading, w / 2, 66, 32);
    Divider(cr, w / 2, 84, 180);
    const double leadX = 50, textX = 168, textW = w - textX - 46;
    double baseline = 118;
    for (const Section& section : sections) {
        UseFont(cr, Typeface::SansBold, fontSize);
        SetColour(cr, palette::kCrimson);
        DrawText(cr, section.lead, leadX, baseline, Align::Left);
        UseFont(cr, Typeface::Sans, fontSize);
        SetColour(cr, palette::kInk);
        baseline = DrawParagraph(cr, section.text, textX, baseline, textW, fontSize * 1.36);
        baseline += gap;
    }
    UseFont(cr, Typeface::Serif, 13);
    SetColour(cr, palette::kInkSoft);
    DrawText(cr, "Click anywhere to close", w / 2, h - 30, Align::Centre);
    return Flatten(*canvas, OverTitle(context));
}

} // namespace

Picture PaintHowToPlay(const PictureEntry& entry, ArtContext& context) {
    return TextPanel(entry, context, "How to Play", kRules, 13.5, 9);
}

Picture PaintCredits(const PictureEntry& entry, ArtContext& context) {
    return TextPanel(entry, context, "Credits", kCredits, 14, 14);
}

} // namespace artgen
