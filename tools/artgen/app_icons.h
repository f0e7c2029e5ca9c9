// The desktop icons of the two programs, painted afresh at every size of the icon theme
// rather than scaled from one picture, so the small ones stay crisp.
#pragma once

#include <string>

namespace artgen {

// Writes DIR/hicolor/<n>x<n>/apps/{lumora,kestrin}.png for every size the desktop entries use.
bool WriteAppIcons(const std::string& dir, std::string& error);

} // namespace artgen
