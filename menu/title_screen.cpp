#include "menu/title_screen.h"

TitleScreen titleScreen;

TitleScreen::TitleScreen() {
    SetName("title");
}

void TitleScreen::Enter(plat::Display* dd, Surface* back) {
    Screen::Enter(dd, back);
    SetUpStillPicture(".\\title\\titlebackground.bmp");
}

int TitleScreen::Update(int) {
    UpdateStrips();
    return Present() ? 1 : 0;
}
