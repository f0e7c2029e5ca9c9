#include "game/game_screen.h"

#include "gfx/strip_group.h"

GameScreen gameScreen;

GameScreen::GameScreen() {
    SetName("Kestrin");
}

void GameScreen::Enter(plat::Display* dd, Surface* back) {
    Screen::Enter(dd, back);
    SetUpStillPicture("background.bmp");
    AddButton("exit", 728, 520, "exit.bmp");
}

int GameScreen::Update(int) {
    UpdateStrips();
    if (strips->WasNamedClicked("exit"))
        return UPDATE_QUIT;
    Present();
    return 1;
}

int GameScreen::Present() {
    Screen::Present();
    return 1;
}
