#pragma once
// The game's sound switches from the suite's options, and its background music.
void StartGameSound();
