#pragma once
// The game's sounds: the switches from the suite's options and the background music at start,
// the named effects of the table while the game screen is entered.

void StartGameSound();
// Loads the table's effects into the named sound set: "carddown", "negative", "pos1", "pos3",
// "tada", "click".
void LoadGameEffects();
// Plays an effect at full volume; a sound that could not be loaded plays nothing.
void PlayEffect(const char* name);
