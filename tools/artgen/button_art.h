// The suite's buttons: rounded green enamel with a gold rim and ivory lettering; the lit frame
// (hover, pressed, or the blink of "new game") turns to polished gold with dark lettering.
#pragma once

#include <cairo.h>

#include <string>

#include "tools/artgen/assets.h"
#include "tools/artgen/icons.h"
#include "tools/artgen/picture.h"

namespace artgen {

struct ButtonLabel {
    std::string text;
    Icon icon = Icon::None;
    double fontSize = 14;
};

void PaintButtonFace(cairo_t* cr, double x, double y, double w, double h, bool lit,
                     const ButtonLabel& label);
// The asset's frames side by side: frame 0 normal, every later frame lit.
Picture ButtonStrip(const PictureEntry& entry, const Matte& matte, const ButtonLabel& label);
// An on/off switch: frame 0 shows the "on" look, frame 1 the "off" look.
Picture SwitchStrip(const PictureEntry& entry, const Matte& matte, const ButtonLabel& on,
                    const ButtonLabel& off);

} // namespace artgen
