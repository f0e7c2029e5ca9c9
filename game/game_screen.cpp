#include "game/game_screen.h"

#include "core/mouse_cursor.h"
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
    int x = 0, y = 0, buttons = 0;
    mouseCursor.GetState(&x, &y, &buttons);
    strips->UpdateAll(x, y, buttons);
    strips->DrawAll();
    if (strips->WasNamedClicked("exit"))
        return UPDATE_QUIT;
    Present();
    return 1;
}

int GameScreen::Present() {
    Screen::Present();
    return 1;
}
