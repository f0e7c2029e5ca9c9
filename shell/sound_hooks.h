#pragma once
// The sound library's place in start-up and shutdown, the same in both programs.
void StartSoundLibrary(); // the named sound set with 200 samples
void StopSoundLibrary();
