#pragma once
// The waits of the game's animations (a dealt card, a step of a flight, a foundation placement,
// the time bonus). They keep their timing on the program's clock and read no input, but they
// sleep instead of spinning and keep the desktop's events flowing into the message queue, where
// they wait to be acted on afterwards, so the window never looks hung.

// Returns once the clock's millisecond count has reached the deadline.
void PauseUntil(int deadline);
void PauseFor(int milliseconds);

// What a pause does while it waits, `milliseconds` at most each time. The default sleeps; tests,
// which drive the clock themselves, advance it instead. Null restores the default.
using PauseSleeper = void (*)(int milliseconds);
void SetPauseSleeper(PauseSleeper sleeper);
