#pragma once
// The card game on the null backend: a game folder of pictures in plain colours (every card its
// own), time that passes only while the game waits or presents a frame (10 ms each), the mouse
// driven by the test, and the panels each presented frame showed, in order.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "game/card_game.h"
#include "game/game_screen.h"
#include "game/pause.h"
#include "platform/display.h"
#include "platform/window_internal.h"
#include "shell/app_state.h"
#include "shell/main_window.h"
#include "support/bmp_file.h"
#include "support/null_display.h"

namespace gametest {
using testing_support::Rgb;

constexpr int C(int rank, int suit) {
    return rank * 4 + suit;
}
inline Rgb CardColour(int card) {
    return {uint8_t(8 * (card % 31 + 1)), uint8_t(card < 31 ? 40 : 80), 16};
}
inline Rgb DigitColour(int digit) {
    return {uint8_t(200 + 4 * digit), 200, 200};
}
inline Rgb FloatingColour(int step) {
    return {200, uint8_t(40 + 8 * step), 120};
}
inline Rgb CrownColour(int suit) {
    return {120, 120, uint8_t(40 + 48 * suit)};
}
constexpr Rgb kTable{0, 96, 0}, kCellBlue{0, 0, 200}, kCellRed{200, 0, 0};
const struct Panel {
    const char* file;
    int width, height;
    Rgb colour;
} kPanels[] = {{"gameover1.bmp", 420, 180, {248, 0, 248}},
               {"gameover2.bmp", 420, 180, {0, 248, 248}},
               {"congrats.bmp", 404, 322, {248, 128, 0}},
               {"hallfamepop.bmp", 420, 180, {128, 0, 248}},
               {"title/HowToPlay.bmp", 694, 564, {240, 240, 240}}};
inline int Pixel(Rgb c) {
    return ((c.r >> 3) << 11) | ((c.g >> 2) << 5) | (c.b >> 3);
}

// A suite folder holding a complete game folder, made once per test program.
inline const std::filesystem::path& SuiteFolder() {
    static testing_support::TempDir* root = [] {
        auto* dir = new testing_support::TempDir;
        const auto game = dir->path() / "Kestrin";
        std::filesystem::create_directories(game / "title");
        auto write = [&](const char* name, int w, int h, std::function<Rgb(int, int)> colourAt) {
            testing_support::WriteBytes((game / name).string(),
                                        testing_support::BmpBytes(w, h, colourAt));
        };
        auto solid = [](Rgb c) { return [c](int, int) { return c; }; };
        write("background.bmp", 800, 600, solid(kTable));
        write("cardset.bmp", 910, 360, [](int x, int y) { return CardColour(C(x / 70, y / 90)); });
        write("cardhilite.bmp", 74, 94, [](int x, int y) { // a frame around a card
            return x < 2 || y < 2 || x >= 72 || y >= 92 ? Rgb{248, 248, 0} : Rgb{0, 0, 255};
        });
        write("cardshadow.bmp", 70, 90, solid({40, 40, 40}));
        write("kings1.bmp", 280, 90, [](int x, int) { return CrownColour(x / 70); });
        write("timerblue.bmp", 8, 10, solid(kCellBlue));
        write("timerred.bmp", 8, 10, solid(kCellRed));
        write("scorefont.bmp", 140, 22, [](int x, int) { return DigitColour(x / 14); });
        write("floatingscores.bmp", 1040, 24, [](int x, int) { return FloatingColour(x / 80); });
        for (const char* button : {"newgame.bmp", "help.bmp", "menu.bmp", "exit.bmp"})
            write(button, 120, 46, solid({16, 32, 48}));
        for (const Panel& panel : kPanels)
            write(panel.file, panel.width, panel.height, solid(panel.colour));
        return dir;
    }();
    return root->path();
}

inline std::vector<std::string> panelsShown;
inline std::function<void()> eachFlip; // what a test wants done at every presented frame
inline void OnFlip() {
    const int centre = GetPixelValue(plat::PrimarySurface(), 400, 300);
    for (const Panel& panel : kPanels)
        if (centre == Pixel(panel.colour) &&
            (panelsShown.empty() || panelsShown.back() != panel.file))
            panelsShown.push_back(panel.file);
    TimerEvent();
    if (eachFlip)
        eachFlip();
}
inline void AdvanceClock(int ms) {
    for (int t = 0; t < ms; t += 10)
        TimerEvent();
}

class GameTest : public testing_support::NullDisplayTest {
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
        SetPauseSleeper(AdvanceClock);
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
    static void Tap(int x, int y) { // pressed and released before the next frame
        mouseCursor.SetPosition(x, y);
        PressLeft();
        ReleaseLeft();
    }
    static void TapColumn(int c) {
        Tap(board.columns[c][board.TopRow(c)].x + 35, board.columns[c][board.TopRow(c)].y + 45);
    }
    // A button is pressed by the frame that sees the tap down and clicked by the next one.
    static int ClickButton(int x, int y) {
        Tap(x, y);
        const int pressed = Frame();
        return pressed == 1 ? Frame() : pressed;
    }
    static void StartGame() {
        ASSERT_EQ(ClickButton(40, 490), 1); // "newgame"
        ASSERT_EQ(cardGame.GetState(), GAME_PLAYING);
    }
    static void ClearTable() {
        for (int slot = 0; slot < 0x500; ++slot)
            if (CardSlot* s = board.SlotRecord(slot))
                s->card = NO_CARD;
    }
    static int TargetPixel(int x, int y) { return GetPixelValue(dirtyRects.GetTarget(), x, y); }

    testing_support::CurrentDirGuard guard;
};

} // namespace gametest
