// One playing card, 70 by 90: a large index in the top 30 pixels (all that shows of a covered
// card), pips for Two to Ten, a portrait for the court cards and a crowned emblem for the Ace.
#pragma once

#include <cairo.h>

namespace artgen {

// rank 0..12 = Two .. Ten, Jack, Queen, King, Ace; suit 0..3 = spades, hearts, diamonds, clubs.
void PaintCard(cairo_t* cr, double x, double y, int rank, int suit);
const char* RankLabel(int rank);

} // namespace artgen
