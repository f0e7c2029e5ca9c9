#include "game/game_screen.h"

#include <string>

#include "core/timer_service.h"
#include "game/board.h"
#include "game/card_game.h"
#include "game/game_sound.h"
#include "gfx/dirty_rect_list.h"
#include "gfx/strip_group.h"
#include "platform/display.h"
#include "platform/files.h"
#include "platform/message_box.h"
#include "screens/popup_screen.h"
#include "shell/app_state.h"
#include "sound/sound_bank.h"

GameScreen gameScreen;

GameScreen::GameScreen() {
    SetName("Kestrin");
}

void GameScreen::Enter(plat::Display* dd, Surface* back) {
    Screen::Enter(dd, back);
    SetUpStillPicture("background.bmp");
    AddButton("exit", 728, 520, "exit.bmp");
    AddButton("menu", 728, 470, "menu.bmp");
    AddButton("help", 16, 520, "help.bmp");
    AddButton("newgame", 16, 470, "newgame.bmp");
    cardGame.View().LoadScreenPictures();
    // Without every card picture the table would be dealt invisibly: say so and end instead.
    hasCards = board.LoadCardImages() == DECK_SIZE;
    if (!hasCards) {
        plat::ShowMessageBox("Kestrin can't show its cards: \"cardset.bmp\" is missing, "
                             "unreadable or holds fewer than 52 card pictures.",
                             nullptr);
        return; // the first frame ends the program
    }
    LoadGameEffects();
    cardGame.ScreenEntered();
    cardGame.NewGame();
}

void GameScreen::Leave() {
    soundBank.FreeAll();
    Screen::Leave();
    cardGame.View().FreeScreenPictures();
}

int GameScreen::Update(int) {
    if (!hasCards)
        return UPDATE_QUIT;
    UpdateStrips();
    if (strips->WasNamedClicked("exit"))
        return UPDATE_QUIT;
    // After the deal or the rules panel the frame ends: a click made meanwhile is taken by the
    // next frame, once the messages that came with it have told where the pointer went.
    if (strips->WasNamedClicked("newgame")) {
        StartNewGame();
        return 1;
    }
    if (strips->WasNamedClicked("menu")) {
        PlayEffect("click");
        // Started from the menu, the game knows the suite folder and goes back there; started
        // by hand it has nowhere to go.
        if (appState.commandLine[0] && StartMenuProgram(appState.commandLine))
            return UPDATE_QUIT;
    }
    if (strips->WasNamedClicked("help"))
        return ShowRules() ? 1 : UPDATE_QUIT;
    // Any other answer than 1 means a panel saw the program quit: it is shut down already.
    if (cardGame.GameStep() != 1)
        return 0;
    Screen::Present(); // the main loop's frame: with nothing new to show, it waits for input
    return 1;
}

int GameScreen::Present() {
    // The animations present through here and keep their own time, so a frame of theirs that
    // shows nothing new (the second page of a dealt card) must not wait for input.
    plat::SetIdleWait(false);
    Screen::Present();
    plat::SetIdleWait(true);
    return 1;
}

void GameScreen::StartNewGame() {
    PlayEffect("click");
    cardGame.NewGame();
    Present();
    cardGame.BeginPlay();
    cardGame.View().DrawScorePanel();
    cardGame.View().DrawClock();
    Present();
    cardGame.View().RedrawTable(1);
    StartCountdown();
    if (ImageStrip* button = strips->FindByName("newgame"))
        button->SetFrameBase(0);
}

int GameScreen::ShowRules() {
    StopCountdown();
    PlayEffect("click");
    PopupScreen rules;
    rules.AddBackground("title\\HowToPlay.bmp", nullptr);
    rules.AddDefaultStrip();
    char result[STRIP_NAME_SIZE];
    if (!rules.Run(result, "rules"))
        return 0;
    dirtyRects.AddPopupArea(&rules);
    cardGame.View().ForgetPanels();
    // Before the first game the clock has nothing to count.
    if (cardGame.TableDrawn()) {
        Present();
        cardGame.View().RedrawTable(0);
        StartCountdown();
    }
    return 1;
}

bool StartMenuProgram(const char* suiteFolder) {
    const std::string program = std::string(suiteFolder) + "\\Lumora" + plat::ExecutableSuffix();
    if (plat::StartProgram(program.c_str(), "Kestrin", suiteFolder))
        return true;
    const std::string text = "Kestrin can't start the menu: " + plat::NativePath(program.c_str()) +
                             " is missing or not a program.";
    plat::ShowMessageBox(text.c_str(), nullptr);
    return false;
}
