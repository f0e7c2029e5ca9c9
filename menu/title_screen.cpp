#include "menu/title_screen.h"

#include "core/mouse_cursor.h"
#include "gfx/strip_group.h"

TitleScreen titleScreen;

TitleScreen::TitleScreen() {
    SetName("title");
}

void TitleScreen::Enter(plat::Display* dd, Surface* back) {
    Screen::Enter(dd, back);
    SetUpStillPicture(".\\title\\titlebackground.bmp");
}

int TitleScreen::Update(int) {
    int x = 0, y = 0, buttons = 0;
    mouseCursor.GetState(&x, &y, &buttons);
    strips->UpdateAll(x, y, buttons);
    strips->DrawAll();
    return Present() ? 1 : 0;
}
