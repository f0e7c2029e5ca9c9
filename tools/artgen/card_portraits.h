// The court cards' portraits: a framed bust in the suit's colour with the figure's headwear
// (crown, tiara or feathered cap), a beard or long hair, and what the figure holds.
#pragma once

#include <cairo.h>

namespace artgen {

// rank 9 Jack, 10 Queen, 11 King; (x, y) is the card's top-left corner.
void PaintPortrait(cairo_t* cr, double x, double y, int rank, int suit);

} // namespace artgen
