// The one table of every picture the suite installs: file, frame size and frame count, and
// the painter that draws it. Sizes live here and nowhere else.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "tools/artgen/picture.h"

namespace artgen {

struct PictureEntry;
class ArtContext;
using Painter = Picture (*)(const PictureEntry& entry, ArtContext& context);

struct PictureEntry {
    const char* path; // relative to the suite folder
    int frameWidth;   // 0 for the fonts, whose width follows from their glyphs
    int frameHeight;
    int frames;
    int columns; // frames per row in the file; 0 = all in one row
    Painter paint;

    int Columns() const { return columns > 0 ? columns : frames; }
    int Rows() const { return (frames + Columns() - 1) / Columns(); }
    int Width() const { return frameWidth * Columns(); }
    int Height() const { return frameHeight * Rows(); }
    bool IsFont() const { return frameWidth == 0; }
};

const std::vector<PictureEntry>& AllPictures();
const PictureEntry& FindPictureEntry(const std::string& path);

// Full-screen pictures painted once and shared: painters of buttons blend their edges over
// the background they will be drawn on.
class ArtContext {
  public:
    using BackgroundPainter = void (*)(Canvas& canvas);
    const Canvas& Background(const std::string& key, int w, int h, BackgroundPainter paint);

  private:
    std::map<std::string, std::unique_ptr<Canvas>> backgrounds_;
};

// A canvas as big as the asset's whole file.
std::unique_ptr<Canvas> MakeCanvas(const PictureEntry& entry);

} // namespace artgen
