// 16-bit BMP files as the suite loads them: a Windows bitmap with BI_BITFIELDS masks for
// RGB565, rows stored bottom-up and padded to four bytes.
#pragma once

#include <string>
#include <vector>

#include "tools/artgen/picture.h"

namespace artgen {

std::vector<unsigned char> EncodeBmp(const Picture& picture);
bool WriteBmp(const std::string& path, const Picture& picture);

} // namespace artgen
