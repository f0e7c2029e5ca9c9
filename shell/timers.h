#pragma once
// Starting and stopping the 10 ms timer that drives the clock (core/timer_service.h).
int InitTimers(); // 0 = started (or start attempted), 1 = timers not available
int FreeTimers(); // 0; harmless when no timer runs
