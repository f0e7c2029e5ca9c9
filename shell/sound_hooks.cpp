#include "shell/sound_hooks.h"

#include "shell/app_state.h"
#include "sound/sound_bank.h"

void StartSoundLibrary() {
    soundBank.Init(appState.hwnd, 200);
}
void StopSoundLibrary() {
    soundBank.Shutdown();
}
