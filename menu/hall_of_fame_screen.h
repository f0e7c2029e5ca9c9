#pragma once
// The Hall of Fame pop-up: the game's twenty best results from its "hiscore.dat" (the current
// directory is the game's folder) in two columns of ten; "clear" empties the table and closes,
// "upload" sends the best result to the score server through the player's browser.
#include <memory>
#include <string>

#include "gfx/bitmap_font.h"
#include "records/high_score_table.h"
#include "screens/popup_screen.h"

class HallOfFameScreen : public PopupScreen {
  public:
    HallOfFameScreen() = default;
    ~HallOfFameScreen() override;

    void Init() override;
    void Leave() override;
    int CheckDone() override;

    // Where "upload" sends the best result: the game's name and the score server's address.
    void SetUpload(const char* gameName, const std::string& serverBase);
    const HighScoreTable* Table() const { return table.get(); }

  private:
    void Upload();
    void DrawTable(Surface* target);
    void Free();

    std::unique_ptr<BitmapFont> blackFont;
    std::unique_ptr<BitmapFont> purpleFont;
    std::unique_ptr<HighScoreTable> table;
    std::string game;
    std::string scoreServer;
};
