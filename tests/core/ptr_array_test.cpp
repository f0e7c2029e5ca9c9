#include "core/ptr_array.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(PtrArrayTest, GrowsByDoublingAndKeepsEveryEntry) {
    PtrArray<int> array;
    EXPECT_EQ(array.Capacity(), 1);
    std::vector<int> values(9);
    std::vector<int> capacities;
    for (int& v : values) {
        EXPECT_EQ(array.Add(&v), &v);
        capacities.push_back(array.Capacity());
    }
    EXPECT_EQ(capacities, (std::vector<int>{1, 2, 4, 4, 8, 8, 8, 8, 16}));
    ASSERT_EQ(array.Count(), 9);
    for (int i = 0; i < 9; ++i)
        EXPECT_EQ(array.Get(i), &values[i]) << i;
    EXPECT_EQ(array.Get(9), nullptr);
    EXPECT_EQ(array.Get(-1), nullptr);
}

TEST(PtrArrayTest, RemoveTakesTheFirstEqualEntryAndShiftsTheRest) {
    int a = 0, b = 0, c = 0;
    PtrArray<int> array;
    array.Add(&a);
    array.Add(&b);
    array.Add(&c);
    array.Add(&b);
    array.Remove(&b);
    ASSERT_EQ(array.Count(), 3);
    EXPECT_EQ(array.Get(0), &a);
    EXPECT_EQ(array.Get(1), &c);
    EXPECT_EQ(array.Get(2), &b);
    EXPECT_EQ(array.Get(3), nullptr);

    int absent = 0;
    array.Remove(&absent);
    EXPECT_EQ(array.Count(), 3);
    array.Add(nullptr); // a null entry is an entry like any other
    array.Remove(nullptr);
    EXPECT_EQ(array.Count(), 3);
}

// cursor position before the removal, removed index, cursor afterwards
struct CursorCase {
    int cursor, removed, expected;
};

TEST(PtrArrayTest, CursorMovesDownWhenItStoodAtOrAfterTheRemovedPlace) {
    const CursorCase cases[] = {
        {3, 1, 2}, // after: follows its entry
        {1, 1, 0}, // at: steps back so that advancing reaches the next entry
        {0, 2, 0}, // before: untouched
        {0, 0, -1}, {4, 4, 3},
    };
    for (const CursorCase& c : cases) {
        int items[5] = {};
        PtrArray<int> array;
        for (int& item : items)
            array.Add(&item);
        array.SetCursor(c.cursor);
        array.Remove(&items[c.removed]);
        EXPECT_EQ(array.Cursor(), c.expected) << "cursor " << c.cursor << ", removed " << c.removed;
    }

    int x = 0;
    PtrArray<int> array;
    array.Add(&x);
    array.SetCursor(0);
    int absent = 0;
    array.Remove(&absent); // nothing removed: the cursor stays
    EXPECT_EQ(array.Cursor(), 0);
}

TEST(PtrArrayTest, WalkWithTheCursorRemovingEntriesVisitsEveryEntryOnce) {
    int items[6] = {};
    PtrArray<int> array;
    for (int& item : items)
        array.Add(&item);
    std::vector<int*> visited;
    for (array.SetCursor(0); array.Cursor() < array.Count(); array.SetCursor(array.Cursor() + 1)) {
        int* entry = array.Get(array.Cursor());
        visited.push_back(entry);
        if (entry == &items[0] || entry == &items[1] || entry == &items[4])
            array.Remove(entry);
    }
    ASSERT_EQ(visited.size(), 6u);
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(visited[i], &items[i]) << i;
    ASSERT_EQ(array.Count(), 3);
    EXPECT_EQ(array.Get(0), &items[2]);
    EXPECT_EQ(array.Get(1), &items[3]);
    EXPECT_EQ(array.Get(2), &items[5]);
}

} // namespace
