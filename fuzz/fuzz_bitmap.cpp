// Bitmap decoding of arbitrary bytes at both depths, then blits of whatever came out: the
// result must be a well-formed surface that the blit code can read everywhere.
#include <cstddef>
#include <cstdint>

#include "gfx/surface_functions.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (Surface* picture = plat::LoadBitmapBytes(data, size, 16)) {
        Surface* target = MakeSurface(64, 48);
        const int x = size > 0 ? int(data[size - 1]) - 128 : 0;
        BltSurface(picture, target, x, x / 2);
        // A stretched copy reads the picture in a different order.
        plat::Blt(target, nullptr, picture, nullptr, plat::BLT_KEYSRC);
        GetPixelValue(picture, picture->width - 1, picture->height - 1);
        ReleaseSurface(target);
        ReleaseSurface(picture);
    }
    if (Surface* indices = plat::LoadBitmapBytes(data, size, 8)) {
        Surface* target = plat::CreateSurface(40, 30, 8);
        plat::Blt(target, nullptr, indices, nullptr, 0);
        GetPixelValue(indices, indices->width - 1, 0);
        plat::ReleaseSurface(target);
        plat::ReleaseSurface(indices);
    }
    return 0;
}
