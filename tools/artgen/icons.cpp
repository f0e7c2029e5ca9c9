#include "tools/artgen/icons.h"

#include "tools/artgen/shapes.h"
#include "tools/artgen/text.h"

namespace artgen {

namespace {

constexpr double kPi = 3.14159265358979323846;

void Stroke(cairo_t* cr, double width) {
    cairo_set_line_width(cr, width);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke(cr);
}

void Arrow(cairo_t* cr, double s, int direction) {
    cairo_move_to(cr, direction * 0.3 * s, -0.38 * s);
    cairo_line_to(cr, -direction * 0.22 * s, 0);
    cairo_line_to(cr, direction * 0.3 * s, 0.38 * s);
    Stroke(cr, s * 0.16);
}

} // namespace

void DrawIcon(cairo_t* cr, Icon icon, double cx, double cy, double s, Rgb colour) {
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_new_path(cr);
    SetColour(cr, colour);
    const double line = s * 0.1;
    switch (icon) {
    case Icon::None:
        break;
    case Icon::Deal:
        for (int i = 0; i < 2; ++i) {
            cairo_save(cr);
            cairo_rotate(cr, (i == 0 ? -0.25 : 0.2));
            cairo_translate(cr, i == 0 ? -0.1 * s : 0.12 * s, 0);
            RoundedRect(cr, -0.22 * s, -0.34 * s, 0.44 * s, 0.64 * s, 0.07 * s);
            cairo_restore(cr);
            Stroke(cr, line);
        }
        FillSuit(cr, 1, 0.14 * s, 0, 0.22 * s, colour);
        break;
    case Icon::Question:
        cairo_arc(cr, 0, 0, 0.42 * s, 0, 2 * kPi);
        Stroke(cr, line);
        UseFont(cr, Typeface::SansBold, 0.6 * s);
        DrawTextMiddle(cr, "?", 0, 0, Align::Centre);
        break;
    case Icon::Grid:
        for (int i = 0; i < 4; ++i) {
            double x = (i % 2 == 0 ? -0.36 : 0.04) * s, y = (i / 2 == 0 ? -0.36 : 0.04) * s;
            RoundedRect(cr, x, y, 0.32 * s, 0.32 * s, 0.06 * s);
        }
        cairo_fill(cr);
        break;
    case Icon::Door:
        cairo_move_to(cr, 0.05 * s, -0.4 * s);
        cairo_line_to(cr, -0.34 * s, -0.4 * s);
        cairo_line_to(cr, -0.34 * s, 0.4 * s);
        cairo_line_to(cr, 0.05 * s, 0.4 * s);
        Stroke(cr, line);
        cairo_move_to(cr, -0.1 * s, 0);
        cairo_line_to(cr, 0.42 * s, 0);
        cairo_move_to(cr, 0.26 * s, -0.16 * s);
        cairo_line_to(cr, 0.42 * s, 0);
        cairo_line_to(cr, 0.26 * s, 0.16 * s);
        Stroke(cr, line);
        break;
    case Icon::Play:
        cairo_move_to(cr, -0.26 * s, -0.38 * s);
        cairo_line_to(cr, 0.38 * s, 0);
        cairo_line_to(cr, -0.26 * s, 0.38 * s);
        cairo_close_path(cr);
        cairo_fill(cr);
        break;
    case Icon::Trophy:
        cairo_move_to(cr, -0.28 * s, -0.38 * s);
        cairo_line_to(cr, 0.28 * s, -0.38 * s);
        cairo_curve_to(cr, 0.28 * s, 0.0, 0.12 * s, 0.12 * s, 0, 0.12 * s);
        cairo_curve_to(cr, -0.12 * s, 0.12 * s, -0.28 * s, 0.0, -0.28 * s, -0.38 * s);
        cairo_fill(cr);
        cairo_rectangle(cr, -0.05 * s, 0.1 * s, 0.1 * s, 0.18 * s);
        cairo_rectangle(cr, -0.2 * s, 0.28 * s, 0.4 * s, 0.1 * s);
        cairo_fill(cr);
        cairo_arc(cr, -0.3 * s, -0.2 * s, 0.13 * s, 0.5 * kPi, 1.5 * kPi);
        Stroke(cr, line * 0.8);
        cairo_arc_negative(cr, 0.3 * s, -0.2 * s, 0.13 * s, 0.5 * kPi, -0.5 * kPi);
        Stroke(cr, line * 0.8);
        break;
    case Icon::Scroll:
        RoundedRect(cr, -0.3 * s, -0.4 * s, 0.6 * s, 0.8 * s, 0.08 * s);
        Stroke(cr, line);
        for (int i = 0; i < 3; ++i) {
            cairo_move_to(cr, -0.16 * s, (-0.18 + 0.18 * i) * s);
            cairo_line_to(cr, 0.16 * s, (-0.18 + 0.18 * i) * s);
        }
        Stroke(cr, line * 0.8);
        break;
    case Icon::Person:
        cairo_arc(cr, 0, -0.18 * s, 0.17 * s, 0, 2 * kPi);
        cairo_fill(cr);
        cairo_move_to(cr, -0.34 * s, 0.42 * s);
        cairo_curve_to(cr, -0.34 * s, 0.02 * s, 0.34 * s, 0.02 * s, 0.34 * s, 0.42 * s);
        cairo_close_path(cr);
        cairo_fill(cr);
        break;
    case Icon::Speaker:
        cairo_move_to(cr, -0.4 * s, -0.13 * s);
        cairo_line_to(cr, -0.22 * s, -0.13 * s);
        cairo_line_to(cr, 0.02 * s, -0.36 * s);
        cairo_line_to(cr, 0.02 * s, 0.36 * s);
        cairo_line_to(cr, -0.22 * s, 0.13 * s);
        cairo_line_to(cr, -0.4 * s, 0.13 * s);
        cairo_close_path(cr);
        cairo_fill(cr);
        cairo_arc(cr, 0.04 * s, 0, 0.2 * s, -0.3 * kPi, 0.3 * kPi);
        Stroke(cr, line * 0.9);
        cairo_arc(cr, 0.04 * s, 0, 0.36 * s, -0.3 * kPi, 0.3 * kPi);
        Stroke(cr, line * 0.9);
        break;
    case Icon::Note:
        cairo_save(cr);
        cairo_translate(cr, -0.22 * s, 0.28 * s);
        cairo_rotate(cr, -0.35);
        cairo_scale(cr, 0.15 * s, 0.11 * s);
        cairo_arc(cr, 0, 0, 1, 0, 2 * kPi);
        cairo_restore(cr);
        cairo_save(cr);
        cairo_translate(cr, 0.22 * s, 0.18 * s);
        cairo_rotate(cr, -0.35);
        cairo_scale(cr, 0.15 * s, 0.11 * s);
        cairo_new_sub_path(cr);
        cairo_arc(cr, 0, 0, 1, 0, 2 * kPi);
        cairo_restore(cr);
        cairo_fill(cr);
        cairo_move_to(cr, -0.09 * s, 0.26 * s);
        cairo_line_to(cr, -0.09 * s, -0.32 * s);
        cairo_line_to(cr, 0.35 * s, -0.42 * s);
        cairo_line_to(cr, 0.35 * s, 0.16 * s);
        Stroke(cr, line * 0.9);
        break;
    case Icon::ArrowLeft:
        Arrow(cr, s, 1);
        break;
    case Icon::ArrowRight:
        Arrow(cr, s, -1);
        break;
    case Icon::Info:
        cairo_arc(cr, 0, 0, 0.42 * s, 0, 2 * kPi);
        Stroke(cr, line);
        cairo_arc(cr, 0, -0.2 * s, 0.065 * s, 0, 2 * kPi);
        cairo_fill(cr);
        cairo_move_to(cr, 0, -0.04 * s);
        cairo_line_to(cr, 0, 0.24 * s);
        Stroke(cr, line * 1.2);
        break;
    case Icon::Upload:
        cairo_move_to(cr, 0, 0.2 * s);
        cairo_line_to(cr, 0, -0.36 * s);
        cairo_move_to(cr, -0.2 * s, -0.16 * s);
        cairo_line_to(cr, 0, -0.36 * s);
        cairo_line_to(cr, 0.2 * s, -0.16 * s);
        cairo_move_to(cr, -0.36 * s, 0.12 * s);
        cairo_line_to(cr, -0.36 * s, 0.38 * s);
        cairo_line_to(cr, 0.36 * s, 0.38 * s);
        cairo_line_to(cr, 0.36 * s, 0.12 * s);
        Stroke(cr, line);
        break;
    case Icon::Eraser:
        cairo_move_to(cr, -0.3 * s, -0.26 * s);
        cairo_line_to(cr, 0.3 * s, -0.26 * s);
        cairo_move_to(cr, -0.08 * s, -0.36 * s);
        cairo_line_to(cr, 0.08 * s, -0.36 * s);
        cairo_move_to(cr, -0.22 * s, -0.16 * s);
        cairo_line_to(cr, -0.16 * s, 0.4 * s);
        cairo_line_to(cr, 0.16 * s, 0.4 * s);
        cairo_line_to(cr, 0.22 * s, -0.16 * s);
        Stroke(cr, line);
        break;
    case Icon::Check:
        cairo_move_to(cr, -0.34 * s, 0.02 * s);
        cairo_line_to(cr, -0.1 * s, 0.28 * s);
        cairo_line_to(cr, 0.36 * s, -0.3 * s);
        Stroke(cr, line * 1.4);
        break;
    case Icon::Back:
        cairo_move_to(cr, 0.34 * s, 0.3 * s);
        cairo_curve_to(cr, 0.34 * s, -0.16 * s, 0.1 * s, -0.16 * s, -0.3 * s, -0.16 * s);
        Stroke(cr, line * 1.2);
        cairo_move_to(cr, -0.12 * s, -0.36 * s);
        cairo_line_to(cr, -0.34 * s, -0.16 * s);
        cairo_line_to(cr, -0.12 * s, 0.04 * s);
        Stroke(cr, line * 1.2);
        break;
    }
    cairo_restore(cr);
}

} // namespace artgen
