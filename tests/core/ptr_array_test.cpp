#include "core/ptr_array.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(PtrArrayTest, GrowsKeepingEveryEntryAndRemovesTheFirstEqualOne) {
    int v[9] = {}, absent = 0;
    PtrArray<int> array;
    for (int& item : v)
        EXPECT_EQ(array.Add(&item), &item);
    array.Add(&v[1]);
    array.Remove(&v[1]);
    array.Remove(&absent);
    std::vector<int*> entries;
    for (int i = -1; i <= array.Count(); ++i) // one before and one past the ends
        entries.push_back(array.Get(i));
    EXPECT_EQ(entries, (std::vector<int*>{nullptr, &v[0], &v[2], &v[3], &v[4], &v[5], &v[6], &v[7],
                                          &v[8], &v[1], nullptr}));
}

} // namespace
