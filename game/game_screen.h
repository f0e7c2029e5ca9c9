#pragma once
// The card game's one screen, "Kestrin": the table picture, its buttons, and each frame
// presented.
#include "screens/screen.h"

class GameScreen : public Screen {
  public:
    GameScreen();
    void Enter(plat::Display* directDraw, Surface* backSurface) override;
    int Update(int active) override;
    int Present() override;
};

extern GameScreen gameScreen;
