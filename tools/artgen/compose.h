// Keyed drawing of pictures onto a screen picture and PNG output, for the contact sheet and
// the layout preview.
#pragma once

#include <string>

#include "tools/artgen/assets.h"
#include "tools/artgen/picture.h"

namespace artgen {

// Copies the (sx, sy, w, h) part of `source` to (dx, dy), skipping key pixels, clipped.
void Blit(Picture& target, const Picture& source, int sx, int sy, int w, int h, int dx, int dy);
void BlitFrame(Picture& target, const Picture& strip, const PictureEntry& entry, int frame, int dx,
               int dy);
// A new RGB24 image surface of the picture (the caller destroys it); key pixels are shown as
// a grey checkerboard so that transparency can be seen.
cairo_surface_t* ToSurface(const Picture& picture);
// Key pixels are shown as a grey checkerboard so transparency can be seen.
bool WritePng(const Picture& picture, const std::string& path);

} // namespace artgen
