#include "platform/display.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/backend.h"
#include "platform/null_backend.h"

namespace {

using namespace plat;

bool SameRect(const Rect& a, const Rect& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}
std::string Describe(const Rect& r) {
    return "{" + std::to_string(r.left) + "," + std::to_string(r.top) + "," +
           std::to_string(r.right) + "," + std::to_string(r.bottom) + "}";
}
#define EXPECT_RECT(actual, l, t, r, b)                                                            \
    EXPECT_TRUE(SameRect((actual), Rect{l, t, r, b})) << Describe(actual)

uint16_t PixelAt(Surface* s, int x, int y) {
    return reinterpret_cast<uint16_t*>(s->pixels + y * s->pitch)[x];
}

void Fill(Surface* s, int l, int t, int r, int b, uint16_t value) {
    Rect area{l, t, r, b};
    ASSERT_TRUE(FillRect(s, &area, value));
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
    // The first flip shows the whole new picture; most tests start after it.
    void FlipOnce() {
        ASSERT_EQ(Flip(), 1);
        ExpectWholeUpload();
    }
    void ExpectWholeUpload() { EXPECT_RECT(GetFlipStats().lastUpload, 0, 0, 800, 600); }

    Surface* back = nullptr;
};

TEST_F(DisplayTest, FirstFlipPresentsTheWholePictureThenNothingWhileNothingChanges) {
    EXPECT_EQ(GetFlipStats().flips, 0u);
    FlipOnce();
    EXPECT_EQ(GetFlipStats().presents, 1u);
    EXPECT_EQ(Flip(), 1); // nothing changed: still a good flip
    EXPECT_EQ(Flip(), 1);
    const FlipStats stats = GetFlipStats();
    EXPECT_EQ(stats.flips, 3u);
    EXPECT_EQ(stats.presents, 1u);
    EXPECT_RECT(stats.lastUpload, 0, 0, 0, 0);
}

TEST_F(DisplayTest, FlipUploadsOnlyTheChangedRegion) {
    FlipOnce();
    Fill(back, 10, 20, 30, 40, 0xF800);
    EXPECT_EQ(Flip(), 1);
    EXPECT_RECT(GetFlipStats().lastUpload, 10, 20, 30, 40);
    EXPECT_EQ(GetFlipStats().presents, 2u);
    Surface* shown = PrimarySurface();
    EXPECT_EQ(PixelAt(shown, 10, 20), 0xF800);
    EXPECT_EQ(PixelAt(shown, 29, 39), 0xF800);
    EXPECT_EQ(PixelAt(shown, 30, 39), 0);
    EXPECT_FALSE(HasWritten(back)); // the next frame starts with nothing written

    // Two separate changes: their bounding box.
    Fill(back, 100, 5, 101, 6, 0x07E0);
    Fill(back, 50, 300, 52, 310, 0x001F);
    Flip();
    EXPECT_RECT(GetFlipStats().lastUpload, 50, 5, 101, 310);
}

TEST_F(DisplayTest, WrittenButUnchangedPixelsAreNotUploaded) {
    FlipOnce();
    Fill(back, 0, 0, 800, 600, 0); // the same black again
    EXPECT_EQ(Flip(), 1);
    EXPECT_EQ(GetFlipStats().presents, 1u);
    EXPECT_RECT(GetFlipStats().lastUpload, 0, 0, 0, 0);

    // A whole-surface write with one changed pixel uploads that pixel only.
    Fill(back, 0, 0, 800, 600, 0);
    Fill(back, 799, 599, 800, 600, 0xFFFF);
    Flip();
    EXPECT_RECT(GetFlipStats().lastUpload, 799, 599, 800, 600);
    EXPECT_EQ(PixelAt(PrimarySurface(), 799, 599), 0xFFFF);
}

TEST_F(DisplayTest, ChangesThroughALockAreFound) {
    FlipOnce();
    int pitch = 0;
    uint8_t* pixels = LockSurface(back, &pitch);
    ASSERT_NE(pixels, nullptr);
    reinterpret_cast<uint16_t*>(pixels + 7 * pitch)[0] = 0x1234;
    UnlockSurface(back);
    Flip();
    EXPECT_RECT(GetFlipStats().lastUpload, 0, 7, 1, 8);
}

TEST_F(DisplayTest, InvalidateForcesTheWholePictureOnce) {
    FlipOnce();
    InvalidateDisplay();
    Flip();
    ExpectWholeUpload();
    Flip();
    EXPECT_RECT(GetFlipStats().lastUpload, 0, 0, 0, 0);
    EXPECT_EQ(GetFlipStats().presents, 2u);
}

TEST_F(DisplayTest, MovingThePictureInvalidatesItButTheSameOffsetDoesNot) {
    FlipOnce();
    SetPictureOffset(0, 0);
    Flip();
    EXPECT_EQ(GetFlipStats().presents, 1u);
    SetPictureOffset(112, 84);
    Flip();
    ExpectWholeUpload();
    SetPictureOffset(112, 84);
    Flip();
    EXPECT_EQ(GetFlipStats().presents, 2u);
}

TEST_F(DisplayTest, WithoutADisplayFlipFailsAndStatsAreEmpty) {
    FlipOnce();
    ShutdownDisplay();
    EXPECT_EQ(CurrentDisplay(), nullptr);
    EXPECT_EQ(BackSurface(), nullptr);
    EXPECT_EQ(PrimarySurface(), nullptr);
    EXPECT_EQ(Flip(), 0);
    EXPECT_EQ(GetFlipStats().flips, 0u);
    InvalidateDisplay(); // harmless
    SetPictureOffset(1, 1);
    ShutdownDisplay();
}

TEST_F(DisplayTest, ASecondSetUpStartsAFreshPicture) {
    Fill(back, 0, 0, 10, 10, 0xFFFF);
    FlipOnce();
    ASSERT_NE(InitDisplay(nullptr, 800, 600), nullptr);
    EXPECT_EQ(GetFlipStats().flips, 0u);
    back = BackSurface();
    EXPECT_EQ(back->width, 800);
    EXPECT_EQ(back->height, 600);
    FlipOnce(); // the new window has never shown anything
}

TEST_F(DisplayTest, InjectedSetUpFailureGivesNoDisplayAndAnError) {
    null::SetDisplayInitFails(true);
    EXPECT_EQ(InitDisplay(nullptr, 800, 600), nullptr);
    EXPECT_EQ(CurrentDisplay(), nullptr);
    EXPECT_STRNE(DisplayError(), "");
}

} // namespace
