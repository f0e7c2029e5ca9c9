// Small line-art symbols for buttons, drawn in one colour inside a square of `size` pixels.
#pragma once

#include <cairo.h>

#include "tools/artgen/picture.h"

namespace artgen {

enum class Icon {
    None,
    Deal,     // two fanned cards
    Question, // a question mark in a ring
    Grid,     // four tiles: back to the menu
    Door,     // leave
    Play,     // a triangle
    Trophy,
    Scroll,
    Person,
    Speaker,
    Note,
    ArrowLeft,
    ArrowRight,
    Info,
    Upload,
    Eraser,
    Check,
    Back,
};

void DrawIcon(cairo_t* cr, Icon icon, double cx, double cy, double size, Rgb colour);

} // namespace artgen
