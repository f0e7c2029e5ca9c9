#pragma once
// The players pop-up: edits a player's name, address and email in three text fields and the
// send flag with a yes/no switch; "enter" takes the fields over into the record, "back" leaves
// it as it was, "remove" resets the current player's slot and writes it at once. The fields
// move with the pop-up.
#include <memory>

#include "gfx/bitmap_font.h"
#include "menu/players_layout.h"
#include "menu/text_field.h"
#include "records/player_list.h"
#include "screens/popup_screen.h"

class PlayersScreen : public PopupScreen {
  public:
    PlayersScreen() = default;
    ~PlayersScreen() override;

    void Init() override;
    void Leave() override;
    void SetPosition(int newX, int newY) override;
    int OnFrame(int mouseX, int mouseY, int buttons) override;

    // The record to edit, in place; called after Init and before Run.
    void Edit(PlayerRecord* edited);

    int SendFlag() const { return sendFlag; }
    const TextField* Field(int i) const { return fields[i].get(); }

  private:
    void FreeFields();
    void TakeFieldsOver();
    void MoveBetweenFields();
    void DrawFields();

    std::unique_ptr<BitmapFont> plainFont;
    std::unique_ptr<BitmapFont> entryFont;
    std::unique_ptr<TextField> fields[PLAYER_FIELD_COUNT];
    PlayerRecord* record = nullptr;
    int sendFlag = 1;
    int previousButtons = 0;
};
