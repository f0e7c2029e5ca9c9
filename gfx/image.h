#pragma once
// A named bitmap loaded from a file, with a home position.
#include "gfx/surface_functions.h"

class Image {
  public:
    Image() = default;
    explicit Image(const char* fileName);
    ~Image();
    Image(const Image&) = delete;
    Image& operator=(const Image&) = delete;

    Surface* Load(const char* fileName);
    void Free();
    void SetKeyColor(int red, int green, int blue);
    void Draw(Surface* target, int x, int y);
    void SetName(const char* text);

    char name[256] = {};
    int x = 0, y = 0;
    int width = 0, height = 0;
    Surface* surface = nullptr;
};
