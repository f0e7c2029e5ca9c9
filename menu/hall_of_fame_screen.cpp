#include "menu/hall_of_fame_screen.h"

#include <cstdio>
#include <cstring>

#include "gfx/dirty_rect_list.h"
#include "gfx/strip_group.h"
#include "menu/panel_font.h"
#include "menu/score_upload.h"
#include "platform/files.h"
#include "platform/message_box.h"

namespace {

constexpr char TABLE_FILE[] = "hiscore.dat";
constexpr int ROWS = 10; // a column's rows
constexpr int ROW_Y = 275;
constexpr int ROW_PITCH = 26;
constexpr int NAME_X[2] = {56, 387};
constexpr int SCORE_X[2] = {256, 587};
constexpr int SHOWN_NAME_LENGTH = 63;
constexpr int NAME_TO_SCORE_GAP = 8; // a long name stops short of its score

} // namespace

HallOfFameScreen::~HallOfFameScreen() {
    Free();
}

void HallOfFameScreen::Init() {
    Screen::Init();
    blackFont = LoadPanelFont("..\\HallBlackFont.bmp", 1);
    purpleFont = LoadPanelFont("..\\HallPurpleFont.bmp", 1);
    AddBackground("..\\HallOfFameScreen.bmp", nullptr);
    AddButton("upload", 552, 88, "..\\UploadButton.bmp");
    AddButton("clear", 552, 149, "..\\ClearScores.bmp");
    AddButton("back", 595, 220, "..\\backbutton.bmp");
    AddDefaultStrip(); // a press elsewhere on the panel, ignored
    table = std::make_unique<HighScoreTable>();
    table->Allocate(HIGH_SCORE_ENTRIES);
    table->Load(TABLE_FILE); // a missing or foreign file leaves the empty table
}

void HallOfFameScreen::SetUpload(const char* gameName, const std::string& serverBase) {
    game = gameName ? gameName : "";
    scoreServer = serverBase;
}

int HallOfFameScreen::CheckDone() {
    if (strips->WasNamedClicked("upload")) {
        Upload();
    } else if (strips->WasNamedClicked("clear")) {
        table->Allocate(HIGH_SCORE_ENTRIES);
        if (!table->Save(TABLE_FILE))
            plat::ShowMessageBox("The Hall of Fame could not be cleared: its file hiscore.dat "
                                 "cannot be written.",
                                 "Lumora");
        SetResult("clear");
    } else if (strips->WasNamedClicked("back")) {
        SetResult("back");
    }
    DrawTable(dirtyRects.GetTarget());
    return 1;
}

void HallOfFameScreen::Upload() {
    // The player's browser sends it; the table stays as it is.
    const HighScoreEntry& best = table->Entry(0);
    const std::string address =
        BuildScoreUploadAddress(scoreServer.c_str(), game.c_str(), best.name, best.score);
    plat::OpenAddress(address.c_str());
}

void HallOfFameScreen::DrawTable(Surface* target) {
    for (int i = 0; i < table->Count(); ++i) {
        const HighScoreEntry& entry = table->Entry(i);
        if (!entry.name[0])
            continue;
        const int column = i / ROWS, row = i % ROWS;
        if (column > 1)
            break;
        const BitmapFont& font = row % 2 == 0 ? *purpleFont : *blackFont;
        const int y = ROW_Y + ROW_PITCH * row;
        // The player string's name part: up to its first ":".
        char name[SHOWN_NAME_LENGTH + 1];
        const size_t length = std::strcspn(entry.name, ":");
        std::snprintf(name, sizeof name, "%.*s", static_cast<int>(length), entry.name);
        font.DrawText(target, name, NAME_X[column], y, ALIGN_LEFT,
                      SCORE_X[column] - NAME_TO_SCORE_GAP);
        char score[16];
        std::snprintf(score, sizeof score, "%d", static_cast<int>(entry.score));
        font.DrawText(target, score, SCORE_X[column], y, ALIGN_LEFT, -1);
    }
}

void HallOfFameScreen::Leave() {
    PopupScreen::Leave();
    Free();
}

void HallOfFameScreen::Free() {
    table.reset();
    blackFont.reset();
    purpleFont.reset();
}
