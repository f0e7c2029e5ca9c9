#pragma once
// A game's title screen, "title": the game's picture with buttons to play it, read its rules and
// credits, see its Hall of Fame, edit the current player, switch the games' sound effects and
// music, go back to the pages or quit; and the eight player names, a click on one making it the
// current player. While it is current, the current directory is the game's folder.
#include <memory>

#include "gfx/bitmap_font.h"
#include "menu/game_scan.h"
#include "menu/text_field.h"
#include "records/player_list.h"
#include "screens/screen.h"

struct NameSlotBox {
    int x, y, width, height;
};
constexpr NameSlotBox NAME_SLOTS[MAX_PLAYERS] = {
    {239, 378, 150, 30}, {408, 378, 150, 30}, {239, 420, 150, 30}, {408, 420, 150, 30},
    {239, 464, 150, 30}, {408, 464, 150, 30}, {239, 510, 150, 30}, {408, 510, 150, 30},
};

class PopupScreen;

class TitleScreen : public Screen {
  public:
    TitleScreen();
    void Enter(plat::Display* directDraw, Surface* backSurface) override;
    void Leave() override;
    int Update(int active) override;
    int Present() override;

    // The game whose title screen this is; set before the switch to "title".
    void SetGame(GameRecord* record) { game = record; }
    GameRecord* Game() const { return game; }
    int CurrentPlayer() const { return currentPlayer; }
    const TextField* NameSlot(int i) const { return nameSlots[i].get(); }

  private:
    int ReadSwitch(const char* key); // 1 on, 0 off (the strip then shows its second picture)
    void CreateNameSlots();
    void ShowPlayerNames();
    void PickPlayer(int mouseX, int mouseY);
    void DrawNameSlots();
    void ToggleSwitch(const char* key, int* state); // the strip is named as the key
    // Each returns 0 when the program is quitting, 1 otherwise.
    int ShowPicture(const char* fileName);
    int ShowHallOfFame();
    int ShowPlayers();
    // 1 when the game was started and the menu is to end.
    int StartGame();

    GameRecord* game = nullptr;
    bool inGameFolder = false;
    std::unique_ptr<BitmapFont> nameFont;
    std::unique_ptr<BitmapFont> highlightFont;
    std::unique_ptr<TextField> nameSlots[MAX_PLAYERS];
    int currentPlayer = 0;
    int sfxOn = 1, musicOn = 1;
    int previousButtons = 0;
};

extern TitleScreen titleScreen;
