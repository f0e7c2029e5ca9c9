#pragma once
// The card game on the null backend: a game folder of small pictures in plain colours (every
// card its own colour), time that passes only when the game waits or presents a frame (10 ms
// each), and the mouse driven by the test. The flip hook also notes which end panel each
// presented frame showed, so a test can tell what the player saw and in which order.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "core/mouse_cursor.h"
#include "core/timer_service.h"
#include "game/board.h"
#include "game/card_game.h"
#include "game/game_screen.h"
#include "game/pause.h"
#include "gfx/dirty_rect_list.h"
#include "platform/display.h"
#include "platform/input.h"
#include "platform/null_backend.h"
#include "platform/surface.h"
#include "platform/window.h"
#include "platform/window_internal.h"
#include "shell/app_state.h"
#include "shell/main_window.h"
#include "support/bmp_file.h"
#include "support/null_display.h"
#include "support/temp_dir.h"

namespace gametest {
using testing_support::Rgb;

constexpr int Card(int rank, int suit) {
    return rank * 4 + suit;
}

inline Rgb CardColour(int card) {
    return Rgb{uint8_t(8 * (card % 31 + 1)), uint8_t(card < 31 ? 40 : 80), 16};
}
constexpr Rgb kTable{0, 96, 0};
constexpr Rgb kShadow{40, 40, 40};
constexpr Rgb kHighlight{248, 248, 0};
constexpr Rgb kCellBlue{0, 0, 200};
constexpr Rgb kCellRed{200, 0, 0};
constexpr Rgb kButton{16, 32, 48};
constexpr Rgb kButtonLit{48, 32, 16};
inline Rgb DigitColour(int digit) {
    return Rgb{uint8_t(200 + 4 * digit), 200, 200};
}
inline Rgb FloatingColour(int step) {
    return Rgb{200, uint8_t(40 + 8 * step), 120};
}
inline Rgb CrownColour(int suit) {
    return Rgb{120, 120, uint8_t(40 + 48 * suit)};
}
struct Panel {
    const char* file;
    int width, height;
    Rgb colour;
};
const Panel kPanels[] = {
    {"gameover1.bmp", 420, 180, {248, 0, 248}},
    {"gameover2.bmp", 420, 180, {0, 248, 248}},
    {"congrats.bmp", 404, 322, {248, 128, 0}},
    {"hallfamepop.bmp", 420, 180, {128, 0, 248}},
    {"title/HowToPlay.bmp", 694, 564, {240, 240, 240}},
};

inline uint16_t Pixel(Rgb c) {
    return uint16_t(((c.r >> 3) << 11) | ((c.g >> 2) << 5) | (c.b >> 3));
}

// A suite folder with a complete game folder, made once per test program.
inline const std::filesystem::path& SuiteFolder() {
    static testing_support::TempDir* root = [] {
        using testing_support::WriteSolidBmp;
        auto* dir = new testing_support::TempDir;
        const auto game = dir->path() / "Kestrin";
        std::filesystem::create_directories(game / "title");
        auto at = [&](const char* name) { return (game / name).string(); };
        auto write = [&](const char* name, int w, int h, auto colourAt) {
            testing_support::WriteBytes(at(name), testing_support::BmpBytes(w, h, colourAt));
        };
        WriteSolidBmp(at("background.bmp"), 800, 600, kTable);
        write("cardset.bmp", 910, 360, [](int x, int y) {
            const int rank = x / 70, suit = y / 90;
            return CardColour(Card(rank, suit));
        });
        write("cardhilite.bmp", 74, 94, [](int x, int y) {
            const bool edge = x < 2 || y < 2 || x >= 72 || y >= 92;
            return edge ? kHighlight : Rgb{0, 0, 255};
        });
        WriteSolidBmp(at("cardshadow.bmp"), 70, 90, kShadow);
        write("kings1.bmp", 280, 90, [](int x, int y) {
            return y < 30 ? CrownColour(x / 70) : Rgb{0, 0, 255};
        });
        WriteSolidBmp(at("timerblue.bmp"), 8, 10, kCellBlue);
        WriteSolidBmp(at("timerred.bmp"), 8, 10, kCellRed);
        write("scorefont.bmp", 140, 22, [](int x, int) { return DigitColour(x / 14); });
        write("floatingscores.bmp", 80 * 13, 24, [](int x, int) { return FloatingColour(x / 80); });
        for (const char* button : {"newgame.bmp", "help.bmp", "menu.bmp", "exit.bmp"})
            write(button, 120, 46, [](int x, int) { return x < 60 ? kButton : kButtonLit; });
        for (const Panel& panel : kPanels)
            WriteSolidBmp(at(panel.file), panel.width, panel.height, panel.colour);
        return dir;
    }();
    return root->path();
}

// Every end panel presented, in order (the colour at the screen's centre names it).
inline std::vector<std::string>& PanelsShown() {
    static std::vector<std::string> shown;
    return shown;
}

inline void OnFlip() {
    const int centre = GetPixelValue(plat::PrimarySurface(), 400, 300);
    for (const Panel& panel : kPanels) {
        if (centre != Pixel(panel.colour))
            continue;
        if (PanelsShown().empty() || PanelsShown().back() != panel.file)
            PanelsShown().push_back(panel.file);
    }
    TimerEvent();
}

inline void AdvanceClock(int ms) {
    for (int t = 0; t < ms; t += 10)
        TimerEvent();
}

class GameTest : public testing_support::NullDisplayTest {
  protected:
    void SetUp() override {
        NullDisplayTest::SetUp();
        guard = std::make_unique<testing_support::CurrentDirGuard>();
        std::filesystem::current_path(SuiteFolder() / "Kestrin");
        for (const char* file : {"hiscore.dat", "setup.ini", "../options.ini"})
            std::filesystem::remove(file);
        appState = AppState{};
        appState.hwnd = Window();
        appState.active = 1;
        SetPauseSleeper(AdvanceClock);
        plat::null::SetFlipHook(OnFlip);
        PanelsShown().clear();
        gameScreen.Enter(nullptr, Back());
    }
    void TearDown() override {
        gameScreen.Leave();
        cardGame.Release();
        SetPauseSleeper(nullptr);
        plat::Message m;
        while (plat::PeekMessage(&m)) {
        }
        NullDisplayTest::TearDown();
    }

    // One window for all tests (the layer never frees a window), with the program's own
    // window procedure: its mouse moves reach the mouse state.
    static plat::Window* Window() {
        static plat::Window* window = [] {
            plat::RegisterWindowClass("game test", WindowProc);
            return plat::CreateMainWindow({"game test", "Kestrin", 0, 0, 800, 600, false});
        }();
        return window;
    }
    static int Frame() { return gameScreen.Update(1); }
    // A press and its release, both before the next frame reads the mouse.
    static void Tap(int x, int y) {
        mouseCursor.SetPosition(x, y);
        PressLeft();
        ReleaseLeft();
    }
    // A tap on a button: the frame that sees it down presses the button, the next one, seeing
    // it up, clicks it. The result is that of the second frame.
    static int ClickButton(int x, int y) {
        Tap(x, y);
        const int pressed = Frame();
        return pressed == 1 ? Frame() : pressed;
    }
    static void StartGame() {
        ASSERT_EQ(ClickButton(40, 490), 1); // "newgame"
        ASSERT_EQ(cardGame.GetState(), GAME_PLAYING);
    }
    static std::string Caption() { return appState.hwnd ? appState.hwnd->title : ""; }
    // Empties every place of the table; the places keep their positions.
    static void ClearTable() {
        for (CardSlot& slot : board.freeCells)
            slot.card = NO_CARD;
        for (auto& column : board.columns)
            for (CardSlot& slot : column)
                slot.card = NO_CARD;
        for (CardSlot& slot : board.foundations)
            slot.card = NO_CARD;
    }
    static int TargetPixel(int x, int y) { return GetPixelValue(dirtyRects.GetTarget(), x, y); }

    std::unique_ptr<testing_support::CurrentDirGuard> guard;
};

} // namespace gametest
