// Pictures as the suite stores them: 16-bit RGB565 pixels in which pure blue (0x001F) is the
// transparent colour, and the Cairo canvas they are painted on before that conversion.
#pragma once

#include <cairo.h>

#include <cstddef>
#include <cstdint>
#include <vector>

namespace artgen {

constexpr uint16_t kKeyPixel = 0x001F;

struct Rgb {
    double r = 0, g = 0, b = 0; // 0..1
};

constexpr Rgb Hex(uint32_t rgb) {
    return Rgb{((rgb >> 16) & 0xFF) / 255.0, ((rgb >> 8) & 0xFF) / 255.0, (rgb & 0xFF) / 255.0};
}

// An opaque colour in RGB565; a colour that would land on the key value is moved one step
// of blue away from it, so it can never turn into a hole.
uint16_t OpaquePixel(int r, int g, int b);
void PixelToRgb(uint16_t pixel, int& r, int& g, int& b);

struct Picture {
    int width = 0;
    int height = 0;
    std::vector<uint16_t> pixels;

    Picture() = default;
    Picture(int w, int h) : width(w), height(h), pixels(static_cast<size_t>(w) * h, kKeyPixel) {}
    uint16_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
    uint16_t& At(int x, int y) { return pixels[static_cast<size_t>(y) * width + x]; }
};

// A Cairo ARGB canvas that owns its surface and context.
class Canvas {
  public:
    Canvas(int width, int height);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    int Width() const { return width_; }
    int Height() const { return height_; }
    cairo_t* Cr() const { return cr_; }
    cairo_surface_t* Surface() const { return surface_; }
    // Straight (not premultiplied) colour and alpha of one pixel, 0..255; reads what Cairo has
    // flushed to the surface (Flatten flushes before reading).
    void PixelAt(int x, int y, int& r, int& g, int& b, int& a) const;

  private:
    int width_;
    int height_;
    cairo_surface_t* surface_;
    cairo_t* cr_;
};

// What a picture will be drawn over: either one flat colour or the matching part of another
// canvas (a background), seen from `offsetX`, `offsetY`; frames of a strip all sit at the same
// place, so x is taken modulo `frameWidth` when it is set.
struct Matte {
    Rgb flat{};
    const Canvas* under = nullptr;
    int offsetX = 0;
    int offsetY = 0;
    int frameWidth = 0;

    static Matte Flat(Rgb colour) { return Matte{colour}; }
    static Matte Over(const Canvas& background, int x, int y, int frameWidth = 0) {
        return Matte{{}, &background, x, y, frameWidth};
    }
    void ColourAt(int x, int y, int& r, int& g, int& b) const;
};

// Turns a painted canvas into a keyed picture: pixels whose coverage is below `threshold`
// become the key; the rest are blended over the matte (so their anti-aliased edges look right
// where the picture is drawn) and made opaque. Single key pixels walled in on four sides are
// filled, because they would show as holes.
Picture Flatten(const Canvas& canvas, const Matte& matte, double threshold = 0.5);

} // namespace artgen
