// A game's course through the game screen: idle, the deal, clicks and taps, the three endings
// and what they record, the rules panel, a quit during a panel, the way back to the menu.
#include "game_test_support.h"

namespace gametest {
namespace {

constexpr int kHelpX = 40, kHelpY = 540, kMenuX = 750, kMenuY = 490, kExitX = 750, kExitY = 540;

// A click on column 0 fills the last free cell: no move is left.
Places StuckTable() {
    Places table = {{Col(0, 0), C(9, 2)}, {Col(1, 0), C(10, 3)}};
    for (int i = 0; i < 7; ++i)
        table.push_back({Cell(i), C(i, i % 2)});
    return table;
}
void SetGameTime(const char* value) {
    WriteBytes("setup.ini", std::string("[default]\ngametime=") + value);
}

using Course = GameTest;

// Idle, the clock stands and the table takes no click; "newgame" deals card by card and a tap
// made meanwhile counts once the deal is over; a click held over frames counts once, and a tap
// between two frames once; "exit" abandons the game.
TEST_F(Course, ATapDuringTheDealCountsAfterItAndEachClickOrTapOnce) {
    TapColumn(0);
    Frame(), Frame();
    Wait(2000);
    EXPECT_EQ(std::make_pair(board.TopRow(0), GetCountdown()),
              std::make_pair(5, DEFAULT_GAME_TIME));
    static int flips;
    flips = 0;
    eachFlip = [] {
        if (++flips == 40)
            Tap(97, 325); // column 0's top card, once dealt
    };
    const int started = GetTicks();
    cardGame.SetScore(700);
    StartGame();
    EXPECT_GE(flips, 2 * DECK_SIZE) << "the cards come one by one";
    EXPECT_GE(GetTicks() - started, DECK_SIZE * 75);
    EXPECT_EQ(std::make_pair(board.TopRow(0), cardGame.GetScore()), std::make_pair(5, 0));
    Frame();
    EXPECT_LT(board.TopRow(0), 5) << "column 0's top card was clicked";

    Lay(board,
        {{Col(0, 0), C(5, 0)}, {Col(0, 1), C(7, 1)}, {Col(1, 0), C(3, 3)}, {Col(1, 1), C(1, 2)}});
    mouseCursor.SetPosition(board.columns[0][1].x + 35, board.columns[0][1].y + 45);
    PressLeft();
    for (int i = 0; i < 5; ++i)
        Frame();
    ReleaseLeft();
    TapColumn(1);
    Frame(), Frame(), Frame();
    EXPECT_EQ(std::vector<int>({board.freeCells[0].card, board.freeCells[1].card,
                                board.columns[0][0].card, board.columns[1][0].card}),
              std::vector<int>({C(7, 1), C(1, 2), C(5, 0), C(3, 3)}));
    cardGame.SetScore(700);
    EXPECT_EQ(ClickButton(kExitX, kExitY), UPDATE_QUIT);
    EXPECT_FALSE(std::filesystem::exists("hiscore.dat")) << "exit abandons the game";
}

// Every ending shows its panels in order, records only a result that enters the top twenty,
// under the current player, and leaves the table idle with the final score shown. A quit while
// a panel waits ends the frame at once and leaves the game as it was, for the program to end.
TEST_F(Course, EachEndShowsItsPanelsAndRecordsOnlyATopTwentyResult) {
    const std::string ann = "Ann:the:Great" + std::string(50, 'e'); // 63 characters
    Places won = {{Col(0, 0), C(King, 3)}, {Found(3), C(Queen, 3)}};
    for (int suit = 0; suit < 3; ++suit)
        won.push_back({Found(suit), C(King, suit)});
    const int wonScore = 25 + SUIT_BONUS + FINAL_BONUS + 30 * 1000;
    const struct {
        const char* name;
        const char* gameTime;
        std::string options;
        bool fullTable; // 20 entries of 4321 before
        Places table;   // empty: the dealt table, left to run out of time
        int score;
        std::string shown, recorded; // recorded: "" when the file stays as it was
    } rows[] = {
        // clang-format off
        {"out of time", "2", "", false, {}, 5000, "gameover1.bmp - Player1 5000", ""},
        {"a negative time is none", "-7", "", false, {}, 5000, "gameover1.bmp - Player1 5000", ""},
        {"stuck in the top twenty", "154", "[setup]\nplayerid=2\n[Player3]\nname=" + ann +
         "\naddress=1 Long Road\nemail=ann@example.org\nsend=N\n", false, StuckTable(), 4321,
         "hallfamepop.bmp gameover2.bmp - " + ann + " 4321", ann + ":1 Long Road:ann@example.org:N 4321"},
        {"stuck below the twentieth, options damaged", "154", "\x01\xff[setup\nplayerid=12\n[Player1\nname=",
         true, StuckTable(), 4321, "gameover2.bmp - Player1 4321", ""},
        {"won with 30 seconds left", "30", "", false, won, 0,
         "congrats.bmp hallfamepop.bmp - Player1 " + std::to_string(wonScore), "Player1:::Y " + std::to_string(wonScore)},
        // clang-format on
    };
    for (const auto& row : rows) {
        for (bool quit : {false, true}) {
            SCOPED_TRACE(row.name + std::string(quit ? ", quit at the first panel" : ""));
            SetGameTime(row.gameTime);
            WriteBytes("../options.ini", row.options);
            std::filesystem::remove("hiscore.dat");
            HighScoreTable table;
            table.Allocate(HIGH_SCORE_ENTRIES);
            for (int i = 0; i < HIGH_SCORE_ENTRIES && row.fullTable; ++i)
                table.Insert("Someone:::Y", 4321);
            ASSERT_TRUE(!row.fullTable || table.Save("hiscore.dat"));
            const std::string before = ReadBytes("hiscore.dat");
            panelsShown.clear();
            Play();
            if (!row.table.empty())
                Lay(board, row.table);
            cardGame.SetScore(row.score);
            eachFlip = [quit] {
                if (quit && !panelsShown.empty())
                    plat::PostQuitMessage(0);
            };
            // An arranged table ends at the first click; on the dealt one a click comes late.
            int result = 1;
            for (int i = 0; i < 400 && result == 1 && cardGame.GetState() == GAME_PLAYING; ++i) {
                if (row.table.empty() ? GetCountdown() == 0 : i == 0)
                    TapColumn(0);
                result = Frame();
            }
            eachFlip = nullptr;
            if (quit) {
                EXPECT_EQ(std::make_pair(result, cardGame.GetState()),
                          std::make_pair(0, GAME_PLAYING));
                EXPECT_EQ(row.shown.rfind(panelsShown, 0), 0u) << panelsShown;
                plat::Message m;
                EXPECT_TRUE(plat::PeekMessage(&m) && m.message == plat::WM_QUIT);
                // The program would end here; the next row starts it afresh.
                gameScreen.Leave();
                mouseCursor.Reset();
                gameScreen.Enter(nullptr, Back());
                Frame(), Frame();
                continue;
            }
            EXPECT_EQ(cardGame.GetState(), GAME_IDLE);
            EXPECT_EQ(panelsShown +
                          appState.hwnd->title.substr(appState.hwnd->title.find(" - ") + 1) + " " +
                          std::to_string(cardGame.GetScore()),
                      row.shown);
            EXPECT_EQ(board.TopRow(0), row.table.empty() ? 5 : -1);
            HighScoreTable saved;
            saved.Allocate(HIGH_SCORE_ENTRIES);
            if (row.recorded.empty())
                EXPECT_EQ(ReadBytes("hiscore.dat"), before);
            else
                EXPECT_EQ(saved.Load("hiscore.dat")
                              ? saved.Entry(0).name + (" " + std::to_string(saved.Entry(0).score))
                              : "",
                          row.recorded);
            Frame(), Frame(), Frame();
            EXPECT_EQ(TargetPixel(191, 60), Rgb565(DigitColour(cardGame.GetScore() % 10)));
            EXPECT_EQ(GetPixelValue(plat::PrimarySurface(), 300, 450), Rgb565(kTable))
                << "nothing of a panel stays, even between the table's areas";
        }
    }
}

TEST_F(Course, RulesStopTheClockAndClosingThemResumesIt) {
    static int opened;
    eachFlip = [] { // taps the panel once it has shown two seconds
        if (opened == -1 && !panelsShown.empty())
            opened = GetTicks();
        else if (opened >= 0 && GetTicks() - opened >= 2000)
            opened = -2, Tap(400, 300);
    };
    StartGame();
    const int left = GetCountdown();
    opened = -1;
    ASSERT_EQ(ClickButton(kHelpX, kHelpY), 1);
    EXPECT_EQ(panelsShown, "title/HowToPlay.bmp ");
    EXPECT_GE(GetCountdown(), left - 1) << "two seconds of rules cost no time";
    Frame();
    EXPECT_EQ(std::make_pair(TargetPixel(191, 60), TargetPixel(589, 26)),
              std::make_pair(Rgb565(DigitColour(0)), Rgb565(kCellBlue)))
        << "the score and the clock are back where the panel was";
    const int resumed = GetCountdown();
    Wait(1000);
    EXPECT_EQ(GetCountdown(), resumed - 1);

    eachFlip = [] { plat::PostQuitMessage(0); }; // a quit while the rules show
    EXPECT_EQ(ClickButton(kHelpX, kHelpY), UPDATE_QUIT);
}

TEST_F(Course, MenuSaysWhyTheSuitesMenuCannotStart) {
    Play();
    EXPECT_EQ(ClickButton(kMenuX, kMenuY), 1) << "started by hand, the game has nowhere to go";
    EXPECT_TRUE(plat::null::StartedPrograms().empty());
    const std::string suite = SuiteFolder().string();
    std::snprintf(appState.commandLine, sizeof appState.commandLine, "%s", suite.c_str());
    EXPECT_EQ(ClickButton(kMenuX, kMenuY), 1) << "no menu program: the game goes on";
    ASSERT_EQ(plat::null::MessageBoxes().size(), 1u);
    EXPECT_NE(plat::null::MessageBoxes()[0].find(suite + "/Lumora"), std::string::npos);
    ASSERT_EQ(plat::null::StartedPrograms().size(), 1u);
    const auto& started = plat::null::StartedPrograms()[0];
    EXPECT_EQ(std::vector<std::string>({started.program, started.parameter, started.workDir}),
              std::vector<std::string>({suite + "/Lumora", "Kestrin", suite}));
}

TEST_F(Course, WithoutFiftyTwoCardPicturesTheGameSaysSoAndEnds) {
    gameScreen.Leave();
    TempDir other;
    std::filesystem::current_path(other.path());
    WriteSolidBmp("cardset.bmp", 700, 360, kTable); // 40 cards
    gameScreen.Enter(nullptr, Back());
    ASSERT_EQ(plat::null::MessageBoxes().size(), 1u);
    EXPECT_NE(plat::null::MessageBoxes()[0].find("\"cardset.bmp\""), std::string::npos);
    EXPECT_EQ(Frame(), UPDATE_QUIT);
    std::filesystem::current_path(SuiteFolder() / "Kestrin");
}

} // namespace
} // namespace gametest
