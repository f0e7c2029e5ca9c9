#include "shell/sound_hooks.h"

// Filled in when the sound library lands.
void StartSoundLibrary() {}
void StopSoundLibrary() {}
