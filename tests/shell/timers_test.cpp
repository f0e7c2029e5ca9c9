#include "shell/timers.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>

#include "core/timer_service.h"
#include "gfx/surface_functions.h"
#include "platform/timer.h"
#include "support/temp_dir.h"

namespace {

using testing_support::ReadBytes;

TEST(ShellTimersTest, TheTimerDrivesTheClockUntilFreedOrTellsWhyItCannot) {
    const plat::TimerCaps coarse{16, 1000}, tooShort{1, 5};
    const struct {
        const char* name;
        const plat::TimerCaps* caps;
        bool startFails;
        int result;
        bool runs, logged;
    } cases[] = {
        {"runs", nullptr, false, 0, true, false},
        {"runs again after a free", nullptr, false, 0, true, false},
        {"no 10 ms period", &coarse, false, 1, false, true},
        {"periods too short", &tooShort, false, 1, false, true},
        {"start fails: attempted", nullptr, true, 0, false, false},
    };
    // The diagnostic log is opened once per process, in the directory current at its first line.
    static testing_support::TempDir logDir;
    testing_support::CurrentDirGuard guard;
    std::filesystem::current_path(logDir.path());
    debugLogEnabled = 1;
    const std::string line = "Unable to use timers on this system";
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        plat::SetTimerCapsForTest(c.caps);
        plat::SetTimerStartFailsForTest(c.startFails);
        const size_t logged = ReadBytes(logDir / "debug.log").size();
        EXPECT_EQ(InitTimers(), c.result);
        EXPECT_EQ(ReadBytes(logDir / "debug.log").substr(logged), c.logged ? line : "");
        // Three steps of 10 ms, waited for up to 2 s when the clock should run.
        const int start = GetTicks();
        for (int i = 0; i < (c.runs ? 400 : 6) && GetTicks() - start < 30; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        EXPECT_EQ(GetTicks() - start >= 30, c.runs);
        EXPECT_EQ(GetTicks() % 10, 0);
        for (int i = 0; i < 2; ++i) // a second free is harmless
            EXPECT_EQ(FreeTimers(), 0);
        const int stoppedAt = GetTicks();
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
        EXPECT_EQ(GetTicks(), stoppedAt);
    }
    debugLogEnabled = 0;
    plat::SetTimerCapsForTest(nullptr);
    plat::SetTimerStartFailsForTest(false);
    ResetTimerService();
}

} // namespace
