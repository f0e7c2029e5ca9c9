#pragma once
// What tells the two programs apart; the shell does everything else the same way.

struct ProgramConfig {
    const char* title;          // window title
    const char* depthMessage;   // shown when the desktop is not in 16-bit colour
    bool isGame;                // keeps the command line, asks the frame rate every frame
    bool topmostOnSmallDesktop; // the menu stays on top of an 800 by 600 desktop
    // Registers the program's screens and switches to the first one.
    void (*registerScreens)();
    // Hands a non-empty command line to the first screen (menu), or null.
    void (*useCommandLine)(const char* commandLine);
    // After the keyboard is ready: the game's sound switches and music, or null.
    void (*startSound)();
    // At shutdown, after the screens were left: the game object's release, or null.
    void (*releaseGame)();
};

// Start-up, main loop and shutdown. Returns the process exit code.
int RunProgram(const ProgramConfig& config, const char* commandLine);
// The programs' entry: from the program's own folder, with the arguments as one command line.
int RunProgramFromMain(const ProgramConfig& config, int argc, char** argv);
// The program being run; before RunProgram one without a title or hooks.
const ProgramConfig& CurrentProgram();
