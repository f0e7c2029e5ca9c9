#include "core/ptr_array.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

namespace {

TEST(PtrArrayTest, GrowsKeepingEveryEntryAndRemovesTheFirstEqualOne) {
    int v[9] = {}, absent = 0;
    PtrArray<int> array;
    for (int& item : v)
        EXPECT_EQ(array.Add(&item), &item);
    EXPECT_EQ(array.Capacity(), 16); // doubled from 1 whenever full
    array.Add(&v[1]);
    array.Remove(&v[1]);
    array.Remove(&absent);
    std::vector<int*> entries;
    for (int i = -1; i <= array.Count(); ++i) // one before and one past the ends
        entries.push_back(array.Get(i));
    EXPECT_EQ(entries, (std::vector<int*>{nullptr, &v[0], &v[2], &v[3], &v[4], &v[5], &v[6], &v[7],
                                          &v[8], &v[1], nullptr}));
}

// Removing entries while walking with the cursor: the one at the cursor, one before it and one
// after it. The walk still visits every entry left, each once.
TEST(PtrArrayTest, WalkWithTheCursorRemovingEntriesVisitsEachEntryOnce) {
    int v[6] = {};
    int* const removedOnVisit[6] = {&v[0], nullptr, &v[2], &v[1], &v[5], nullptr};
    PtrArray<int> array;
    for (int& item : v)
        array.Add(&item);
    std::vector<int*> visited;
    for (array.SetCursor(0); array.Cursor() < array.Count(); array.SetCursor(array.Cursor() + 1)) {
        visited.push_back(array.Get(array.Cursor()));
        array.Remove(removedOnVisit[visited.back() - v]);
    }
    EXPECT_EQ(visited, (std::vector<int*>{&v[0], &v[1], &v[2], &v[3], &v[4]}));
    EXPECT_EQ(std::tuple(array.Count(), array.Get(0), array.Get(1)), std::tuple(2, &v[3], &v[4]));
}

} // namespace
