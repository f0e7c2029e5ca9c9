#include "platform/picture_view.h"

#include <gtest/gtest.h>

namespace {

using plat::PictureView;

// Each case: a window, where the picture lands in it, and where a window position lands on the
// picture. A maximised window has the picture where the programs put it and the pointer
// unshifted (the programs subtract their own offsets).
TEST(PictureViewTest, ScalesWithTheAspectKeptAndMapsThePointerBack) {
    const struct {
        const char* name;
        int width, height;
        bool maximized;
        int offsetX, offsetY;
        double scale, x, y;
        int windowX, windowY, pictureX, pictureY;
    } cases[] = {
        {"plain", 800, 600, false, 0, 0, 1, 0, 0, 799, 599, 799, 599},
        {"whole multiple", 1600, 1200, false, 0, 0, 2, 0, 0, 1599, 1, 799, 0},
        {"wider than the picture", 1000, 600, false, 0, 0, 1, 100, 0, 100, 300, 0, 300},
        {"the left bar is outside", 1000, 600, false, 0, 0, 1, 100, 0, 99, 0, -1, 0},
        {"full screen 1280x1024", 1280, 1024, false, 0, 0, 1.6, 0, 32, 640, 512, 400, 300},
        {"smaller than the picture", 400, 400, false, 0, 0, 0.5, 0, 50, 200, 200, 400, 300},
        {"maximised", 1920, 1050, true, 149, 0, 1.75, 260.75, 0, 962, 525, 549, 300},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const PictureView view =
            plat::ViewInWindow(c.width, c.height, c.maximized, c.offsetX, c.offsetY);
        EXPECT_DOUBLE_EQ(view.scale, c.scale);
        EXPECT_DOUBLE_EQ(view.x, c.x);
        EXPECT_DOUBLE_EQ(view.y, c.y);
        int x = c.windowX, y = c.windowY;
        plat::WindowToPicture(view, c.maximized, &x, &y);
        EXPECT_EQ(x, c.pictureX);
        EXPECT_EQ(y, c.pictureY);
    }
}

TEST(WholeScale, GrowsWithTheDensityWhileTheDesktopHoldsIt) {
    const struct {
        int width, height;
        double dpi;
        int scale;
    } cases[] = {
        {1920, 1080, 96, 1},  {1920, 1080, 0, 1},   {3840, 2160, 192, 2}, {3840, 2160, 144, 2},
        {3840, 2160, 130, 1}, {2560, 1440, 192, 2}, {5120, 2880, 288, 3}, {1920, 1080, 192, 1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(plat::WholeScaleFor(c.width, c.height, c.dpi), c.scale)
            << c.width << "x" << c.height << " at " << c.dpi << " dpi";
}

} // namespace
