#include "tools/artgen/picture.h"

#include <algorithm>
#include <cmath>

namespace artgen {

namespace {

int To5(int v) {
    return (v * 31 + 127) / 255;
}
int To6(int v) {
    return (v * 63 + 127) / 255;
}

bool IsWalledIn(const Picture& picture, int x, int y) {
    if (x == 0 || y == 0 || x == picture.width - 1 || y == picture.height - 1) {
        return false;
    }
    return picture.At(x - 1, y) != kKeyPixel && picture.At(x + 1, y) != kKeyPixel &&
           picture.At(x, y - 1) != kKeyPixel && picture.At(x, y + 1) != kKeyPixel;
}

} // namespace

uint16_t OpaquePixel(int r, int g, int b) {
    uint16_t pixel = static_cast<uint16_t>((To5(r) << 11) | (To6(g) << 5) | To5(b));
    return pixel == kKeyPixel ? static_cast<uint16_t>(kKeyPixel - 1) : pixel;
}

void PixelToRgb(uint16_t pixel, int& r, int& g, int& b) {
    r = ((pixel >> 11) & 31) * 255 / 31;
    g = ((pixel >> 5) & 63) * 255 / 63;
    b = (pixel & 31) * 255 / 31;
}

Canvas::Canvas(int width, int height)
    : width_(width), height_(height),
      surface_(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height)),
      cr_(cairo_create(surface_)) {}

Canvas::~Canvas() {
    cairo_destroy(cr_);
    cairo_surface_destroy(surface_);
}

void Canvas::PixelAt(int x, int y, int& r, int& g, int& b, int& a) const {
    const unsigned char* data = cairo_image_surface_get_data(surface_);
    int stride = cairo_image_surface_get_stride(surface_);
    uint32_t argb = *reinterpret_cast<const uint32_t*>(data + static_cast<size_t>(y) * stride +
                                                       static_cast<size_t>(x) * 4);
    a = static_cast<int>(argb >> 24);
    int pr = (argb >> 16) & 0xFF, pg = (argb >> 8) & 0xFF, pb = argb & 0xFF;
    if (a == 0) {
        r = g = b = 0;
        return;
    }
    r = std::min(255, pr * 255 / a);
    g = std::min(255, pg * 255 / a);
    b = std::min(255, pb * 255 / a);
}

void Matte::ColourAt(int x, int y, int& r, int& g, int& b) const {
    if (under == nullptr) {
        r = static_cast<int>(std::lround(flat.r * 255));
        g = static_cast<int>(std::lround(flat.g * 255));
        b = static_cast<int>(std::lround(flat.b * 255));
        return;
    }
    int ux = std::clamp((frameWidth > 0 ? x % frameWidth : x) + offsetX, 0, under->Width() - 1);
    int uy = std::clamp(y + offsetY, 0, under->Height() - 1);
    int a = 0;
    under->PixelAt(ux, uy, r, g, b, a);
}

Picture Flatten(const Canvas& canvas, const Matte& matte, double threshold) {
    Picture picture(canvas.Width(), canvas.Height());
    cairo_surface_flush(canvas.Surface());
    if (matte.under != nullptr) {
        cairo_surface_flush(matte.under->Surface());
    }
    const unsigned char* data = cairo_image_surface_get_data(canvas.Surface());
    int stride = cairo_image_surface_get_stride(canvas.Surface());
    int cut = static_cast<int>(std::ceil(threshold * 255));
    for (int y = 0; y < picture.height; ++y) {
        const uint32_t* row =
            reinterpret_cast<const uint32_t*>(data + static_cast<size_t>(y) * stride);
        for (int x = 0; x < picture.width; ++x) {
            uint32_t argb = row[x];
            int a = static_cast<int>(argb >> 24);
            if (a == 0 || a < cut) {
                continue;
            }
            int mr = 0, mg = 0, mb = 0;
            if (a < 255) {
                matte.ColourAt(x, y, mr, mg, mb);
            }
            int r = static_cast<int>((argb >> 16) & 0xFF) + (255 - a) * mr / 255;
            int g = static_cast<int>((argb >> 8) & 0xFF) + (255 - a) * mg / 255;
            int b = static_cast<int>(argb & 0xFF) + (255 - a) * mb / 255;
            picture.At(x, y) = OpaquePixel(std::min(r, 255), std::min(g, 255), std::min(b, 255));
        }
    }
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x) {
            if (picture.At(x, y) == kKeyPixel && IsWalledIn(picture, x, y)) {
                int mr = 0, mg = 0, mb = 0;
                matte.ColourAt(x, y, mr, mg, mb);
                picture.At(x, y) = OpaquePixel(mr, mg, mb);
            }
        }
    }
    return picture;
}

} // namespace artgen
