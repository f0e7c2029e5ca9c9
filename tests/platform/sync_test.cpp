#include "platform/sync.h"

#include <atomic>
#include <gtest/gtest.h>

namespace {

TEST(SyncEvent, SetBeforeWaitIsRememberedAndTakenOnce) {
    plat::Event* e = plat::CreateEvent();
    plat::SetEvent(e);
    plat::SetEvent(e); // auto-reset: two sets before a wait are one wake-up
    EXPECT_EQ(plat::WaitForAnyEvent(&e, 1, 0), 0);
    EXPECT_EQ(plat::WaitForAnyEvent(&e, 1, 0), plat::kWaitTimeout);
    plat::CloseEvent(e);
}

TEST(SyncEvent, WaitReturnsLowestSetIndexAndResetsOnlyThatOne) {
    plat::Event* events[3] = {plat::CreateEvent(), plat::CreateEvent(), plat::CreateEvent()};
    plat::SetEvent(events[2]);
    plat::SetEvent(events[1]);
    EXPECT_EQ(plat::WaitForAnyEvent(events, 3, 0), 1);
    EXPECT_EQ(plat::WaitForAnyEvent(events, 3, 0), 2);
    EXPECT_EQ(plat::WaitForAnyEvent(events, 3, 5), plat::kWaitTimeout);
    for (auto* e : events)
        plat::CloseEvent(e);
}

TEST(SyncEvent, BadArgumentsFail) {
    plat::Event* events[65] = {};
    EXPECT_EQ(plat::WaitForAnyEvent(events, 1, 0), plat::kWaitFailed); // null event
    EXPECT_EQ(plat::WaitForAnyEvent(nullptr, 1, 0), plat::kWaitFailed);
    EXPECT_EQ(plat::WaitForAnyEvent(events, 0, 0), plat::kWaitFailed);
    for (auto*& e : events)
        e = plat::CreateEvent();
    EXPECT_EQ(plat::WaitForAnyEvent(events, 65, 0), plat::kWaitFailed);
    plat::SetEvent(events[63]);
    EXPECT_EQ(plat::WaitForAnyEvent(events, 64, 0), 63);
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
    for (int i = 0; i < p->rounds; ++i) {
        if (plat::WaitForAnyEvent(&p->ping, 1) != 0)
            return 1;
        p->seen.fetch_add(1);
        plat::SetEvent(p->pong);
    }
    return 0;
}

TEST(SyncThread, NoWakeUpIsLostBetweenThreads) {
    PingPong p{plat::CreateEvent(), plat::CreateEvent(), 2000};
    plat::Thread* t = plat::StartThread(Responder, &p, plat::ThreadPriority::Lowest);
    ASSERT_NE(t, nullptr);
    for (int i = 0; i < p.rounds; ++i) {
        plat::SetEvent(p.ping);
        ASSERT_EQ(plat::WaitForAnyEvent(&p.pong, 1, 2000), 0) << "round " << i;
    }
    plat::JoinThread(t);
    EXPECT_EQ(p.seen.load(), p.rounds);
    plat::CloseEvent(p.ping);
    plat::CloseEvent(p.pong);
}

unsigned SetLater(void* arg) {
    plat::SleepMs(20);
    plat::SetEvent(static_cast<plat::Event*>(arg));
    return 0;
}

TEST(SyncThread, InfiniteWaitEndsWhenAnotherThreadSets) {
    plat::Event* events[2] = {plat::CreateEvent(), plat::CreateEvent()};
    plat::Thread* t = plat::StartThread(SetLater, events[1], plat::ThreadPriority::High);
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(plat::WaitForAnyEvent(events, 2), 1);
    plat::JoinThread(t);
    EXPECT_EQ(plat::StartThread(nullptr, nullptr), nullptr);
    for (auto* e : events)
        plat::CloseEvent(e);
}

} // namespace
