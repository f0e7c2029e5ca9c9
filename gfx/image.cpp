// A named bitmap with a home position. A surfaceless image counts as not loaded.
#include "gfx/image.h"

#include <cstring>

#include "zel/zel.h"

Image::Image(const char* fileName) {
    Load(fileName);
}

Image::~Image() {
    Free();
}

Surface* Image::Load(const char* fileName) {
    if (fileName && *fileName) {
        Surface* loaded = ZelLoadBitmap(fileName, 16);
        Free();
        if (!loaded)
            return nullptr; // name and size stay as they were
        surface = loaded;
        SetColorKeyRGB(surface, 0, 0, 255);
    } else {
        Free();
    }
    SetName(fileName);
    GetSurfaceSize(surface, &width, &height);
    return surface;
}

void Image::Free() {
    ReleaseSurface(surface);
    surface = nullptr;
}

void Image::SetKeyColor(int red, int green, int blue) {
    if (surface)
        SetColorKeyRGB(surface, red, green, blue);
}

void Image::Draw(Surface* target, int x, int y) {
    if (surface)
        BltSurface(surface, target, x, y);
}

void Image::SetName(const char* text) {
    if (!text)
        text = "";
    std::strncpy(name, text, sizeof(name) - 1);
    name[sizeof(name) - 1] = '\0';
}
