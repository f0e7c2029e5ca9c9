#include "core/ptr_array.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<int*> Entries(const PtrArray<int>& array) {
    std::vector<int*> entries;
    for (int i = 0; i < array.Count(); ++i)
        entries.push_back(array.Get(i));
    return entries;
}

TEST(PtrArrayTest, GrowsKeepingEveryEntryAndRemovesTheFirstEqualOne) {
    int v[9] = {};
    PtrArray<int> array;
    for (int& item : v)
        EXPECT_EQ(array.Add(&item), &item);
    array.Add(&v[1]);
    array.Remove(&v[1]);
    int absent = 0;
    array.Remove(&absent);
    EXPECT_EQ(Entries(array),
              (std::vector<int*>{&v[0], &v[2], &v[3], &v[4], &v[5], &v[6], &v[7], &v[8], &v[1]}));
    EXPECT_EQ(array.Get(9), nullptr);
    EXPECT_EQ(array.Get(-1), nullptr);
}

} // namespace
