// Colours private to the card table's pictures.
#pragma once

#include "tools/artgen/picture.h"

namespace artgen {

// The flat inside of the score and clock panels, which digits and clock cells blend into.
constexpr Rgb kPanelDark = Hex(0x0A2A1A);

} // namespace artgen
