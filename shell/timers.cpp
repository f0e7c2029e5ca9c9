#include "shell/timers.h"

#include <atomic>

#include "core/timer_service.h"
#include "gfx/surface_functions.h"
#include "platform/timer.h"

namespace {
constexpr unsigned kPeriod = 10;
std::atomic<unsigned> timerId{0};

void OnTimer(void*) {
    TimerEvent();
}
} // namespace

int InitTimers() {
    plat::TimerCaps caps{};
    plat::GetTimerCaps(&caps);
    if (caps.periodMin > kPeriod || caps.periodMax < kPeriod) {
        LogMessage("Unable to use timers on this system");
        return 1;
    }
    if (!plat::BeginTimerPeriod(kPeriod))
        return 1;
    timerId = plat::StartPeriodicTimer(kPeriod, OnTimer, nullptr);
    if (timerId == 0)
        plat::EndTimerPeriod(kPeriod);
    return 0;
}

int FreeTimers() {
    unsigned id = timerId.exchange(0);
    if (id != 0) {
        plat::KillTimer(id);
        plat::EndTimerPeriod(kPeriod);
    }
    return 0;
}
