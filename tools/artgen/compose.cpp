#include "tools/artgen/compose.h"

namespace artgen {

void Blit(Picture& target, const Picture& source, int sx, int sy, int w, int h, int dx, int dy) {
    for (int y = 0; y < h; ++y) {
        int ty = dy + y, py = sy + y;
        if (ty < 0 || ty >= target.height || py < 0 || py >= source.height) {
            continue;
        }
        for (int x = 0; x < w; ++x) {
            int tx = dx + x, px = sx + x;
            if (tx < 0 || tx >= target.width || px < 0 || px >= source.width) {
                continue;
            }
            uint16_t v = source.At(px, py);
            if (v != kKeyPixel) {
                target.At(tx, ty) = v;
            }
        }
    }
}

void BlitFrame(Picture& target, const Picture& strip, const PictureEntry& entry, int frame, int dx,
               int dy) {
    int column = frame % entry.Columns(), row = frame / entry.Columns();
    Blit(target, strip, column * entry.frameWidth, row * entry.frameHeight, entry.frameWidth,
         entry.frameHeight, dx, dy);
}

cairo_surface_t* ToSurface(const Picture& picture) {
    cairo_surface_t* surface =
        cairo_image_surface_create(CAIRO_FORMAT_RGB24, picture.width, picture.height);
    unsigned char* data = cairo_image_surface_get_data(surface);
    int stride = cairo_image_surface_get_stride(surface);
    for (int y = 0; y < picture.height; ++y) {
        uint32_t* row = reinterpret_cast<uint32_t*>(data + static_cast<size_t>(y) * stride);
        for (int x = 0; x < picture.width; ++x) {
            uint16_t v = picture.At(x, y);
            int r = 0, g = 0, b = 0;
            if (v == kKeyPixel) {
                r = g = b = ((x / 6 + y / 6) % 2 == 0) ? 0xB8 : 0xD8;
            } else {
                PixelToRgb(v, r, g, b);
            }
            row[x] = (static_cast<uint32_t>(r) << 16) | (static_cast<uint32_t>(g) << 8) | b;
        }
    }
    cairo_surface_mark_dirty(surface);
    return surface;
}

bool WritePng(const Picture& picture, const std::string& path) {
    cairo_surface_t* surface = ToSurface(picture);
    bool ok = cairo_surface_write_to_png(surface, path.c_str()) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy(surface);
    return ok;
}

} // namespace artgen
