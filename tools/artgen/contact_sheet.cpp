#include "tools/artgen/contact_sheet.h"

#include <algorithm>

#include "tools/artgen/assets.h"
#include "tools/artgen/compose.h"
#include "tools/artgen/font_measure.h"
#include "tools/artgen/suite_writer.h"
#include "tools/artgen/text.h"

namespace artgen {

namespace {

constexpr int kSheetWidth = 1720;
constexpr int kMargin = 16;
constexpr int kLabelHeight = 22;

struct Placement {
    const PictureEntry* entry;
    int x, y;
};

std::string Label(const PictureEntry& entry, const Picture& picture) {
    std::string label = std::string(entry.path) + "  " + std::to_string(picture.width) + "x" +
                        std::to_string(picture.height);
    if (entry.frames > 1) {
        label += "  " + std::to_string(entry.frames) + (entry.IsFont() ? " glyphs" : " frames");
    }
    return label;
}

} // namespace

bool WriteContactSheet(const std::string& pngPath, std::string& error) {
    std::map<std::string, Picture> pictures = RenderAllPictures();
    std::vector<Placement> placements;
    int x = kMargin, y = kMargin, rowHeight = 0;
    cairo_surface_t* scratch = cairo_image_surface_create(CAIRO_FORMAT_RGB24, 1, 1);
    cairo_t* measure = cairo_create(scratch);
    UseFont(measure, Typeface::Sans, 12);
    for (const PictureEntry& entry : AllPictures()) {
        const Picture& picture = pictures[entry.path];
        int labelW = static_cast<int>(TextAdvance(measure, Label(entry, picture)));
        int w = std::min(std::max(picture.width, labelW), kSheetWidth - 2 * kMargin);
        if (x + w > kSheetWidth - kMargin) {
            x = kMargin;
            y += rowHeight + kLabelHeight + kMargin;
            rowHeight = 0;
        }
        placements.push_back({&entry, x, y});
        x += w + kMargin;
        rowHeight = std::max(rowHeight, picture.height);
    }
    cairo_destroy(measure);
    cairo_surface_destroy(scratch);
    const int height = y + rowHeight + kLabelHeight + kMargin;
    cairo_surface_t* sheet = cairo_image_surface_create(CAIRO_FORMAT_RGB24, kSheetWidth, height);
    cairo_t* cr = cairo_create(sheet);
    cairo_set_source_rgb(cr, 0.16, 0.17, 0.19);
    cairo_paint(cr);
    for (const Placement& place : placements) {
        const PictureEntry& entry = *place.entry;
        const Picture& picture = pictures[entry.path];
        cairo_surface_t* image = ToSurface(picture);
        cairo_save(cr);
        cairo_rectangle(cr, place.x, place.y, std::min(picture.width, kSheetWidth - 2 * kMargin),
                        picture.height);
        cairo_clip(cr);
        cairo_set_source_surface(cr, image, place.x, place.y);
        cairo_paint(cr);
        cairo_restore(cr);
        cairo_surface_destroy(image);
        // Frame boundaries of strips and fonts.
        cairo_set_source_rgba(cr, 1, 0.2, 0.4, 0.9);
        cairo_set_line_width(cr, 1);
        if (entry.IsFont()) {
            for (const GlyphSpan& g : MeasureGlyphs(picture)) {
                cairo_move_to(cr, place.x + g.left + 0.5, place.y + picture.height + 1);
                cairo_line_to(cr, place.x + g.right - 0.5, place.y + picture.height + 1);
            }
            cairo_stroke(cr);
        } else if (entry.frames > 1) {
            for (int f = 0; f < entry.frames; ++f) {
                int fx = (f % entry.Columns()) * entry.frameWidth;
                int fy = (f / entry.Columns()) * entry.frameHeight;
                cairo_rectangle(cr, place.x + fx + 0.5, place.y + fy + 0.5, entry.frameWidth - 1,
                                entry.frameHeight - 1);
            }
            cairo_stroke(cr);
        }
        UseFont(cr, Typeface::Sans, 12);
        cairo_set_source_rgb(cr, 0.92, 0.92, 0.9);
        DrawText(cr, Label(entry, picture), place.x, place.y + picture.height + 16, Align::Left);
    }
    cairo_destroy(cr);
    bool ok = cairo_surface_write_to_png(sheet, pngPath.c_str()) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy(sheet);
    if (!ok) {
        error = "cannot write " + pngPath;
    }
    return ok;
}

} // namespace artgen
