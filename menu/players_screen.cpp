#include "menu/players_screen.h"

#include <cstring>

#include "gfx/dirty_rect_list.h"
#include "gfx/strip_group.h"
#include "menu/panel_font.h"
#include "menu/settings_notice.h"
#include "records/copy_field.h"

PlayersScreen::~PlayersScreen() {
    FreeFields();
}

void PlayersScreen::Init() {
    Screen::Init();
    plainFont = LoadPanelFont("..\\n_font.bmp", 1);
    entryFont = LoadPanelFont("..\\h_font.bmp", 3);
    AddBackground("..\\PlayerInfo.bmp", nullptr);
    AddButton("enter", 474, 471, "..\\EnterButton.bmp");
    AddButton("remove", 360, 471, "..\\RemoveButton.bmp");
    AddButton("back", 608, 489, "..\\BackButton.bmp");
    // The switch: always its first picture, which a toggle exchanges with the second.
    ImageStrip* yesNo = AddButton("yesno", 37, 486, "..\\yesno.bmp");
    yesNo->SetStatic(1);
    yesNo->SetTrackDirty(1);
    for (int i = 0; i < PLAYER_FIELD_COUNT; ++i) {
        auto field = std::make_unique<TextField>();
        field->SetCapacity(sizeof(PlayerRecord::name));
        field->AddFont(entryFont.get());
        field->AddFont(plainFont.get());
        const PlayerFieldBox& box = PLAYER_FIELDS[i];
        field->SetRect(box.x, box.y, box.width, box.height);
        field->SetOrigin(left, top);
        field->SetCursorImage("..\\blockcursor.bmp");
        field->SetSelectMode(0);
        field->SetShowCursor(1);
        fields[i] = std::move(field);
    }
    fields[0]->SetActive(1);
    sendFlag = 1;
}

void PlayersScreen::SetPosition(int newX, int newY) {
    PopupScreen::SetPosition(newX, newY);
    for (auto& field : fields) {
        if (field)
            field->SetOrigin(left, top);
    }
}

void PlayersScreen::Edit(PlayerRecord* edited) {
    record = edited;
    if (!record)
        return;
    fields[0]->SetText(record->name);
    fields[1]->SetText(record->address);
    fields[2]->SetText(record->email);
    ImageStrip* yesNo = strips->FindByName("yesno");
    if (!yesNo)
        return;
    if (std::strcmp(record->send, "N") != 0) {
        sendFlag = 1;
    } else {
        yesNo->SwapFrames();
        sendFlag = 0;
    }
}

int PlayersScreen::OnFrame(int mouseX, int mouseY, int buttons) {
    if (buttons != previousButtons && (buttons & 1)) {
        bool anyActive = false;
        for (auto& field : fields)
            anyActive = field->Click(mouseX, mouseY) || anyActive;
        if (!anyActive)
            fields[0]->SetActive(1);
    }
    previousButtons = buttons;
    if (strips->WasNamedClicked("back")) {
        SetResult("back");
    } else if (strips->WasNamedClicked("remove")) {
        NoteSettingsSaved(playerList.ResetRecord(playerList.Current()));
        SetResult("remove");
    } else if (strips->WasNamedClicked("enter")) {
        TakeFieldsOver();
        SetResult("play");
    } else if (strips->WasNamedClicked("yesno")) {
        strips->FindByName("yesno")->SwapFrames();
        sendFlag = 1 - sendFlag;
    }
    MoveBetweenFields();
    DrawFields();
    return 1;
}

void PlayersScreen::TakeFieldsOver() {
    if (!record)
        return;
    records::CopyField(record->name, fields[0]->Text());
    records::CopyField(record->address, fields[1]->Text());
    records::CopyField(record->email, fields[2]->Text());
    if (strips->FindByName("yesno"))
        records::CopyField(record->send, sendFlag ? "Y" : "N");
}

void PlayersScreen::MoveBetweenFields() {
    for (int i = 0; i < PLAYER_FIELD_COUNT; ++i) {
        const int key = fields[i]->ProcessKeys();
        if (key != KEY_TAB && key != KEY_ENTER)
            continue;
        // Activating the next field drops whatever was typed after the Tab or Enter.
        fields[i]->SetActive(0);
        fields[(i + 1) % PLAYER_FIELD_COUNT]->SetActive(1);
    }
}

void PlayersScreen::DrawFields() {
    Surface* back = dirtyRects.BackSurface();
    for (int i = 0; i < PLAYER_FIELD_COUNT; ++i) {
        fields[i]->Draw(back);
        const PlayerFieldBox& box = PLAYER_FIELDS[i];
        dirtyRects.AddRectFlags(left + box.x, top + box.y, box.width, box.height, DIRTY_ONE_SHOT,
                                DIRTY_FROM_TARGET);
    }
}

void PlayersScreen::Leave() {
    PopupScreen::Leave();
    FreeFields();
}

void PlayersScreen::FreeFields() {
    for (auto& field : fields)
        field.reset();
    plainFont.reset();
    entryFont.reset();
}
