#include "tools/artgen/text.h"

#include <cairo-ft.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <array>
#include <sstream>

namespace artgen {

namespace {

const char* FaceFile(Typeface face) {
    switch (face) {
    case Typeface::Sans:
        return ARTGEN_FONT_DIR "/DejaVuSans.ttf";
    case Typeface::SansBold:
        return ARTGEN_FONT_DIR "/DejaVuSans-Bold.ttf";
    case Typeface::Serif:
        return ARTGEN_FONT_DIR "/DejaVuSerif.ttf";
    case Typeface::SerifBold:
        return ARTGEN_FONT_DIR "/DejaVuSerif-Bold.ttf";
    case Typeface::MonoBold:
        return ARTGEN_FONT_DIR "/DejaVuSansMono-Bold.ttf";
    }
    return "";
}

// The faces live as long as the program: Cairo keeps using them while any canvas does.
struct FaceCache {
    FT_Library library = nullptr;
    std::array<FT_Face, 5> ftFaces{};
    std::array<cairo_font_face_t*, 5> faces{};
    bool loaded = false;
    bool ok = true;

    void Load() {
        loaded = true;
        if (FT_Init_FreeType(&library) != 0) {
            ok = false;
            return;
        }
        for (int i = 0; i < 5; ++i) {
            if (FT_New_Face(library, FaceFile(static_cast<Typeface>(i)), 0, &ftFaces[i]) != 0) {
                ok = false;
                ftFaces[i] = nullptr;
                continue;
            }
            faces[i] = cairo_ft_font_face_create_for_ft_face(ftFaces[i], 0);
        }
    }
};

FaceCache& Cache() {
    static FaceCache cache;
    if (!cache.loaded) {
        cache.Load();
    }
    return cache;
}

} // namespace

bool FontsAvailable() {
    return Cache().ok;
}

void UseFont(cairo_t* cr, Typeface face, double pixelSize) {
    cairo_font_face_t* cairoFace = Cache().faces[static_cast<int>(face)];
    if (cairoFace != nullptr) {
        cairo_set_font_face(cr, cairoFace);
    } else {
        bool bold =
            face == Typeface::SansBold || face == Typeface::SerifBold || face == Typeface::MonoBold;
        cairo_select_font_face(cr, "sans-serif", CAIRO_FONT_SLANT_NORMAL,
                               bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    }
    cairo_set_font_size(cr, pixelSize);
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
    cairo_set_font_options(cr, options);
    cairo_font_options_destroy(options);
}

double TextAdvance(cairo_t* cr, const std::string& text) {
    cairo_text_extents_t extents;
    cairo_text_extents(cr, text.c_str(), &extents);
    return extents.x_advance;
}

void DrawText(cairo_t* cr, const std::string& text, double x, double baseline, Align align) {
    double width = TextAdvance(cr, text);
    double left = align == Align::Left ? x : align == Align::Centre ? x - width / 2 : x - width;
    cairo_move_to(cr, left, baseline);
    cairo_show_text(cr, text.c_str());
}

void DrawTextMiddle(cairo_t* cr, const std::string& text, double x, double centreY, Align align) {
    cairo_text_extents_t cap;
    cairo_text_extents(cr, "H", &cap);
    DrawText(cr, text, x, centreY + cap.height / 2, align);
}

double DrawParagraph(cairo_t* cr, const std::string& text, double x, double baseline, double width,
                     double lineHeight) {
    std::istringstream words(text);
    std::string word;
    std::string line;
    auto flush = [&]() {
        if (!line.empty()) {
            DrawText(cr, line, x, baseline, Align::Left);
            baseline += lineHeight;
            line.clear();
        }
    };
    while (words >> word) {
        std::string candidate = line.empty() ? word : line + " " + word;
        if (!line.empty() && TextAdvance(cr, candidate) > width) {
            flush();
            line = word;
        } else {
            line = candidate;
        }
    }
    flush();
    return baseline;
}

} // namespace artgen
