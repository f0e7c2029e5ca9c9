#pragma once
// The card game on the null backend: a game folder of pictures in plain colours (every card its
// own), time that passes only while the game waits or presents a frame (10 ms each), the mouse
// driven by the test, and the panels each presented frame showed, in order. Also the names of
// cards and places the rules' tests lay tables with.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "game/card_game.h"
#include "game/game_screen.h"
#include "game/pause.h"
#include "platform/display.h"
#include "platform/window_internal.h"
#include "shell/app_state.h"
#include "shell/main_window.h"
#include "support/colour_pictures.h"
#include "support/null_display.h"

namespace gametest {
using namespace testing_support;

constexpr int Two = 0, Three = 1, Four = 2, Five = 3, Six = 4, Seven = 5, Queen = 10;
constexpr int King = RANK_KING, Ace = RANK_ACE;
inline constexpr auto C = [](int rank, int suit) { return rank * 4 + suit; };
inline constexpr auto Col = [](int column, int row) { return ColumnSlot(column, row); };
inline constexpr auto Cell = [](int i) { return SLOT_FREECELL | i; };
inline constexpr auto Found = [](int i) { return SLOT_FOUNDATION | i; };
using Places = std::vector<std::pair<int, int>>; // place, card

// Empties the table, then lays the cards given.
inline void Lay(Board& table, const Places& places) {
    for (int slot = 0; slot < 0x500; ++slot)
        if (CardSlot* s = table.SlotRecord(slot))
            s->card = NO_CARD;
    for (const auto& [slot, card] : places)
        table.SlotRecord(slot)->card = card;
}

// Each digit in a colour of its own, so the score shown can be read by its colour.
inline const auto DigitColour = [](int digit) { return Rgb{uint8_t(200 + 4 * digit), 200, 200}; };
constexpr Rgb kTable{0, 96, 0}, kCellBlue{0, 0, 200};
const struct Panel {
    const char* file;
    int width, height;
    Rgb colour;
} kPanels[] = {{"gameover1.bmp", 420, 180, {248, 0, 248}},
               {"gameover2.bmp", 420, 180, {0, 248, 248}},
               {"congrats.bmp", 404, 322, {248, 128, 0}},
               {"hallfamepop.bmp", 420, 180, {128, 0, 248}},
               {"title/HowToPlay.bmp", 694, 564, {240, 240, 240}}};

// A suite folder holding a complete game folder, made once per test program.
inline const std::filesystem::path& SuiteFolder() {
    static TempDir* root = [] {
        auto* dir = new TempDir;
        const auto game = dir->path() / "Kestrin";
        std::filesystem::create_directories(game / "title");
        const std::pair<const char*, std::string> pictures[] = {
            {"background.bmp", SolidBmp(800, 600, kTable)},
            {"cardset.bmp", SolidBmp(910, 360, {200, 40, 16})},
            {"cardhilite.bmp", SolidBmp(74, 94, {0, 0, 255})},
            {"cardshadow.bmp", SolidBmp(70, 90, {40, 40, 40})},
            {"kings1.bmp", SolidBmp(280, 90, {120, 120, 40})},
            {"timerblue.bmp", SolidBmp(8, 10, kCellBlue)},
            {"timerred.bmp", SolidBmp(8, 10, {200, 0, 0})},
            {"scorefont.bmp", StripBmp(14, 22, 10, DigitColour)},
            {"floatingscores.bmp", SolidBmp(80 * 13, 24, {200, 40, 120})}};
        for (const auto& [name, bytes] : pictures)
            WriteBytes((game / name).string(), bytes);
        for (const char* button : {"newgame.bmp", "help.bmp", "menu.bmp", "exit.bmp"})
            WriteBytes((game / button).string(), SolidBmp(120, 46, {16, 32, 48}));
        for (const Panel& panel : kPanels)
            WriteBytes((game / panel.file).string(),
                       SolidBmp(panel.width, panel.height, panel.colour));
        return dir;
    }();
    return root->path();
}

inline std::string panelsShown;        // each panel's file and a space, in the order they showed
inline std::function<void()> eachFlip; // what a test wants done at every presented frame
inline void OnFlip() {
    const int centre = GetPixelValue(plat::PrimarySurface(), 400, 300);
    for (const Panel& panel : kPanels)
        if (centre == Rgb565(panel.colour) && !panelsShown.ends_with(panel.file + std::string(" ")))
            panelsShown += panel.file + std::string(" ");
    TimerEvent();
    if (eachFlip)
        eachFlip();
}

class GameTest : public NullDisplayTest {
  public:
    void SetUp() override {
        NullDisplayTest::SetUp();
        std::filesystem::current_path(SuiteFolder() / "Kestrin");
        for (const char* file : {"hiscore.dat", "setup.ini", "../options.ini"})
            std::filesystem::remove(file);
        appState = AppState{};
        // One window for all tests (the layer never frees one), with the program's window
        // procedure, through which mouse moves reach the mouse state.
        static plat::Window* window = [] {
            plat::RegisterWindowClass("game test", WindowProc);
            return plat::CreateMainWindow({"game test", "Kestrin", 0, 0, 800, 600, false});
        }();
        appState.hwnd = window;
        appState.active = 1;
        SetPauseSleeper(Wait);
        plat::null::SetFlipHook(OnFlip);
        panelsShown.clear();
        eachFlip = nullptr;
        gameScreen.Enter(nullptr, Back());
    }
    void TearDown() override {
        gameScreen.Leave();
        cardGame.Release();
        SetPauseSleeper(nullptr);
        eachFlip = nullptr;
        for (plat::Message m; plat::PeekMessage(&m);) {
        }
        NullDisplayTest::TearDown();
    }

    static int Frame() { return gameScreen.Update(1); }
    static void TapColumn(int c) {
        Tap(board.columns[c][board.TopRow(c)].x + 35, board.columns[c][board.TopRow(c)].y + 45);
    }
    // A button is pressed by the frame that sees the tap down and clicked by the next one.
    static int ClickButton(int x, int y) {
        Tap(x, y);
        const int pressed = Frame();
        return pressed == 1 ? Frame() : pressed;
    }
    static void StartGame() { ASSERT_EQ(ClickButton(40, 490), 1); } // "newgame"
    // A game as "newgame" starts it, without the deal's animation.
    static void Play() {
        cardGame.NewGame();
        cardGame.BeginPlay();
        StartCountdown();
    }
    static int TargetPixel(int x, int y) { return GetPixelValue(dirtyRects.GetTarget(), x, y); }

    CurrentDirGuard guard;
};

} // namespace gametest
