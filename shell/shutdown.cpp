#include "shell/shutdown.h"

#include "gfx/dirty_rect_list.h"
#include "platform/window.h"
#include "screens/screen_manager.h"
#include "shell/app_state.h"
#include "shell/program.h"
#include "shell/sound_hooks.h"
#include "shell/timers.h"
#include "zel/zel.h"

void Shutdown() {
    FreeTimers();
    screenManager.LeaveAll();
    if (CurrentProgram().releaseGame)
        CurrentProgram().releaseGame();
    // The screens' pictures are gone; nothing may be restored from them any more.
    dirtyRects.Clear();
    ZelAcquireMouse(0);
    ZelFreeFont();
    ZelFreeDirectInput();
    ZelFreeDirectX();
    StopSoundLibrary();
    appState.active = 0;
    plat::PostQuitMessage(0);
}
