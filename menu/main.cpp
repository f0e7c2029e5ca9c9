#include "menu/game_pages_screen.h"
#include "menu/title_screen.h"
#include "screens/screen_manager.h"
#include "shell/program.h"

namespace {
void RegisterScreens() {
    screenManager.Register(&gamePagesScreen);
    screenManager.Register(&titleScreen);
    screenManager.SwitchTo("Lumora");
}

void UseCommandLine(const char* commandLine) {
    gamePagesScreen.SelectByProgram(commandLine);
}
} // namespace

int main(int argc, char** argv) {
    ProgramConfig program{};
    program.title = "Vantelo Lumora";
    program.depthMessage = "Olvandi Games needs the display set to High Color (16 bit).";
    program.topmostOnSmallDesktop = true;
    program.registerScreens = RegisterScreens;
    program.useCommandLine = UseCommandLine;
    return RunProgramFromMain(program, argc, argv);
}
