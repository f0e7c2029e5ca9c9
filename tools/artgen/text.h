// Text on a Cairo canvas with the DejaVu faces, loaded by file through FreeType so that the
// result does not depend on the machine's font configuration.
#pragma once

#include <cairo.h>

#include <string>

namespace artgen {

enum class Typeface { Sans, SansBold, Serif, SerifBold, MonoBold };
enum class Align { Left, Centre, Right };

// False when a face file is missing; drawing then falls back to Cairo's toy font.
bool FontsAvailable();
void UseFont(cairo_t* cr, Typeface face, double pixelSize);
double TextAdvance(cairo_t* cr, const std::string& text);
// Draws at a baseline; `x` is the left edge, the centre or the right edge.
void DrawText(cairo_t* cr, const std::string& text, double x, double baseline, Align align);
// Centres the text's capital height on `centreY`.
void DrawTextMiddle(cairo_t* cr, const std::string& text, double x, double centreY, Align align);
// Left-aligned paragraph wrapped at `width`; returns the baseline after the last line.
double DrawParagraph(cairo_t* cr, const std::string& text, double x, double baseline, double width,
                     double lineHeight);

} // namespace artgen
