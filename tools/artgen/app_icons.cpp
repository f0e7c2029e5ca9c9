#include "tools/artgen/app_icons.h"

#include <cairo.h>

#include <filesystem>

#include "tools/artgen/card_faces.h"
#include "tools/artgen/layout.h"
#include "tools/artgen/palette.h"
#include "tools/artgen/shapes.h"
#include "tools/artgen/text.h"

namespace artgen {

namespace {

constexpr int kIconSizes[] = {48, 128, 256};

// A tile of felt in a gold frame, drawn on a 256-unit square whatever the pixel size.
void PaintTile(cairo_t* cr) {
    RoundedRect(cr, 8, 8, 240, 240, 44);
    cairo_pattern_t* felt = cairo_pattern_create_radial(128, 100, 10, 128, 128, 190);
    cairo_pattern_add_color_stop_rgb(felt, 0, palette::kFeltLight.r, palette::kFeltLight.g,
                                     palette::kFeltLight.b);
    cairo_pattern_add_color_stop_rgb(felt, 1, palette::kFeltDeep.r, palette::kFeltDeep.g,
                                     palette::kFeltDeep.b);
    cairo_set_source(cr, felt);
    cairo_fill(cr);
    cairo_pattern_destroy(felt);
    GoldFrame(cr, 8, 8, 240, 240, 44, 10);
}

// Kestrin: an Ace and a King fanned, the way the game's title shows its cards.
void PaintKestrin(cairo_t* cr) {
    PaintTile(cr);
    const int ranks[2] = {12, 11};
    const int suits[2] = {0, 1};
    const double angles[2] = {-0.22, 0.2};
    for (int i = 0; i < 2; ++i) {
        cairo_save(cr);
        cairo_translate(cr, 128 + (i == 0 ? -22 : 22), 134);
        cairo_rotate(cr, angles[i]);
        cairo_scale(cr, 1.9, 1.9);
        RoundedRect(cr, -layout::kCardW / 2.0 + 2, -layout::kCardH / 2.0 + 2, layout::kCardW,
                    layout::kCardH, 5);
        SetColour(cr, Hex(0x000000), 0.35);
        cairo_fill(cr);
        PaintCard(cr, -layout::kCardW / 2.0, -layout::kCardH / 2.0, ranks[i], suits[i]);
        cairo_restore(cr);
    }
}

// Lumora: the menu's gold initial over the four suits.
void PaintLumora(cairo_t* cr) {
    PaintTile(cr);
    UseFont(cr, Typeface::SerifBold, 170);
    const double left = 128 - TextAdvance(cr, "L") / 2;
    cairo_move_to(cr, left, 168);
    cairo_text_path(cr, "L");
    cairo_set_source_rgb(cr, palette::kFeltDeep.r, palette::kFeltDeep.g, palette::kFeltDeep.b);
    cairo_set_line_width(cr, 10);
    cairo_stroke_preserve(cr);
    FillGold(cr, 40, 170);
    for (int suit = 0; suit < 4; ++suit)
        FillSuit(cr, suit, 62 + suit * 44, 204, 34, suit % 2 ? palette::kSuit[1] : palette::kIvory);
}

bool WriteIcon(const std::filesystem::path& file, int size, void (*paint)(cairo_t*),
               std::string& error) {
    std::error_code code;
    std::filesystem::create_directories(file.parent_path(), code);
    if (code) {
        error = "cannot create " + file.parent_path().string() + ": " + code.message();
        return false;
    }
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, size, size);
    cairo_t* cr = cairo_create(surface);
    cairo_scale(cr, size / 256.0, size / 256.0);
    paint(cr);
    cairo_destroy(cr);
    const bool ok = cairo_surface_write_to_png(surface, file.c_str()) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy(surface);
    if (!ok)
        error = "cannot write " + file.string();
    return ok;
}

} // namespace

bool WriteAppIcons(const std::string& dir, std::string& error) {
    const struct {
        const char* name;
        void (*paint)(cairo_t*);
    } icons[] = {{"lumora", PaintLumora}, {"kestrin", PaintKestrin}};
    for (int size : kIconSizes) {
        const std::string folder = std::to_string(size) + "x" + std::to_string(size);
        for (const auto& icon : icons) {
            const auto file = std::filesystem::path(dir) / "hicolor" / folder / "apps" /
                              (std::string(icon.name) + ".png");
            if (!WriteIcon(file, size, icon.paint, error))
                return false;
        }
    }
    return true;
}

} // namespace artgen
