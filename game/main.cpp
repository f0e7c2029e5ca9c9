#include "game/game_screen.h"
#include "game/game_sound.h"
#include "platform/program_folder.h"
#include "screens/screen_manager.h"
#include "shell/command_line.h"
#include "shell/program.h"

namespace {
void RegisterScreens() {
    screenManager.Register(&gameScreen);
    screenManager.SwitchTo("Kestrin");
}
} // namespace

int main(int argc, char** argv) {
    plat::ChangeToProgramFolder();
    char commandLine[256];
    JoinCommandLine(argc, argv, commandLine, sizeof commandLine);
    ProgramConfig program{};
    program.title = "Kestrin";
    program.depthMessage = "Game needs the display set to High Color (16 bit).";
    program.isGame = true;
    program.topmostOnSmallDesktop = false;
    program.registerScreens = RegisterScreens;
    program.startSound = StartGameSound;
    return RunProgram(program, commandLine);
}
