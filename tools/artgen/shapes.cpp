#include "tools/artgen/shapes.h"

#include <algorithm>
#include <cmath>

#include "tools/artgen/palette.h"

namespace artgen {

namespace {

constexpr double kPi = 3.14159265358979323846;

void Heart(cairo_t* cr) {
    cairo_move_to(cr, 0, -0.26);
    cairo_curve_to(cr, 0, -0.32, -0.06, -0.5, -0.27, -0.5);
    cairo_curve_to(cr, -0.52, -0.5, -0.54, -0.24, -0.54, -0.15);
    cairo_curve_to(cr, -0.54, 0.06, -0.34, 0.26, 0, 0.5);
    cairo_curve_to(cr, 0.34, 0.26, 0.54, 0.06, 0.54, -0.15);
    cairo_curve_to(cr, 0.54, -0.24, 0.52, -0.5, 0.27, -0.5);
    cairo_curve_to(cr, 0.06, -0.5, 0, -0.32, 0, -0.26);
    cairo_close_path(cr);
}

void Diamond(cairo_t* cr) {
    cairo_move_to(cr, 0, -0.5);
    cairo_curve_to(cr, 0.1, -0.32, 0.24, -0.14, 0.4, 0);
    cairo_curve_to(cr, 0.24, 0.14, 0.1, 0.32, 0, 0.5);
    cairo_curve_to(cr, -0.1, 0.32, -0.24, 0.14, -0.4, 0);
    cairo_curve_to(cr, -0.24, -0.14, -0.1, -0.32, 0, -0.5);
    cairo_close_path(cr);
}

void Stem(cairo_t* cr) {
    cairo_move_to(cr, -0.045, 0.12);
    cairo_curve_to(cr, -0.05, 0.34, -0.12, 0.45, -0.24, 0.5);
    cairo_line_to(cr, 0.24, 0.5);
    cairo_curve_to(cr, 0.12, 0.45, 0.05, 0.34, 0.045, 0.12);
    cairo_close_path(cr);
}

void Spade(cairo_t* cr) {
    cairo_move_to(cr, 0, -0.5);
    cairo_curve_to(cr, -0.14, -0.3, -0.52, -0.12, -0.52, 0.1);
    cairo_curve_to(cr, -0.52, 0.28, -0.36, 0.36, -0.24, 0.35);
    cairo_curve_to(cr, -0.12, 0.34, -0.04, 0.26, 0, 0.2);
    cairo_curve_to(cr, 0.04, 0.26, 0.12, 0.34, 0.24, 0.35);
    cairo_curve_to(cr, 0.36, 0.36, 0.52, 0.28, 0.52, 0.1);
    cairo_curve_to(cr, 0.52, -0.12, 0.14, -0.3, 0, -0.5);
    cairo_close_path(cr);
    Stem(cr);
}

void Club(cairo_t* cr) {
    const double r = 0.225;
    cairo_new_sub_path(cr);
    cairo_arc(cr, 0, -0.255, r, 0, 2 * kPi);
    cairo_new_sub_path(cr);
    cairo_arc(cr, -0.255, 0.085, r, 0, 2 * kPi);
    cairo_new_sub_path(cr);
    cairo_arc(cr, 0.255, 0.085, r, 0, 2 * kPi);
    cairo_new_sub_path(cr);
    cairo_arc(cr, 0, 0.0, 0.13, 0, 2 * kPi);
    Stem(cr);
}

} // namespace

void SetColour(cairo_t* cr, Rgb colour, double alpha) {
    cairo_set_source_rgba(cr, colour.r, colour.g, colour.b, alpha);
}

Rgb Mix(Rgb a, Rgb b, double t) {
    return Rgb{a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

void RoundedRect(cairo_t* cr, double x, double y, double w, double h, double radius) {
    double r = std::min({radius, w / 2, h / 2});
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + w - r, y + r, r, -kPi / 2, 0);
    cairo_arc(cr, x + w - r, y + h - r, r, 0, kPi / 2);
    cairo_arc(cr, x + r, y + h - r, r, kPi / 2, kPi);
    cairo_arc(cr, x + r, y + r, r, kPi, 3 * kPi / 2);
    cairo_close_path(cr);
}

void SuitPath(cairo_t* cr, int suit, double cx, double cy, double size) {
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_scale(cr, size, size);
    switch (suit) {
    case 0:
        Spade(cr);
        break;
    case 1:
        Heart(cr);
        break;
    case 2:
        Diamond(cr);
        break;
    default:
        Club(cr);
        break;
    }
    cairo_restore(cr);
}

void FillSuit(cairo_t* cr, int suit, double cx, double cy, double size, Rgb colour) {
    cairo_new_path(cr);
    SuitPath(cr, suit, cx, cy, size);
    SetColour(cr, colour);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
    cairo_fill(cr);
}

void CrownPath(cairo_t* cr, double cx, double cy, double w) {
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_scale(cr, w, w);
    cairo_move_to(cr, -0.42, 0.3);
    cairo_line_to(cr, -0.5, -0.2);
    cairo_line_to(cr, -0.24, 0.02);
    cairo_line_to(cr, 0, -0.34);
    cairo_line_to(cr, 0.24, 0.02);
    cairo_line_to(cr, 0.5, -0.2);
    cairo_line_to(cr, 0.42, 0.3);
    cairo_close_path(cr);
    const double tips[3][2] = {{-0.5, -0.2}, {0, -0.34}, {0.5, -0.2}};
    for (const auto& tip : tips) {
        cairo_new_sub_path(cr);
        cairo_arc(cr, tip[0], tip[1], 0.075, 0, 2 * kPi);
    }
    cairo_new_sub_path(cr);
    cairo_rectangle(cr, -0.44, 0.26, 0.88, 0.14);
    cairo_restore(cr);
}

void FillGoldCrown(cairo_t* cr, double cx, double cy, double w) {
    cairo_new_path(cr);
    CrownPath(cr, cx, cy, w);
    cairo_pattern_t* gold = GoldGradient(cy - 0.4 * w, cy + 0.4 * w);
    cairo_set_source(cr, gold);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(gold);
    SetColour(cr, palette::kGoldDark);
    cairo_set_line_width(cr, std::max(0.8, w * 0.035));
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke(cr);
    // Jewels on the band.
    const Rgb jewels[3] = {palette::kSuit[2], palette::kCrimson, palette::kSuit[3]};
    for (int i = 0; i < 3; ++i) {
        cairo_arc(cr, cx + (i - 1) * 0.24 * w, cy + 0.33 * w, 0.045 * w, 0, 2 * kPi);
        SetColour(cr, jewels[i]);
        cairo_fill(cr);
    }
}

cairo_pattern_t* GoldGradient(double y0, double y1) {
    cairo_pattern_t* p = cairo_pattern_create_linear(0, y0, 0, y1);
    cairo_pattern_add_color_stop_rgb(p, 0.0, palette::kGoldLight.r, palette::kGoldLight.g,
                                     palette::kGoldLight.b);
    cairo_pattern_add_color_stop_rgb(p, 0.45, palette::kGold.r, palette::kGold.g, palette::kGold.b);
    cairo_pattern_add_color_stop_rgb(p, 1.0, palette::kGoldDark.r, palette::kGoldDark.g,
                                     palette::kGoldDark.b);
    return p;
}

void FillGold(cairo_t* cr, double y0, double y1) {
    cairo_pattern_t* p = GoldGradient(y0, y1);
    cairo_set_source(cr, p);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
}

void FillVertical(cairo_t* cr, double y0, double y1, Rgb top, Rgb bottom) {
    cairo_pattern_t* p = cairo_pattern_create_linear(0, y0, 0, y1);
    cairo_pattern_add_color_stop_rgb(p, 0, top.r, top.g, top.b);
    cairo_pattern_add_color_stop_rgb(p, 1, bottom.r, bottom.g, bottom.b);
    cairo_set_source(cr, p);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
}

void PaintFelt(cairo_t* cr, double w, double h, unsigned /*seed*/) {
    cairo_pattern_t* p =
        cairo_pattern_create_radial(w / 2, h * 0.45, 0, w / 2, h * 0.45, std::hypot(w, h) * 0.6);
    cairo_pattern_add_color_stop_rgb(p, 0, palette::kFeltLight.r, palette::kFeltLight.g,
                                     palette::kFeltLight.b);
    cairo_pattern_add_color_stop_rgb(p, 0.55, palette::kFelt.r, palette::kFelt.g, palette::kFelt.b);
    cairo_pattern_add_color_stop_rgb(p, 1, palette::kFeltDeep.r, palette::kFeltDeep.g,
                                     palette::kFeltDeep.b);
    cairo_rectangle(cr, 0, 0, w, h);
    cairo_set_source(cr, p);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
}

void AddGrain(const Canvas& canvas, int x0, int y0, int w, int h, int amount, unsigned seed) {
    cairo_surface_flush(canvas.Surface());
    unsigned char* data = cairo_image_surface_get_data(canvas.Surface());
    int stride = cairo_image_surface_get_stride(canvas.Surface());
    for (int y = std::max(0, y0); y < std::min(canvas.Height(), y0 + h); ++y) {
        uint32_t* row = reinterpret_cast<uint32_t*>(data + static_cast<size_t>(y) * stride);
        for (int x = std::max(0, x0); x < std::min(canvas.Width(), x0 + w); ++x) {
            uint32_t argb = row[x];
            if ((argb >> 24) != 255) {
                continue;
            }
            uint32_t hash = (static_cast<uint32_t>(x) * 73856093u) ^
                            (static_cast<uint32_t>(y) * 19349663u) ^ (seed * 83492791u);
            hash ^= hash >> 13;
            hash *= 0x5bd1e995u;
            hash ^= hash >> 15;
            // A woven look: a faint diagonal twill under the random grain.
            int twill = ((x + y) % 4 == 0) ? 2 : 0;
            int delta = static_cast<int>(hash % (2 * amount + 1)) - amount + twill;
            uint32_t out = 0xFF000000u;
            for (int shift = 0; shift <= 16; shift += 8) {
                int c = static_cast<int>((argb >> shift) & 0xFF) + delta;
                out |= static_cast<uint32_t>(std::clamp(c, 0, 255)) << shift;
            }
            row[x] = out;
        }
    }
    cairo_surface_mark_dirty(canvas.Surface());
}

void GoldFrame(cairo_t* cr, double x, double y, double w, double h, double radius, double width) {
    cairo_new_path(cr);
    RoundedRect(cr, x, y, w, h, radius);
    cairo_set_line_width(cr, width);
    cairo_pattern_t* gold = GoldGradient(y, y + h);
    cairo_set_source(cr, gold);
    cairo_stroke(cr);
    cairo_pattern_destroy(gold);
    // A thin dark line inside gives the frame an engraved edge.
    RoundedRect(cr, x + width / 2 + 0.5, y + width / 2 + 0.5, w - width - 1, h - width - 1,
                std::max(0.0, radius - width / 2));
    cairo_set_line_width(cr, 1);
    SetColour(cr, palette::kGoldDark, 0.8);
    cairo_stroke(cr);
}

void Sparkle(cairo_t* cr, double cx, double cy, double r, Rgb colour) {
    cairo_new_path(cr);
    cairo_move_to(cr, cx, cy - r);
    cairo_curve_to(cr, cx + r * 0.12, cy - r * 0.12, cx + r * 0.12, cy - r * 0.12, cx + r, cy);
    cairo_curve_to(cr, cx + r * 0.12, cy + r * 0.12, cx + r * 0.12, cy + r * 0.12, cx, cy + r);
    cairo_curve_to(cr, cx - r * 0.12, cy + r * 0.12, cx - r * 0.12, cy + r * 0.12, cx - r, cy);
    cairo_curve_to(cr, cx - r * 0.12, cy - r * 0.12, cx - r * 0.12, cy - r * 0.12, cx, cy - r);
    cairo_close_path(cr);
    SetColour(cr, colour);
    cairo_fill(cr);
}

} // namespace artgen
