#pragma once
// The program's clock: a 10 ms periodic timer advances the millisecond count, polls the mouse
// buttons and runs a whole-second countdown. All values are single 32-bit words shared with
// the timer thread.

// Starting and stopping the periodic timer belongs to the shell (shell/timers.h).
int GetTicks();
int TicksSince(int t);
void SetCountdown(int seconds);
int GetCountdown();
void StartCountdown();
void StopCountdown();

// One timer event: advance the count by the step, then poll and count down. Runs on the timer
// thread; tests call it directly.
void TimerEvent();
// Poll and countdown part of a timer event (after the count was advanced).
void TimerTick();
// Puts the clock back to its start values (tests).
void ResetTimerService();
