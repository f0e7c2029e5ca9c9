#include "menu/game_pages_screen.h"

#include "core/mouse_cursor.h"
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
    int x = 0, y = 0, buttons = 0;
    mouseCursor.GetState(&x, &y, &buttons);
    strips->UpdateAll(x, y, buttons);
    strips->DrawAll();
    if (strips->WasNamedClicked("exit"))
        return UPDATE_QUIT;
    return Present() ? 1 : 0;
}

void GamePagesScreen::SelectByProgram(const char*) {}
