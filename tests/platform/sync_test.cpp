#include "platform/sync.h"

#include <atomic>
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
}

struct PingPong {
    plat::Event* ping;
    plat::Event* pong;
    int rounds;
    std::atomic<int> seen{0};
};

unsigned Responder(void* arg) {
    auto* p = static_cast<PingPong*>(arg);
    plat::SleepMs(20); // the first ping is set before anyone waits for it
    for (int i = 0; i < p->rounds; ++i) {
        if (plat::WaitForAnyEvent(&p->ping, 1) != 0) // no time limit
            return 1;
        p->seen.fetch_add(1);
        plat::SetEvent(p->pong);
    }
    return 0;
}

TEST(SyncThread, NoWakeUpIsLostBetweenThreads) {
    PingPong p{plat::CreateEvent(), plat::CreateEvent(), 2000};
    plat::Thread* t = plat::StartThread(Responder, &p);
    ASSERT_NE(t, nullptr);
    for (int i = 0; i < p.rounds; ++i) {
        plat::SetEvent(p.ping);
        ASSERT_EQ(plat::WaitForAnyEvent(&p.pong, 1, 2000), 0) << "round " << i;
    }
    plat::JoinThread(t);
    EXPECT_EQ(p.seen.load(), p.rounds);
    EXPECT_EQ(plat::StartThread(nullptr, nullptr), nullptr);
    plat::CloseEvent(p.ping);
    plat::CloseEvent(p.pong);
}

} // namespace
