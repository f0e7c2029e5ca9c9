// The suite's panels: ivory card stock in a gold frame with suit ornaments in the corners, and
// headings in dark green serif type.
#pragma once

#include <cairo.h>

#include <string>

namespace artgen {

void PaintPanel(cairo_t* cr, double x, double y, double w, double h);
void PanelHeading(cairo_t* cr, const std::string& text, double cx, double baseline, double size);
// A thin gold rule with a diamond in the middle.
void Divider(cairo_t* cr, double cx, double y, double halfWidth);
// A flat parchment box (where bitmap-font text is drawn) with a fine border.
void TextWell(cairo_t* cr, double x, double y, double w, double h);

} // namespace artgen
