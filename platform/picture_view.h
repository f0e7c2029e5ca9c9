#pragma once
// Where the fixed 800 by 600 picture lies in a window of any size: scaled to fit with its
// aspect kept, centred with black bars, except in a maximised window, where the programs place
// it themselves (in picture units) and map the pointer back with their own offsets.
namespace plat {

struct PictureView {
    double scale = 1;    // window units per picture pixel
    double x = 0, y = 0; // the picture's top-left corner in window units
};

constexpr int kPictureWidth = 800;
constexpr int kPictureHeight = 600;

PictureView ViewInWindow(int windowWidth, int windowHeight, bool maximized, int offsetX,
                         int offsetY);
// A window position in picture units. A maximised window is reported unshifted: the
// programs subtract their offsets themselves.
void WindowToPicture(const PictureView& view, bool maximized, int* x, int* y);
// The largest whole multiple of the picture (at least 1) that the window may open at on a
// desktop of that size and density (dots per inch; 96 is the usual density).
int WholeScaleFor(int desktopWidth, int desktopHeight, double dpi);

} // namespace plat
