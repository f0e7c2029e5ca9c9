#include "menu/game_pages_screen.h"

#include "gfx/strip_group.h"

GamePagesScreen gamePagesScreen;

GamePagesScreen::GamePagesScreen() {
    SetName("Lumora");
}

void GamePagesScreen::Enter(plat::Display* dd, Surface* back) {
    Screen::Enter(dd, back);
    SetUpStillPicture("background.bmp");
    AddButton("exit", 718, 89, "SmallExit.bmp");
}

int GamePagesScreen::Update(int) {
    UpdateStrips();
    if (strips->WasNamedClicked("exit"))
        return UPDATE_QUIT;
    return Present() ? 1 : 0;
}

void GamePagesScreen::SelectByProgram(const char*) {}
