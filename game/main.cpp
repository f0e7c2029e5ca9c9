#include <cstdlib>

#include "game/board.h"
#include "game/card_game.h"
#include "game/game_screen.h"
#include "game/game_sound.h"
#include "screens/screen_manager.h"
#include "shell/program.h"

namespace {
void RegisterScreens() {
    // After the start-up's time seed: a fixed seed replays the same deals.
    SeedDeals(std::getenv("KESTRIN_SEED"));
    screenManager.Register(&gameScreen);
    screenManager.SwitchTo("Kestrin");
}

void ReleaseGame() {
    cardGame.Release();
}
} // namespace

int main(int argc, char** argv) {
    ProgramConfig program{};
    program.title = "Kestrin";
    program.depthMessage = "Game needs the display set to High Color (16 bit).";
    program.isGame = true;
    program.registerScreens = RegisterScreens;
    program.startSound = StartGameSound;
    program.releaseGame = ReleaseGame;
    return RunProgramFromMain(program, argc, argv);
}
