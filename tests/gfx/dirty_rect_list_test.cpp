#include "gfx/dirty_rect_list.h"

#include <gtest/gtest.h>

namespace {

constexpr uint16_t kRed = 0xF800;
constexpr uint16_t kGreen = 0x07E0;
constexpr uint16_t kWhite = 0xFFFF;
constexpr uint16_t kYellow = 0xFFE0;

// Every surface here has black as its key; none of the colours used is black, so copies are
// plain copies.
class DirtyRectListTest : public ::testing::Test {
  protected:
    void SetUp() override {
        target = Solid(kRed);
        background = Solid(kGreen);
        back = Solid(kWhite);
    }
    void TearDown() override {
        list.Clear();
        ReleaseSurface(target);
        ReleaseSurface(background);
        ReleaseSurface(back);
    }

    static Surface* Solid(uint16_t colour) {
        Surface* s = MakeSurface(40, 30);
        FillSurface(s, colour);
        return s;
    }
    // What Screen::Present does after the flip.
    void EndFrame() {
        list.FlipPage();
        list.Restore(back);
    }
    int Pending() const { return list.List(0).Count() + list.List(1).Count(); }

    DirtyRectList list;
    Surface* target = nullptr;
    Surface* background = nullptr;
    Surface* back = nullptr;
};

TEST_F(DirtyRectListTest, RectanglesOfAFrameAreRestoredAfterTheFlipEndingTheNextFrame) {
    list.SetTarget(target);
    list.AddRectFlags(5, 5, 4, 3, DIRTY_ONE_SHOT, DIRTY_FROM_TARGET); // drawn in frame N
    EndFrame(); // flip ending frame N: the other page is restored
    EXPECT_EQ(GetPixelValue(back, 5, 5), kWhite);
    EXPECT_EQ(Pending(), 1);
    list.AddRectFlags(20, 20, 2, 2, DIRTY_ONE_SHOT, DIRTY_FROM_TARGET); // drawn in frame N+1
    EndFrame(); // flip ending frame N+1: frame N's page comes back
    EXPECT_EQ(GetPixelValue(back, 5, 5), kRed);
    EXPECT_EQ(GetPixelValue(back, 8, 7), kRed);
    EXPECT_EQ(GetPixelValue(back, 9, 7), kWhite);
    EXPECT_EQ(GetPixelValue(back, 5, 8), kWhite);
    EXPECT_EQ(GetPixelValue(back, 20, 20), kWhite); // frame N+1's turn is next
    EXPECT_EQ(Pending(), 1);
    EndFrame();
    EXPECT_EQ(GetPixelValue(back, 21, 21), kRed);
    EXPECT_EQ(Pending(), 0);

    FillSurface(back, kWhite);
    EndFrame();
    EndFrame();
    EXPECT_EQ(GetPixelValue(back, 5, 5), kWhite); // restored once only
}

TEST_F(DirtyRectListTest, TwoOneShotEntriesInARowAreBothRestoredAndRemoved) {
    list.SetTarget(target);
    list.AddRectFlags(0, 0, 2, 2, DIRTY_ONE_SHOT, DIRTY_FROM_TARGET);
    list.AddRectFlags(10, 10, 2, 2, DIRTY_ONE_SHOT, DIRTY_FROM_TARGET);
    list.AddRectFlags(30, 20, 2, 2, DIRTY_ONE_SHOT, DIRTY_FROM_TARGET);
    // Restore walks the page that was just filled.
    list.Restore(back);
    EXPECT_EQ(GetPixelValue(back, 0, 0), kRed);
    EXPECT_EQ(GetPixelValue(back, 10, 10), kRed);
    EXPECT_EQ(GetPixelValue(back, 31, 21), kRed);
    EXPECT_EQ(list.List(list.Page()).Count(), 0);
}

TEST_F(DirtyRectListTest, LastingEntriesStayAndEntriesWithoutTheCopyFlagCopyNothing) {
    list.SetTarget(target);
    list.AddRectFlags(0, 0, 3, 3, 0, DIRTY_FROM_TARGET); // lasting
    list.AddRectFlags(10, 0, 3, 3, DIRTY_ONE_SHOT, 0);   // removed without a copy
    list.AddRectFlags(20, 0, 3, 3, DIRTY_ONE_SHOT, DIRTY_FROM_TARGET);
    EndFrame();
    EndFrame();
    EXPECT_EQ(GetPixelValue(back, 0, 0), kRed);
    EXPECT_EQ(GetPixelValue(back, 10, 0), kWhite);
    EXPECT_EQ(GetPixelValue(back, 20, 0), kRed);
    ASSERT_EQ(list.List(list.Page()).Count(), 1);
    FillSurface(back, kWhite);
    EndFrame();
    EndFrame();
    EXPECT_EQ(GetPixelValue(back, 1, 1), kRed); // again, when its page comes
    EXPECT_EQ(GetPixelValue(back, 21, 1), kWhite);
}

TEST_F(DirtyRectListTest, SettingTheSameTargetAgainStillDropsPendingOneShots) {
    list.SetTarget(target);
    list.AddRectFlags(0, 0, 3, 3, DIRTY_ONE_SHOT, DIRTY_FROM_TARGET);
    list.AddRectFlags(5, 0, 3, 3, 0, DIRTY_FROM_TARGET); // lasting: kept
    list.FlipPage();
    list.AddRectFlags(10, 0, 3, 3, DIRTY_ONE_SHOT, DIRTY_FROM_TARGET); // other page: kept
    list.FlipPage();
    list.SetTarget(target);
    EXPECT_EQ(list.GetTarget(), target);
    EXPECT_EQ(list.List(list.Page()).Count(), 1);
    EXPECT_EQ(list.List(1 - list.Page()).Count(), 1);
    list.Restore(back);
    EXPECT_EQ(GetPixelValue(back, 0, 0), kWhite);
    EXPECT_EQ(GetPixelValue(back, 5, 0), kRed);
}

TEST_F(DirtyRectListTest, EntryMadeForAnotherTargetCopiesNothingAndIsRemoved) {
    Surface* other = Solid(kYellow);
    list.SetTarget(target);
    list.AddRectFlags(0, 0, 4, 4, DIRTY_ONE_SHOT, DIRTY_FROM_TARGET);
    list.AddRectFlags(8, 0, 4, 4, 0, DIRTY_FROM_TARGET); // lasting, also stamped with A
    list.FlipPage();
    list.SetTarget(other); // drops the one-shots of the other page only
    list.AddRectFlags(16, 0, 4, 4, DIRTY_ONE_SHOT, DIRTY_FROM_TARGET);
    list.FlipPage();
    ASSERT_EQ(list.List(list.Page()).Count(), 2);
    list.Restore(back);
    EXPECT_EQ(GetPixelValue(back, 0, 0), kWhite);
    EXPECT_EQ(GetPixelValue(back, 8, 0), kWhite); // never from B
    EXPECT_EQ(list.List(list.Page()).Count(), 1); // the lasting one stays
    list.FlipPage();
    list.Restore(back);
    EXPECT_EQ(GetPixelValue(back, 16, 0), kYellow); // B's own entry
    list.Clear();
    ReleaseSurface(other);
}

TEST_F(DirtyRectListTest, AddRectRepairsTheTargetFromTheBackgroundAtOnce) {
    list.SetTarget(target);
    list.SetBackground(background);
    list.AddRect(2, 3, 5, 4);
    EXPECT_EQ(GetPixelValue(target, 2, 3), kGreen);
    EXPECT_EQ(GetPixelValue(target, 6, 6), kGreen);
    EXPECT_EQ(GetPixelValue(target, 7, 6), kRed);
    EXPECT_EQ(GetPixelValue(target, 6, 7), kRed);
    EXPECT_EQ(GetPixelValue(back, 2, 3), kWhite); // the back surface only after the flips
    EndFrame();
    EndFrame();
    EXPECT_EQ(GetPixelValue(back, 2, 3), kGreen);
    EXPECT_EQ(GetPixelValue(back, 7, 3), kWhite);
}

TEST_F(DirtyRectListTest, AddWholeTargetCopiesTheBackgroundAndSchedulesTheWholeScreen) {
    list.SetTarget(target);
    list.SetBackground(background);
    list.AddWholeTarget();
    EXPECT_EQ(GetPixelValue(target, 0, 0), kGreen);
    EXPECT_EQ(GetPixelValue(target, 39, 29), kGreen);
    EndFrame();
    EndFrame();
    EXPECT_EQ(GetPixelValue(back, 0, 0), kGreen);
    EXPECT_EQ(GetPixelValue(back, 39, 29), kGreen);
}

TEST_F(DirtyRectListTest, AddWholeTargetWithoutBackgroundStillSchedulesTheWholeTarget) {
    list.SetTarget(target);
    list.AddWholeTarget();
    EXPECT_EQ(GetPixelValue(target, 20, 20), kRed); // nothing copied into it
    ASSERT_EQ(list.List(list.Page()).Count(), 1);
    const DirtyRect* entry = list.List(list.Page()).Get(0);
    EXPECT_EQ(entry->x, 0);
    EXPECT_EQ(entry->y, 0);
    EXPECT_EQ(entry->w, 40);
    EXPECT_EQ(entry->h, 30);
    EXPECT_EQ(entry->flags, DIRTY_ONE_SHOT | DIRTY_FROM_TARGET);
    EndFrame();
    EndFrame();
    EXPECT_EQ(GetPixelValue(back, 0, 0), kRed);
    EXPECT_EQ(GetPixelValue(back, 39, 29), kRed);
}

TEST_F(DirtyRectListTest, MissingSurfacesMakeCopiesNoOpsButEntriesStillGo) {
    list.SetBackground(background);
    list.AddRect(0, 0, 5, 5); // no target: nothing to repair, still scheduled
    list.AddWholeTarget();    // no target: an empty rectangle
    EXPECT_EQ(list.List(list.Page()).Count(), 2);
    EndFrame();
    EndFrame();
    EXPECT_EQ(GetPixelValue(back, 0, 0), kWhite);
    EXPECT_EQ(Pending(), 0);

    list.SetTarget(target);
    list.AddRectFlags(0, 0, 5, 5, DIRTY_ONE_SHOT, DIRTY_FROM_TARGET);
    list.FlipPage();
    list.FlipPage();
    list.Restore(nullptr);
    EXPECT_EQ(Pending(), 0);
}

TEST_F(DirtyRectListTest, AddBoxTakesLeftTopRightBottom) {
    list.SetTarget(target);
    const SurfaceRect box{3, 4, 10, 6};
    list.AddBox(box, DIRTY_ONE_SHOT, DIRTY_FROM_TARGET);
    const DirtyRect* entry = list.List(list.Page()).Get(0);
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->x, 3);
    EXPECT_EQ(entry->y, 4);
    EXPECT_EQ(entry->w, 7);
    EXPECT_EQ(entry->h, 2);
    EXPECT_EQ(entry->stampedTarget, target);
}

TEST_F(DirtyRectListTest, RectanglesPartlyOffTheSurfaceAreCutToIt) {
    list.SetTarget(target);
    list.SetBackground(background);
    list.AddRect(35, 25, 20, 20);
    list.AddRect(-5, -5, 7, 7);
    EXPECT_EQ(GetPixelValue(target, 39, 29), kGreen);
    EXPECT_EQ(GetPixelValue(target, 1, 1), kGreen);
    EXPECT_EQ(GetPixelValue(target, 2, 2), kRed);
    EndFrame();
    EndFrame();
    EXPECT_EQ(GetPixelValue(back, 39, 29), kGreen);
    EXPECT_EQ(GetPixelValue(back, 0, 0), kGreen);
    EXPECT_EQ(GetPixelValue(back, 34, 25), kWhite);
}

} // namespace
