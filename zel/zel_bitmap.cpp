// Bitmap loading and pixel-format analysis of the graphics library.
#include <bit>

#include "zel/zel.h"

void ZelGetRGBABits(const plat::PixelFormat& format, int* red, int* green, int* blue, int* alpha) {
    if (red)
        *red = std::popcount(format.redMask);
    if (green)
        *green = std::popcount(format.greenMask);
    if (blue)
        *blue = std::popcount(format.blueMask);
    if (alpha)
        *alpha = std::popcount(format.alphaMask);
}

plat::Surface* ZelLoadBitmap(const char* fileName) {
    return ZelLoadBitmap(fileName, 16);
}

plat::Surface* ZelLoadBitmap(const char* fileName, int depth) {
    if (depth != 16 && depth != 8)
        return nullptr;
    return plat::LoadBitmapFile(fileName, depth);
}
