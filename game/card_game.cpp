#include "game/card_game.h"

#include <climits>

#include "core/mouse_cursor.h"
#include "core/timer_service.h"
#include "game/game_screen.h"
#include "game/game_sound.h"
#include "game/pause.h"
#include "gfx/dirty_rect_list.h"
#include "gfx/image.h"
#include "gfx/strip_group.h"
#include "platform/profile.h"
#include "records/player_list.h"
#include "screens/popup_screen.h"
#include "shell/main_window.h"

CardGame cardGame;

namespace {
constexpr const char* kHighScoreFile = "hiscore.dat";
constexpr int kBlinkPeriod = 500;
constexpr int kEndPanelTime = 2000;
constexpr int kHallOfFameTime = 1000;
constexpr int kCongratsX = 198, kCongratsY = 139;
constexpr int kCongratsPause = 750;
constexpr int kBonusPerSecond = 1000;
constexpr int kBonusPause = 75;
constexpr int kLeftButton = 1;
constexpr int kScreenWidth = 800, kScreenHeight = 600;

// Shows a panel centred on the screen until it is clicked or its time is up; false when the
// program quit meanwhile.
bool ShowPanel(const char* fileName, bool closedByClick, int milliseconds) {
    PopupScreen panel;
    panel.AddBackground(fileName, nullptr);
    if (closedByClick)
        panel.AddDefaultStrip();
    panel.SetDeadline(GetTicks() + milliseconds);
    char result[STRIP_NAME_SIZE];
    return panel.Run(result, nullptr) != 0;
}
} // namespace

int ReadGameTime() {
    const int seconds = plat::GetProfileInt("default", "gametime", DEFAULT_GAME_TIME, INT_MIN,
                                            INT_MAX, ".\\setup.ini");
    if (seconds < 0)
        return 0;
    return seconds > MAX_GAME_TIME ? MAX_GAME_TIME : seconds;
}

void CardGame::NewGame() {
    Release();
    board.DealBoard();
    SelectPlayer();
    highScores.Allocate(HIGH_SCORE_ENTRIES);
    highScores.Load(kHighScoreFile);
    score = 0;
    view.LoadGamePictures();
    gameTime = ReadGameTime();
    SetCountdown(gameTime);
    timeLimit = gameTime;
    state = GAME_IDLE;
    StopCountdown();
}

void CardGame::Release() {
    highScores.Allocate(0);
    view.FreeGamePictures();
}

void CardGame::SelectPlayer(char* playerString, size_t size) {
    playerList.SetPath("..\\options.ini");
    playerIndex = playerList.ReadCurrent();
    playerList.ReadRecord(playerIndex);
    SetWindowTitle(playerList.Record(playerIndex).name);
    if (playerString)
        playerList.Compose(playerIndex, playerString, size);
}

void CardGame::BeginPlay() {
    state = GAME_PLAYING;
    prevButtons = 0;
}

void CardGame::ScreenEntered() {
    tableDrawn = 0;
    prevButtons = 0;
    blinkFrame = 0;
    lastBlink = GetTicks();
}

int CardGame::GameStep() {
    int x = 0, y = 0, buttons = 0;
    mouseCursor.GetFrameState(&x, &y, &buttons);
    if (StripGroup* strips = gameScreen.Strips()) {
        strips->UpdateAll(x, y, buttons);
        strips->DrawAll();
    }
    view.DrawScorePanel();
    view.DrawClock();
    view.DrawFloatingScores(dirtyRects.BackSurface());
    if (state == GAME_IDLE) {
        BlinkNewGameButton();
        return 1;
    }
    int result = 1;
    if (GetCountdown() <= 0) {
        // The game is over: a click of this frame has nothing left to play.
        result = EndOutOfTime();
    } else if ((buttons & kLeftButton) && !(prevButtons & kLeftButton)) {
        const int slot = board.HitTest(x, y);
        if (slot != NO_SLOT && !rules.PlayCard(slot))
            result = rules.AllFoundationsComplete() ? EndWon() : EndStuck();
    }
    prevButtons = buttons;
    return result;
}

void CardGame::BlinkNewGameButton() {
    StripGroup* strips = gameScreen.Strips();
    ImageStrip* button = strips ? strips->FindByName("newgame") : nullptr;
    if (!button || TicksSince(lastBlink) <= kBlinkPeriod)
        return;
    blinkFrame = 1 - blinkFrame;
    button->SetFrameBase(blinkFrame);
    button->Draw(dirtyRects.BackSurface());
    lastBlink = GetTicks();
}

int CardGame::EndOutOfTime() {
    StopCountdown();
    if (!ShowPanel("gameover1.bmp", true, kEndPanelTime))
        return STEP_QUIT_IN_PANEL;
    dirtyRects.AddWholeTarget(); // the panel is erased
    view.ForgetPanels();
    view.RedrawTable(0);
    state = GAME_IDLE;
    return 1;
}

int CardGame::EndWon() {
    StopCountdown();
    PlayEffect("tada");
    {
        Image congrats("congrats.bmp");
        for (int page = 0; page < 2; ++page) {
            congrats.Draw(dirtyRects.BackSurface(), kCongratsX, kCongratsY);
            gameScreen.Present();
        }
    }
    PauseFor(kCongratsPause);
    PayTimeBonus();
    if (!RecordResult())
        return STEP_QUIT_IN_HALL;
    // The congratulations reach beyond the table's areas: with the table redrawn, the whole
    // picture is shown again, so nothing of them stays on screen.
    view.RedrawTable(0);
    dirtyRects.AddRectFlags(0, 0, kScreenWidth, kScreenHeight, DIRTY_ONE_SHOT, DIRTY_FROM_TARGET);
    state = GAME_IDLE;
    return 1;
}

void CardGame::PayTimeBonus() {
    while (GetCountdown() > 0) {
        SetCountdown(GetCountdown() - 1);
        score += kBonusPerSecond;
        gameScreen.Present();
        view.DrawScorePanel();
        view.DrawClock();
        PauseFor(kBonusPause);
        PlayEffect("pos1");
    }
}

int CardGame::EndStuck() {
    StopCountdown();
    if (!RecordResult())
        return STEP_QUIT_IN_HALL;
    view.RedrawTable(0);
    gameScreen.Present();
    if (!ShowPanel("gameover2.bmp", true, kEndPanelTime))
        return STEP_QUIT_IN_PANEL;
    view.RedrawTable(0);
    state = GAME_IDLE;
    return 1;
}

int CardGame::RecordResult() {
    char player[PLAYER_STRING_SIZE];
    SelectPlayer(player, sizeof player);
    if (!highScores.Insert(player, score))
        return 1;
    // A table that cannot be written is told on standard error by the table itself; the result
    // entered it all the same, and the player is told so.
    (void)highScores.Save(kHighScoreFile);
    return ShowHallOfFamePopup();
}

int CardGame::ShowHallOfFamePopup() {
    gameScreen.Present();
    return ShowPanel("hallfamepop.bmp", false, kHallOfFameTime) ? 1 : 0;
}
