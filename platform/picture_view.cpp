#include "platform/picture_view.h"

#include <algorithm>
#include <cmath>

namespace plat {

PictureView ViewInWindow(int windowWidth, int windowHeight, bool maximized, int offsetX,
                         int offsetY) {
    PictureView view;
    if (windowWidth <= 0 || windowHeight <= 0)
        return view;
    view.scale = std::min(static_cast<double>(windowWidth) / kPictureWidth,
                          static_cast<double>(windowHeight) / kPictureHeight);
    if (maximized) {
        view.x = offsetX * view.scale;
        view.y = offsetY * view.scale;
    } else {
        view.x = (windowWidth - kPictureWidth * view.scale) / 2;
        view.y = (windowHeight - kPictureHeight * view.scale) / 2;
    }
    return view;
}

void WindowToPicture(const PictureView& view, bool maximized, int* x, int* y) {
    const double left = maximized ? 0 : view.x;
    const double top = maximized ? 0 : view.y;
    *x = static_cast<int>(std::floor((*x - left) / view.scale));
    *y = static_cast<int>(std::floor((*y - top) / view.scale));
}

int WholeScaleFor(int desktopWidth, int desktopHeight, double dpi) {
    // A density of 1.5 times the usual or more is taken as a high-density screen.
    int scale = dpi > 0 ? static_cast<int>(std::floor(dpi / 96.0 + 0.5)) : 1;
    // Leave room for panels and the window's frame.
    while (scale > 1 && (kPictureWidth * scale > desktopWidth * 0.95 ||
                         kPictureHeight * scale > desktopHeight * 0.9))
        --scale;
    return std::max(scale, 1);
}

} // namespace plat
