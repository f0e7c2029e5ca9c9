// Paths and fills shared by all pictures: rounded boxes, suit symbols, crowns, gold bevels and
// the felt texture.
#pragma once

#include <cairo.h>

#include "tools/artgen/picture.h"

namespace artgen {

void SetColour(cairo_t* cr, Rgb colour, double alpha = 1.0);
Rgb Mix(Rgb a, Rgb b, double t);
void RoundedRect(cairo_t* cr, double x, double y, double w, double h, double radius);

// Suit 0 spade, 1 heart, 2 diamond, 3 club, centred on (cx, cy), `size` pixels high.
void SuitPath(cairo_t* cr, int suit, double cx, double cy, double size);
void FillSuit(cairo_t* cr, int suit, double cx, double cy, double size, Rgb colour);
// A five-pointed crown `w` wide, centred on (cx, cy); height is about 0.8 w.
void CrownPath(cairo_t* cr, double cx, double cy, double w);
void FillGoldCrown(cairo_t* cr, double cx, double cy, double w);

// Vertical gold gradient between y0 and y1, bright at the top.
cairo_pattern_t* GoldGradient(double y0, double y1);
void FillGold(cairo_t* cr, double y0, double y1);
void FillVertical(cairo_t* cr, double y0, double y1, Rgb top, Rgb bottom);

// The table felt: a soft radial light over deep green with a fine woven grain.
void PaintFelt(cairo_t* cr, double w, double h, unsigned seed);
// Adds a fine deterministic grain of +-`amount` (0..255) to the opaque pixels of a canvas area.
void AddGrain(const Canvas& canvas, int x, int y, int w, int h, int amount, unsigned seed);

// An engraved gold frame around a rounded box (used by panels, slots and buttons).
void GoldFrame(cairo_t* cr, double x, double y, double w, double h, double radius, double width);
// A star-like flourish used as an ornament.
void Sparkle(cairo_t* cr, double cx, double cy, double r, Rgb colour);

} // namespace artgen
