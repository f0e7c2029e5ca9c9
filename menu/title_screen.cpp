#include "menu/title_screen.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "gfx/dirty_rect_list.h"
#include "gfx/strip_group.h"
#include "menu/hall_of_fame_screen.h"
#include "menu/players_screen.h"
#include "menu/run_panel.h"
#include "menu/settings_notice.h"
#include "menu/suite_addresses.h"
#include "platform/files.h"
#include "platform/message_box.h"
#include "platform/profile.h"
#include "screens/screen_manager.h"

TitleScreen titleScreen;

namespace {

constexpr char OPTIONS_PATH[] = "..\\options.ini";
constexpr char SUITE_SETUP_PATH[] = "..\\setup.ini";
constexpr int PANEL_X = 53, PANEL_Y = 18; // where the title screen's pop-ups sit
constexpr int SLOT_CAPACITY = 64;

// The title screen shows a player by the first word of the name.
struct FirstWord {
    explicit FirstWord(const char* name) {
        std::snprintf(text, sizeof text, "%.*s", static_cast<int>(std::strcspn(name, " ")), name);
    }
    char text[sizeof(PlayerRecord::name)];
};

} // namespace

TitleScreen::TitleScreen() {
    SetName("title");
}

void TitleScreen::Enter(plat::Display* dd, Surface* back) {
    inGameFolder = game && plat::SetCurrentDir(game->folder);
    Screen::Enter(dd, back);
    if (!inGameFolder) {
        // The pages screen's pictures are gone: keep nothing of them.
        dirtyRects.SetTarget(nullptr);
        dirtyRects.SetBackground(nullptr);
        return;
    }
    SetUpStillPicture(".\\title\\titlebackground.bmp");
    AddButton("HowToPlay", 52, 296, "..\\HowToPlayButton.bmp");
    AddButton("Play", 636, 296, "..\\PlayButton.bmp");
    AddButton("HighScores", 52, 365, "..\\HighScoresButton.bmp");
    AddButton("Menu", 636, 365, "..\\MenuButton.bmp");
    AddButton("Credits", 52, 435, "..\\CreditsButton.bmp");
    AddButton("Exit", 636, 435, "..\\ExitButton.bmp");
    AddButton("Players", 280, 318, "..\\PlayersButton.bmp");
    // The switches always show their first picture; a switch exchanges the two.
    AddButton("SFX", 52, 505, "..\\sfx.bmp")->SetStatic(1);
    AddButton("Music", 106, 505, "..\\music.bmp")->SetStatic(1);
    sfxOn = ReadSwitch("SFX");
    musicOn = ReadSwitch("Music");
    nameFont = std::make_unique<BitmapFont>();
    nameFont->LoadFont("..\\n_font.bmp");
    highlightFont = std::make_unique<BitmapFont>();
    highlightFont->LoadFont("..\\h_font.bmp");
    CreateNameSlots();
    playerList.SetPath(OPTIONS_PATH);
    currentPlayer = playerList.ReadCurrent();
    for (int i = 0; i < MAX_PLAYERS; ++i)
        playerList.ReadRecord(i);
    ShowPlayerNames();
    plat::SetCurrentDir(game->folder);
}

int TitleScreen::ReadSwitch(const char* key) {
    char value[10];
    plat::GetProfileString("setup", key, "Y", value, sizeof value, OPTIONS_PATH);
    if (value[0] != 'N')
        return 1;
    strips->FindByName(key)->SwapFrames();
    return 0;
}

void TitleScreen::CreateNameSlots() {
    for (int i = 0; i < MAX_PLAYERS; ++i) {
        auto slot = std::make_unique<TextField>();
        slot->SetCapacity(SLOT_CAPACITY);
        slot->AddFont(nameFont.get());
        slot->AddFont(highlightFont.get());
        const NameSlotBox& box = NAME_SLOTS[i];
        slot->SetRect(box.x, box.y, box.width, box.height);
        slot->SetCursorImage("..\\blockcursor.bmp");
        slot->SetSelectMode(1);
        slot->SetShowCursor(0);
        nameSlots[i] = std::move(slot);
    }
}

void TitleScreen::ShowPlayerNames() {
    for (int i = 0; i < MAX_PLAYERS; ++i)
        nameSlots[i]->SetText(FirstWord(playerList.Record(i).name).text);
}

void TitleScreen::Leave() {
    Screen::Leave();
    for (auto& slot : nameSlots)
        slot.reset();
    nameFont.reset();
    highlightFont.reset();
}

int TitleScreen::Update(int) {
    if (!inGameFolder) {
        std::string text = std::string("The game's folder \"") + (game ? game->folder : "") +
                           "\" cannot be opened.";
        plat::ShowMessageBox(text.c_str(), "Lumora");
        screenManager.SwitchTo("Lumora");
        return 1;
    }
    int x = 0, y = 0, buttons = 0;
    UpdateStrips(&x, &y, &buttons);
    if (buttons != previousButtons && (buttons & 1))
        PickPlayer(x, y);
    previousButtons = buttons;
    DrawNameSlots();
    if (strips->WasNamedClicked("SFX"))
        ToggleSwitch("SFX", &sfxOn);
    if (strips->WasNamedClicked("Music"))
        ToggleSwitch("Music", &musicOn);
    if (strips->WasNamedClicked("Credits") && !ShowPicture(".\\title\\Credits.bmp"))
        return UPDATE_QUIT;
    if (strips->WasNamedClicked("HowToPlay") && !ShowPicture(".\\title\\HowToPlay.bmp"))
        return UPDATE_QUIT;
    if (strips->WasNamedClicked("HighScores") && !ShowHallOfFame())
        return UPDATE_QUIT;
    if (strips->WasNamedClicked("Players") && !ShowPlayers())
        return UPDATE_QUIT;
    if (strips->WasNamedClicked("Play")) {
        if (StartGame())
            return UPDATE_QUIT; // the menu ends as the game starts
    } else if (strips->WasNamedClicked("Menu")) {
        plat::SetCurrentDir("..");
        screenManager.SwitchTo("Lumora");
        return 1;
    } else if (strips->WasNamedClicked("Exit")) {
        return UPDATE_QUIT;
    }
    return Present() ? 1 : 0;
}

void TitleScreen::PickPlayer(int mouseX, int mouseY) {
    for (int i = 0; i < MAX_PLAYERS; ++i) {
        nameSlots[i]->Click(mouseX, mouseY);
        if (nameSlots[i]->IsSelected()) {
            currentPlayer = i;
            NoteSettingsSaved(playerList.WriteCurrent(i));
        }
    }
}

void TitleScreen::DrawNameSlots() {
    // The current player stays highlighted after a click beside every slot.
    nameSlots[currentPlayer]->SetSelected(1);
    for (int i = 0; i < MAX_PLAYERS; ++i) {
        nameSlots[i]->Draw(backSurface);
        const NameSlotBox& box = NAME_SLOTS[i];
        dirtyRects.AddRectFlags(box.x, box.y, box.width, box.height, DIRTY_ONE_SHOT,
                                DIRTY_FROM_TARGET);
    }
}

void TitleScreen::ToggleSwitch(const char* key, int* state) {
    strips->FindByName(key)->SwapFrames();
    *state = 1 - *state;
    NoteSettingsSaved(plat::WriteProfileString("setup", key, *state ? "Y" : "N", OPTIONS_PATH));
}

int TitleScreen::ShowPicture(const char* fileName) {
    PopupScreen popup;
    popup.AddBackground(fileName, nullptr);
    popup.AddDefaultStrip();
    popup.SetPosition(PANEL_X, PANEL_Y);
    return RunPanel(popup);
}

int TitleScreen::ShowHallOfFame() {
    HallOfFameScreen hall;
    hall.Init();
    hall.SetPosition(PANEL_X, PANEL_Y);
    hall.SetUpload(game->name, ReadScoreServer(SUITE_SETUP_PATH));
    return RunPanel(hall);
}

int TitleScreen::ShowPlayers() {
    playerList.SetPath(OPTIONS_PATH);
    PlayersScreen players;
    players.Init();
    players.SetPosition(PANEL_X, PANEL_Y);
    players.Edit(&playerList.Record(currentPlayer));
    if (!RunPanel(players))
        return 0;
    // Whatever closed it, every slot goes back to the file.
    bool saved = true;
    for (int i = 0; i < MAX_PLAYERS; ++i)
        saved = playerList.WriteRecord(i, playerList.Record(i)) && saved;
    NoteSettingsSaved(saved);
    ShowPlayerNames();
    return 1;
}

int TitleScreen::StartGame() {
    plat::SetCurrentDir("..");
    const std::string suite = CurrentFolder();
    const std::string program = std::string(game->folder) + "/" + game->programFile;
    if (!suite.empty() && plat::StartProgram(program.c_str(), suite.c_str(), game->folder))
        return 1;
    plat::SetCurrentDir(game->folder);
    const std::string text = std::string(game->name) + " cannot be started: its program \"" +
                             program + "\" is missing or cannot be run.";
    plat::ShowMessageBox(text.c_str(), "Lumora");
    return 0;
}

int TitleScreen::Present() {
    strips->DrawAll();
    return Screen::Present();
}
