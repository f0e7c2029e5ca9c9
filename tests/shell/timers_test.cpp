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

using std::chrono::milliseconds;

bool WaitForTicks(int atLeast) {
    for (int i = 0; i < 400 && GetTicks() < atLeast; ++i)
        std::this_thread::sleep_for(milliseconds(5));
    return GetTicks() >= atLeast;
}

class ShellTimersTest : public ::testing::Test {
  protected:
    void SetUp() override { ResetTimerService(); }
    void TearDown() override {
        FreeTimers();
        plat::SetTimerCapsForTest(nullptr);
        plat::SetTimerStartFailsForTest(false);
        ResetTimerService();
    }
};

TEST_F(ShellTimersTest, TimerDrivesTheClockUntilFreedAndFreeingTwiceIsHarmless) {
    EXPECT_EQ(InitTimers(), 0);
    EXPECT_TRUE(WaitForTicks(30));
    EXPECT_EQ(GetTicks() % 10, 0);
    EXPECT_EQ(FreeTimers(), 0);
    const int stoppedAt = GetTicks();
    std::this_thread::sleep_for(milliseconds(40));
    EXPECT_EQ(GetTicks(), stoppedAt); // keeps its value, advances no more
    EXPECT_EQ(FreeTimers(), 0);
    EXPECT_EQ(GetTicks(), stoppedAt);

    EXPECT_EQ(InitTimers(), 0); // and can be started again
    EXPECT_TRUE(WaitForTicks(stoppedAt + 20));
    EXPECT_EQ(FreeTimers(), 0);
}

TEST_F(ShellTimersTest, FreeingWithoutATimerIsHarmless) {
    EXPECT_EQ(FreeTimers(), 0);
    EXPECT_EQ(FreeTimers(), 0);
}

// The diagnostic log is opened once per process, in the directory current at its first line;
// every test that logs goes to this one place.
const testing_support::TempDir& LogDir() {
    static testing_support::TempDir dir;
    return dir;
}

size_t CountLines(const std::string& text, const std::string& line) {
    size_t count = 0;
    for (size_t at = text.find(line); at != std::string::npos; at = text.find(line, at + 1))
        ++count;
    return count;
}

TEST_F(ShellTimersTest, NoTenMillisecondPeriodMeansNoTimerAndALogLine) {
    testing_support::CurrentDirGuard guard;
    std::filesystem::current_path(LogDir().path());
    const std::string line = "Unable to use timers on this system";
    const size_t before = CountLines(testing_support::ReadBytes(LogDir() / "debug.log"), line);
    debugLogEnabled = 1;
    const plat::TimerCaps coarse{16, 1000};
    plat::SetTimerCapsForTest(&coarse);
    EXPECT_EQ(InitTimers(), 1);
    debugLogEnabled = 0;
    EXPECT_EQ(CountLines(testing_support::ReadBytes(LogDir() / "debug.log"), line), before + 1);
    std::this_thread::sleep_for(milliseconds(30));
    EXPECT_EQ(GetTicks(), 0);
    EXPECT_EQ(FreeTimers(), 0);

    const plat::TimerCaps tooShort{1, 5};
    plat::SetTimerCapsForTest(&tooShort);
    EXPECT_EQ(InitTimers(), 1);
}

TEST_F(ShellTimersTest, FailedStartCountsAsAttemptedAndTimeStandsStill) {
    plat::SetTimerStartFailsForTest(true);
    EXPECT_EQ(InitTimers(), 0);
    std::this_thread::sleep_for(milliseconds(30));
    EXPECT_EQ(GetTicks(), 0);
    EXPECT_EQ(FreeTimers(), 0);
}

} // namespace
