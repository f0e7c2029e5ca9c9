#include "game/game_screen.h"
#include "game/game_sound.h"
#include "screens/screen_manager.h"
#include "shell/program.h"

namespace {
void RegisterScreens() {
    screenManager.Register(&gameScreen);
    screenManager.SwitchTo("Kestrin");
}
} // namespace

int main(int argc, char** argv) {
    ProgramConfig program{};
    program.title = "Kestrin";
    program.depthMessage = "Game needs the display set to High Color (16 bit).";
    program.isGame = true;
    program.registerScreens = RegisterScreens;
    program.startSound = StartGameSound;
    return RunProgramFromMain(program, argc, argv);
}
