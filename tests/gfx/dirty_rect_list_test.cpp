#include "gfx/dirty_rect_list.h"

#include <gtest/gtest.h>

#include <vector>

#include "support/null_display.h"

using namespace testing_support;

namespace {

constexpr uint16_t kYellow = 0xFFE0;

// Surfaces of 40 by 30 in plain memory, keyed pure blue; none of the colours used is blue, so
// copies are plain copies.
class DirtyRectListTest : public ::testing::Test {
  protected:
    void TearDown() override {
        list.Clear();
        for (Surface* s : {target, background, back})
            ReleaseSurface(s);
    }
    // What Screen::Present does after the flip.
    void EndFrame() {
        list.FlipPage();
        list.Restore(back);
    }
    int Pending() const { return list.List(0).Count() + list.List(1).Count(); }
    // Every pixel of `s` is `base` but those inside `areas`, which are `colour`.
    static ::testing::AssertionResult Holds(Surface* s, uint16_t base,
                                            const std::vector<SurfaceRect>& areas = {},
                                            uint16_t colour = kRed) {
        Surface* expected = SolidSurface(40, 30, base);
        for (const SurfaceRect& r : areas)
            FillArea(expected, r.left, r.top, r.right, r.bottom, colour);
        int wrong = 0;
        for (int y = 0; y < 30; ++y)
            for (int x = 0; x < 40; ++x)
                wrong += GetPixelValue(s, x, y) != GetPixelValue(expected, x, y);
        ReleaseSurface(expected);
        return wrong ? ::testing::AssertionFailure() << wrong << " pixels differ"
                     : ::testing::AssertionSuccess();
    }

    DirtyRectList list;
    Surface* target = SolidSurface(40, 30, kRed);
    Surface* background = SolidSurface(40, 30, kGreen);
    Surface* back = SolidSurface(40, 30, kWhite);
};

TEST_F(DirtyRectListTest, OneShotsComeBackOnceAfterTheNextFlipAndOnlyFromTheirOwnTarget) {
    list.SetTarget(target);
    // Drawn in frame N: three one-shots in a row, one of them without the copy flag, and a
    // lasting entry.
    list.AddRectFlags(5, 5, 4, 3, DIRTY_ONE_SHOT, DIRTY_FROM_TARGET);
    list.AddRectFlags(0, 10, 2, 2, DIRTY_ONE_SHOT, DIRTY_FROM_TARGET);
    list.AddRectFlags(30, 0, 3, 3, DIRTY_ONE_SHOT, 0);
    list.AddRectFlags(10, 20, 2, 2, DIRTY_ONE_SHOT, DIRTY_FROM_TARGET);
    list.AddRectFlags(20, 0, 3, 3, 0, DIRTY_FROM_TARGET);
    EndFrame(); // the flip ending frame N: the other page is restored
    EXPECT_TRUE(Holds(back, kWhite));
    list.AddRectFlags(30, 20, 2, 2, DIRTY_ONE_SHOT, DIRTY_FROM_TARGET); // frame N+1
    EndFrame(); // the flip ending frame N+1: frame N's page comes back
    const std::vector<SurfaceRect> frameN = {
        {5, 5, 9, 8}, {0, 10, 2, 12}, {10, 20, 12, 22}, {20, 0, 23, 3}};
    EXPECT_TRUE(Holds(back, kWhite, frameN));
    EXPECT_EQ(Pending(), 2);
    EndFrame();
    std::vector<SurfaceRect> both = frameN;
    both.push_back({30, 20, 32, 22});
    EXPECT_TRUE(Holds(back, kWhite, both));

    FillSurface(back, kWhite);
    EndFrame();
    EndFrame();
    EXPECT_TRUE(Holds(back, kWhite, {{20, 0, 23, 3}})) << "only the lasting entry comes again";

    // A new target drops this page's one-shots, and what was marked on the old one copies
    // nothing from the new one.
    Surface* other = SolidSurface(40, 30, kYellow);
    list.AddRectFlags(0, 0, 3, 3, DIRTY_ONE_SHOT, DIRTY_FROM_TARGET); // dropped below
    list.FlipPage();
    list.AddRectFlags(10, 0, 3, 3, DIRTY_ONE_SHOT, DIRTY_FROM_TARGET); // the other page: kept
    list.FlipPage();
    list.SetTarget(other);
    list.AddRectFlags(16, 0, 4, 4, DIRTY_ONE_SHOT, DIRTY_FROM_TARGET);
    EXPECT_EQ(Pending(), 3);
    FillSurface(back, kWhite);
    EndFrame();
    EndFrame();
    EXPECT_TRUE(Holds(back, kWhite, {{16, 0, 20, 4}}, kYellow));
    list.Restore(nullptr); // no back surface: nothing to copy onto
    EXPECT_EQ(Pending(), 1);
    ReleaseSurface(other);
}

// AddRect (r) and AddWholeTarget (w) repair the target from the background at once, when there
// are both; AddBox (b) only schedules. The back surface gets the target's picture after two
// flips; without a target every copy is a no-op but the entry still comes and goes.
TEST_F(DirtyRectListTest, RepairsTheTargetAtOnceAndTheBackSurfaceAfterTwoFlips) {
    const struct {
        char call;
        bool withBackground, withTarget;
        SurfaceRect added; // x, y, w, h for AddRect; left, top, right, bottom for AddBox
        SurfaceRect area;
    } cases[] = {{'r', true, true, {2, 3, 5, 4}, {2, 3, 7, 7}},
                 {'r', true, true, {35, 25, 20, 20}, {35, 25, 40, 30}}, // cut at the far edges
                 {'r', true, true, {-5, -5, 7, 7}, {0, 0, 2, 2}},       // cut at the near edges
                 {'w', true, true, {}, {0, 0, 40, 30}},
                 {'w', false, true, {}, {0, 0, 40, 30}},
                 {'b', true, true, {3, 4, 10, 6}, {3, 4, 10, 6}},
                 {'r', true, false, {0, 0, 5, 5}, {}},
                 {'w', true, false, {}, {}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.call << " " << c.area.left << "," << c.area.right);
        list.Clear();
        FillSurface(target, kRed);
        FillSurface(back, kWhite);
        list.SetTarget(c.withTarget ? target : nullptr);
        list.SetBackground(c.withBackground ? background : nullptr);
        const SurfaceRect& a = c.added;
        if (c.call == 'r')
            list.AddRect(a.left, a.top, a.right, a.bottom);
        else if (c.call == 'w')
            list.AddWholeTarget();
        else
            list.AddBox(a, DIRTY_ONE_SHOT, DIRTY_FROM_TARGET);
        const uint16_t repaired = c.withBackground && c.call != 'b' ? kGreen : kRed;
        EXPECT_TRUE(Holds(target, kRed, {c.area}, repaired));
        EXPECT_TRUE(Holds(back, kWhite));
        EXPECT_EQ(Pending(), 1);
        EndFrame();
        EndFrame();
        EXPECT_TRUE(Holds(back, kWhite, {c.area}, repaired));
        EXPECT_EQ(Pending(), 0);
    }
}

} // namespace
