#include "menu/game_pages_screen.h"

#include <cstdio>
#include <cstring>

#include "core/timer_service.h"
#include "gfx/dirty_rect_list.h"
#include "gfx/strip_group.h"
#include "menu/run_panel.h"
#include "menu/suite_addresses.h"
#include "menu/title_screen.h"
#include "platform/files.h"
#include "screens/popup_screen.h"
#include "screens/screen_manager.h"

GamePagesScreen gamePagesScreen;

namespace {

constexpr int SLOT_COLUMNS = 3;
constexpr int SLOT_X[SLOT_COLUMNS] = {14, 271, 528};
constexpr int SLOT_Y[GAME_SLOTS / SLOT_COLUMNS] = {140, 247, 355, 461};
constexpr int PAGE_NUMBER_RIGHT = 716;
constexpr int PAGE_NUMBER_Y = 30;
constexpr int PAGE_DIGITS = 10;

// "button1" ... "button12" for slots 0 ... 11.
struct SlotName {
    explicit SlotName(int k) { std::snprintf(text, sizeof text, "button%d", k + 1); }
    char text[16];
};

int SlotX(int k) {
    return SLOT_X[k % SLOT_COLUMNS];
}
int SlotY(int k) {
    return SLOT_Y[k / SLOT_COLUMNS];
}

} // namespace

GamePagesScreen::GamePagesScreen() {
    SetName("Lumora");
}

void GamePagesScreen::Enter(plat::Display* dd, Surface* back) {
    Screen::Enter(dd, back);
    SetUpStillPicture("background.bmp");
    AddButton("left", 638, 19, "PageArrowsLeft.bmp");
    AddButton("right", 739, 19, "PageArrowsRight.bmp");
    AddButton("help", 637, 89, "Info.bmp");
    AddButton("exit", 718, 89, "SmallExit.bmp");
    for (int k = 0; k < GAME_SLOTS; ++k)
        AddButton(SlotName(k).text, SlotX(k), SlotY(k), "GameButton.bmp", 3)->SetActive(0);
    StopCountdown();
    pageDigits = std::make_unique<Sprite>();
    pageDigits->LoadStrip("PageNumbers.bmp", PAGE_DIGITS, 0);
    page = 0;
    count = games.Scan();
    collectMarker.reset();
    if (count < GAME_SLOTS) {
        collectMarker = std::make_unique<Sprite>();
        collectMarker->AddFrameFromFile("CollectButton.bmp");
        collectMarker->SetPosition(SlotX(count), SlotY(count));
    }
    ActivateSlots();
}

void GamePagesScreen::Leave() {
    Screen::Leave();
    pageDigits.reset();
    collectMarker.reset();
}

void GamePagesScreen::ActivateSlots() {
    for (int k = 0; k < GAME_SLOTS; ++k) {
        const int i = page * GAME_SLOTS + k;
        const bool shown = i < count || (collectMarker && i == count);
        if (ImageStrip* slot = strips->FindByName(SlotName(k).text))
            slot->SetActive(shown ? 1 : 0);
    }
}

int GamePagesScreen::Update(int) {
    UpdateStrips();
    if (strips->WasNamedClicked("exit"))
        return UPDATE_QUIT;
    if (strips->WasNamedClicked("help"))
        return ShowInformation() ? 1 : UPDATE_QUIT;
    const bool left = strips->WasNamedClicked("left");
    const bool right = strips->WasNamedClicked("right");
    if (left || right) {
        if (left && page > 0)
            --page;
        // Only from a full page: with exactly 12 games an empty page can be reached.
        if (right && count >= (page + 1) * GAME_SLOTS)
            ++page;
        ActivateSlots();
        dirtyRects.AddWholeTarget();
    }
    for (int k = 0; k < GAME_SLOTS; ++k) {
        if (!strips->WasNamedClicked(SlotName(k).text))
            continue;
        const int i = page * GAME_SLOTS + k;
        if (i >= count)
            plat::OpenAddress(ReadSuiteWebsite("setup.ini").c_str());
        else
            OpenGame(games.Get(i));
        return 1;
    }
    return Present() ? 1 : 0;
}

int GamePagesScreen::ShowInformation() {
    PopupScreen popup;
    popup.AddBackground("infoscreen.bmp", nullptr);
    popup.AddButton("back", 689, 370, "backbutton.bmp");
    return RunPanel(popup);
}

void GamePagesScreen::OpenGame(GameRecord* game) {
    titleScreen.SetGame(game);
    screenManager.SwitchTo("title");
}

void GamePagesScreen::SelectByProgram(const char* argument) {
    if (!argument || !*argument)
        return;
    if (GameRecord* game = games.FindByProgram(argument))
        OpenGame(game);
}

void GamePagesScreen::DrawPageNumber(Surface* target) {
    if (!pageDigits)
        return;
    char text[16];
    const int length = std::snprintf(text, sizeof text, "%d", page + 1);
    const int digitWidth = pageDigits->width / PAGE_DIGITS;
    int x = PAGE_NUMBER_RIGHT - digitWidth * length;
    for (const char* c = text; *c; ++c) {
        pageDigits->SetFrame(*c - '0');
        pageDigits->SetPosition(x, PAGE_NUMBER_Y);
        pageDigits->Draw(target);
        x += digitWidth;
    }
}

int GamePagesScreen::Present() {
    // Page number, icons and marker go into the still picture, where they stay until a page
    // change wipes it; they reach the screen through the restored rectangles.
    Surface* target = dirtyRects.GetTarget();
    DrawPageNumber(target);
    for (int k = 0; k < GAME_SLOTS; ++k) {
        const int i = page * GAME_SLOTS + k;
        if (i >= count)
            break;
        Sprite* icon = games.Get(i)->icon.get();
        icon->SetPosition(SlotX(k), SlotY(k));
        icon->Draw(target);
    }
    if (collectMarker && page * GAME_SLOTS <= count && count < (page + 1) * GAME_SLOTS)
        collectMarker->Draw(target);
    strips->DrawAll();
    return Screen::Present();
}
