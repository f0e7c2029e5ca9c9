#pragma once
// Pictures in plain colours for tests that tell what was drawn by its colour: strips of frames
// side by side, each frame of one colour, and the 16-bit value a colour has once loaded.
#include <functional>
#include <string>

#include "support/bmp_file.h"

namespace testing_support {

inline int Rgb565(Rgb c) {
    return ((c.r >> 3) << 11) | ((c.g >> 2) << 5) | (c.b >> 3);
}

inline std::string StripBmp(int frameWidth, int height, int frames,
                            const std::function<Rgb(int)>& colourOfFrame) {
    return BmpBytes(frameWidth * frames, height,
                    [&](int x, int) { return colourOfFrame(x / frameWidth); });
}

} // namespace testing_support
