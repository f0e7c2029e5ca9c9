#include <climits>
#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "core/mouse_cursor.h"
#include "gfx/dirty_rect_list.h"
#include "platform/message_box.h"
#include "platform/profile.h"
#include "platform/sync.h"
#include "platform/window.h"
#include "screens/message_pump.h"
#include "screens/screen_manager.h"
#include "shell/app_state.h"
#include "shell/main_window.h"
#include "shell/program.h"
#include "shell/sound_hooks.h"
#include "shell/timers.h"
#include "zel/zel.h"

namespace {
const ProgramConfig* g_program = nullptr;

// The checks of the environment; a failed one is shown and ends the program with exit code 0.
bool EnvironmentUsable(const ProgramConfig& program) {
    const int depth = plat::DesktopDepth();
    if (depth != 15 && depth != 16) {
        plat::ShowMessageBox(program.depthMessage, nullptr);
        return false;
    }
    bool hasVersion7 = false;
    if (!plat::ProbeDisplay(&hasVersion7)) {
        plat::ShowMessageBox("DirectX not installed. Program needs DirectX 7.0a or higher to run",
                             nullptr);
        return false;
    }
    if (!hasVersion7) {
        plat::ShowMessageBox("DirectX Version 7.0a or greater not installed", nullptr);
        return false;
    }
    return true;
}

// Any number that is not 0 asks for full screen; text that is no number, or a number too
// large for an int, counts as the default, a window.
int ReadFullscreenSetting() {
    return plat::GetProfileInt("setup", "fullscreen", 0, INT_MIN, INT_MAX, ".\\setup.ini");
}

bool SetUpDisplay() {
    if (appState.fullscreen) {
        if (!ZelInitDirectX(appState.hwnd, 800, 600, 16))
            return false;
        ZelSetViewport(0, 0, 800, 600);
    } else {
        if (!ZelInitDirectX(appState.hwnd, appState.renderWidth, appState.renderHeight)) {
            ZelPrintError();
            return false;
        }
        ZelSetViewport(0, 0, appState.renderWidth, appState.renderHeight);
    }
    plat::Surface* primary = nullptr;
    appState.directDraw = ZelGetLPDD();
    ZelGetDDInfo(&primary, &appState.backSurface);
    FillSurface(appState.backSurface, 0);
    return true;
}

void ShowFrameRate() {
    char text[32];
    std::snprintf(text, sizeof text, "%5.2f", appState.lastFps);
    ZelPrintString(text, 580, 0);
    // Restored from the still picture after the flip, so the text goes when F1 turns it off.
    dirtyRects.AddRectFlags(580, 0, 220, 16, DIRTY_ONE_SHOT, DIRTY_FROM_TARGET);
}

int MainLoop() {
    for (;;) {
        if (PumpMessages())
            return 0;
        if (appState.active == 0) {
            ZelAcquireMouse(0);
            // Paused while another application is active: wait here instead of spinning.
            plat::SleepMs(10);
            continue;
        }
        ZelAcquireMouse(1);
        if (g_program->isGame || appState.showFps == 1)
            appState.lastFps = ZelGetFPS();
        if (appState.showFps == 1)
            ShowFrameRate();
        if (screenManager.Update(appState.active) == UPDATE_QUIT) {
            plat::DestroyWindow(appState.hwnd);
            return 0;
        }
    }
}
} // namespace

const ProgramConfig& CurrentProgram() {
    // Before RunProgram (the parts of a program under test) there is a program without a
    // title or hooks, so a caption can still be set.
    static const ProgramConfig none{"", "", false, false, nullptr, nullptr, nullptr, nullptr};
    return g_program ? *g_program : none;
}

int RunProgram(const ProgramConfig& program, const char* commandLine) {
    g_program = &program;
    if (!EnvironmentUsable(program))
        return 0;
    appState.hInstance = nullptr;
    ZelSetInstance(appState.hInstance);
    appState.fullscreen = ReadFullscreenSetting();
    if (!RegisterWindowClass(appState.hInstance) || !CreateMainWindow(appState.hInstance))
        return 1;
    ZelDebugEnable(0);
    if (!SetUpDisplay())
        return 1;
    ZelSetInstance(appState.hInstance);
    ZelInitMouse();
    InitTimers();
    StartSoundLibrary();
    int x = 0, y = 0;
    plat::GetCursorPos(&x, &y);
    mouseCursor.SetPosition(x, y);
    ZelAcquireMouse(1);
    std::srand(static_cast<unsigned>(std::time(nullptr)));
    ZelInitFont(appState.hwnd);
    screenManager.SetDisplay(appState.directDraw, appState.backSurface);
    if (program.isGame)
        std::snprintf(appState.commandLine, sizeof appState.commandLine, "%s",
                      commandLine ? commandLine : "");
    program.registerScreens();
    if (program.useCommandLine && commandLine && commandLine[0])
        program.useCommandLine(commandLine);
    ZelInitKeyboard();
    if (program.startSound)
        program.startSound();
    return MainLoop();
}
