#include "platform/display.h"

#include <gtest/gtest.h>

#include <tuple>

#include "platform/backend.h"
#include "platform/null_backend.h"

namespace {

using namespace plat;

auto Corners(const Rect& r) {
    return std::tuple(r.left, r.top, r.right, r.bottom);
}

uint16_t PixelAt(Surface* s, int x, int y) {
    return reinterpret_cast<uint16_t*>(s->pixels + y * s->pitch)[x];
}

class DisplayTest : public ::testing::Test {
  protected:
    void SetUp() override {
        SelectBackend(BackendKind::Null);
        null::Reset();
        ASSERT_NE(InitDisplay(nullptr, 800, 600), nullptr);
        back = BackSurface();
        ASSERT_NE(back, nullptr);
    }
    void TearDown() override {
        ShutdownDisplay();
        null::Reset();
    }
    void Fill(int l, int t, int r, int b, uint16_t value) {
        Rect area{l, t, r, b};
        ASSERT_TRUE(FillRect(back, &area, value));
    }
    // Flips and expects `upload` (empty: nothing) to have been uploaded and presented.
    void ExpectFlip(const Rect& upload, const char* step) {
        const unsigned presentsBefore = GetFlipStats().presents;
        EXPECT_EQ(Flip(), 1) << step;
        const FlipStats stats = GetFlipStats();
        EXPECT_EQ(Corners(stats.lastUpload), Corners(upload)) << step;
        EXPECT_EQ(stats.presents, presentsBefore + (upload.right > upload.left)) << step;
        EXPECT_FALSE(HasWritten(back)) << step; // the next frame starts with nothing written
    }

    Surface* back = nullptr;
};

// Each flip uploads and presents what changed since the last picture shown, however it was
// written, and nothing when nothing changed, unless the whole picture was made invalid or moved.
TEST_F(DisplayTest, EachFlipPresentsWhatChangedSinceThePictureShown) {
    ExpectFlip({0, 0, 800, 600}, "the first flip shows everything");
    ExpectFlip({}, "nothing changed");
    Fill(10, 20, 30, 40, 0xF800);
    ExpectFlip({10, 20, 30, 40}, "one change");
    Surface* shown = PrimarySurface();
    EXPECT_EQ(PixelAt(shown, 10, 20), 0xF800);
    EXPECT_EQ(PixelAt(shown, 29, 39), 0xF800);
    EXPECT_EQ(PixelAt(shown, 30, 39), 0);
    Fill(100, 5, 101, 6, 0x07E0);
    Fill(50, 300, 52, 310, 0x001F);
    ExpectFlip({50, 5, 101, 310}, "two changes: their bounding box");
    Fill(0, 0, 800, 600, 0);
    ExpectFlip({10, 5, 101, 310}, "all black again: only what was not black");
    Fill(0, 0, 800, 600, 0);
    ExpectFlip({}, "written but unchanged");
    Fill(799, 599, 800, 600, 0xFFFF);
    ExpectFlip({799, 599, 800, 600}, "the last pixel");
    EXPECT_EQ(PixelAt(shown, 799, 599), 0xFFFF);
    int pitch = 0;
    uint8_t* pixels = LockSurface(back, &pitch);
    ASSERT_NE(pixels, nullptr);
    reinterpret_cast<uint16_t*>(pixels + 7 * pitch)[0] = 0x1234;
    UnlockSurface(back);
    ExpectFlip({0, 7, 1, 8}, "a change through a lock");
    InvalidateDisplay();
    ExpectFlip({0, 0, 800, 600}, "invalidated");
    ExpectFlip({}, "invalid only once");
    SetPictureOffset(112, 84);
    ExpectFlip({0, 0, 800, 600}, "moved");
    SetPictureOffset(112, 84);
    ExpectFlip({}, "not moved again");
    ASSERT_NE(InitDisplay(nullptr, 800, 600), nullptr);
    back = BackSurface();
    ExpectFlip({0, 0, 800, 600}, "a new window has never shown anything");
    ShutdownDisplay();
    EXPECT_EQ(Flip(), 0);
    InvalidateDisplay(); // harmless without a display
}

} // namespace
