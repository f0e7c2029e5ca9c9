#include "platform/sync.h"

#include <gtest/gtest.h>

namespace {

// Auto-reset: sets before a wait are remembered, two of them are one wake-up, and a wait takes
// the lowest set event of up to 64, leaving the others set.
TEST(SyncEvent, AWaitTakesTheLowestSetEventOnce) {
    plat::Event* events[65] = {};
    EXPECT_EQ(plat::WaitForAnyEvent(events, 1, 0), plat::kWaitFailed); // null event
    EXPECT_EQ(plat::WaitForAnyEvent(nullptr, 1, 0), plat::kWaitFailed);
    EXPECT_EQ(plat::WaitForAnyEvent(events, 0, 0), plat::kWaitFailed);
    for (auto*& e : events)
        e = plat::CreateEvent();
    EXPECT_EQ(plat::WaitForAnyEvent(events, 65, 0), plat::kWaitFailed);
    plat::SetEvent(events[63]);
    plat::SetEvent(events[2]);
    plat::SetEvent(events[2]);
    EXPECT_EQ(plat::WaitForAnyEvent(events, 64, 0), 2);
    EXPECT_EQ(plat::WaitForAnyEvent(events, 64, 0), 63);
    EXPECT_EQ(plat::WaitForAnyEvent(events, 64, 5), plat::kWaitTimeout);
    for (auto* e : events)
        plat::CloseEvent(e);
    EXPECT_EQ(plat::StartThread(nullptr, nullptr), nullptr);
}

} // namespace
