#include "core/timer_service.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstdlib>
#include <sstream>
#include <string>
#include <utility>

#include "core/mouse_cursor.h"

namespace {

// Steps of the clock, blank-separated: a number runs that many timer events (10 ms each); "=n"
// expects n seconds left, "tn" n milliseconds since 0; "sn" sets the countdown to n; "x" stops
// it, "g" starts it again, "r" resets the clock.
TEST(TimerServiceTest, CountdownLosesOneSecondPerHundredEventsWhileRunning) {
    const std::pair<const char*, const char*> cases[] = {
        {"hundred events a second, never below 0", "t0 s3 99 =3 1 =2 100 =1 100 =0 300 =0 t6000"},
        {"a new count stands at once; the running second goes on", "s10 150 =9 s5 =5 49 =5 1 =4"},
        {"stopped, the count keeps; the seconds run on", "s5 30 x 1000 =5 g 69 =5 1 =4 t11000"},
        {"stop and start within a second lose nothing", "s2 40 x 20 g 39 =2 1 =1"},
        {"reset starts everything afresh", "s9 x 120 r t0 =0 s1 99 =1 1 =0"},
    };
    for (const auto& [name, steps] : cases) {
        SCOPED_TRACE(name);
        ResetTimerService();
        mouseCursor.Reset();
        std::istringstream in(steps);
        std::string replayed; // the steps, with what the clock showed at each check
        for (std::string step; in >> step; replayed += step + " ") {
            const int n = std::atoi(step.c_str() + !std::isdigit(step[0]));
            if (step[0] == '=' || step[0] == 't')
                step.replace(1, step.npos,
                             std::to_string(step[0] == '=' ? GetCountdown() : TicksSince(0)));
            if (step[0] == 's')
                SetCountdown(n);
            if (step[0] == 'x')
                StopCountdown();
            if (step[0] == 'g')
                StartCountdown();
            if (step[0] == 'r')
                ResetTimerService();
            for (int i = 0; std::isdigit(step[0]) && i < n; ++i)
                TimerEvent();
        }
        EXPECT_EQ(replayed, steps + std::string(" "));
    }
    ResetTimerService();
}

} // namespace
