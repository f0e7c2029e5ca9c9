#include "platform/picture_view.h"

#include <gtest/gtest.h>

namespace {

using plat::PictureView;

struct ViewCase {
    const char* name;
    int width, height;
    bool maximized;
    int offsetX, offsetY;
    double scale, x, y;
    int windowX, windowY;   // a window position ...
    int pictureX, pictureY; // ... and where it lands on the picture
};

class PictureViewTest : public ::testing::TestWithParam<ViewCase> {};

TEST_P(PictureViewTest, ScalesWithTheAspectKeptAndMapsThePointerBack) {
    const ViewCase& c = GetParam();
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

INSTANTIATE_TEST_SUITE_P(
    Windows, PictureViewTest,
    ::testing::Values(
        ViewCase{"Plain", 800, 600, false, 0, 0, 1, 0, 0, 799, 599, 799, 599},
        ViewCase{"WholeMultiple", 1600, 1200, false, 0, 0, 2, 0, 0, 1599, 1, 799, 0},
        ViewCase{"WiderThanThePicture", 1000, 600, false, 0, 0, 1, 100, 0, 100, 300, 0, 300},
        ViewCase{"LeftBarIsOutside", 1000, 600, false, 0, 0, 1, 100, 0, 99, 0, -1, 0},
        ViewCase{"FullScreen1280x1024", 1280, 1024, false, 0, 0, 1.6, 0, 32, 640, 512, 400, 300},
        ViewCase{"SmallerThanThePicture", 400, 400, false, 0, 0, 0.5, 0, 50, 200, 200, 400, 300},
        // A maximised window: the picture where the programs put it, the pointer unshifted
        // (the programs subtract their own offsets).
        ViewCase{"Maximised", 1920, 1050, true, 149, 0, 1.75, 260.75, 0, 962, 525, 549, 300}),
    [](const ::testing::TestParamInfo<ViewCase>& info) { return info.param.name; });

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
