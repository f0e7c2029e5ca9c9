#include "game/card_game.h"

#include <sys/stat.h>

#include <functional>

#include "game_test_support.h"
#include "gfx/strip_group.h"
#include "records/high_score_table.h"
#include "screens/message_pump.h"

namespace gametest {
namespace {

using testing_support::ReadBytes;
using testing_support::WriteBytes;

constexpr int kNewGameX = 40, kNewGameY = 490;
constexpr int kHelpX = 40, kHelpY = 540;
constexpr int kMenuX = 750, kMenuY = 490;
constexpr int kExitX = 750, kExitY = 540;

// What the flip hook does besides its own work, once per presented frame.
std::function<void()>& EachFlip() {
    static std::function<void()> each;
    return each;
}

class CourseTest : public GameTest {
  protected:
    void SetUp() override {
        GameTest::SetUp();
        EachFlip() = nullptr;
        plat::null::SetFlipHook([] {
            OnFlip();
            if (EachFlip())
                EachFlip()();
        });
    }
    static void SetGameTime(const char* value) {
        WriteBytes("setup.ini", std::string("[default]\ngametime=") + value + "\n");
    }
    // The click of a frame on column c's top card.
    static void TapColumn(int c) {
        const CardSlot& top = board.columns[c][board.TopRow(c)];
        Tap(top.x + 35, top.y + 45);
    }
    // A table where a click on column 0's top card puts it in the last free cell and leaves no
    // move: every other free cell holds a card that fits nowhere.
    static void ArrangeStuckTable() {
        ClearTable();
        for (int i = 0; i < 7; ++i)
            board.freeCells[i].card = Card(i, i % 2);
        board.columns[0][0].card = Card(9, 2);
        board.columns[1][0].card = Card(10, 3);
    }
    // A tap at the screen's centre once the rules have been shown for `after` milliseconds.
    static void CloseRulesAfter(int after) {
        static int opened;
        opened = -1;
        EachFlip() = [after] {
            if (opened == -2 || PanelsShown().empty() ||
                PanelsShown().back() != "title/HowToPlay.bmp")
                return;
            if (opened < 0) {
                opened = GetTicks();
            } else if (GetTicks() - opened >= after) {
                opened = -2;
                Tap(400, 300);
            }
        };
    }
    static int Cards() {
        int n = 0;
        for (const CardSlot& s : board.freeCells)
            n += s.card != NO_CARD;
        for (int c = 0; c < COLUMNS; ++c)
            n += board.TopRow(c) + 1;
        return n;
    }
};

TEST_F(CourseTest, IdleAtStartTheNewButtonBlinksAndTheTableTakesNoClick) {
    EXPECT_EQ(cardGame.GetState(), GAME_IDLE);
    EXPECT_EQ(TargetPixel(100, 160), Pixel(kTable)) << "the deal made on entering is not shown";
    ImageStrip* button = gameScreen.Strips()->FindByName("newgame");
    ASSERT_NE(button, nullptr);
    std::vector<int> changes;
    int frame = button->FrameToDraw();
    for (int i = 0; i < 200; ++i) {
        ASSERT_EQ(Frame(), 1);
        if (button->FrameToDraw() != frame) {
            frame = button->FrameToDraw();
            changes.push_back(GetTicks());
        }
    }
    ASSERT_GE(changes.size(), 3u);
    for (size_t i = 1; i < changes.size(); ++i)
        EXPECT_NEAR(changes[i] - changes[i - 1], 510, 10);
    EXPECT_EQ(GetCountdown(), DEFAULT_GAME_TIME) << "the clock stands still while idle";
    EXPECT_EQ(GetPixelValue(dirtyRects.GetTarget(), 589 + 21 * 9, 26 + 6 * 11), Pixel(kCellRed))
        << "the clock bar is full";
    const int before = Cards();
    TapColumn(0);
    Frame();
    EXPECT_EQ(Cards(), before);
}

TEST_F(CourseTest, NewGameDealsAndStartsTheClock) {
    StartGame();
    ImageStrip* button = gameScreen.Strips()->FindByName("newgame");
    EXPECT_EQ(button->FrameToDraw(), 1) << "hovered, no longer blinking";
    for (int c = 0; c < COLUMNS; ++c) {
        const CardSlot& top = board.columns[c][5];
        EXPECT_EQ(TargetPixel(top.x + 35, top.y + 60), Pixel(CardColour(top.card))) << c;
    }
    EXPECT_EQ(Cards(), DECK_SIZE);
    const int left = GetCountdown();
    AdvanceClock(1000);
    EXPECT_EQ(GetCountdown(), left - 1);
}

TEST_F(CourseTest, AClickCountsOnceUntilTheButtonIsReleased) {
    StartGame();
    ClearTable();
    board.columns[0][0].card = Card(5, 0);
    board.columns[0][1].card = Card(7, 1);
    board.columns[1][0].card = Card(3, 3);
    board.columns[1][1].card = Card(1, 2);
    const CardSlot& top = board.columns[0][1];
    mouseCursor.SetPosition(top.x + 35, top.y + 45);
    PressLeft();
    for (int i = 0; i < 5; ++i)
        Frame();
    EXPECT_EQ(board.freeCells[0].card, Card(7, 1));
    EXPECT_EQ(board.columns[0][0].card, Card(5, 0)) << "held down, the click counts once";
    ReleaseLeft();
    Frame();
    EXPECT_EQ(board.columns[0][0].card, Card(5, 0));
    // A press and its release between two frames: taken, once.
    TapColumn(1);
    Frame();
    Frame();
    EXPECT_EQ(board.freeCells[1].card, Card(1, 2));
    EXPECT_EQ(board.columns[1][0].card, Card(3, 3));
}

TEST_F(CourseTest, AClickDuringTheDealIsTakenAfterItWhereItWasMade) {
    static int flips;
    flips = 0;
    EachFlip() = [] {
        if (++flips != 40)
            return;
        plat::PostMessage(appState.hwnd, plat::WM_MOUSEMOVE, 0, plat::MakeLParam(97, 325));
        PressLeft();
        ReleaseLeft();
    };
    StartGame();
    EachFlip() = nullptr;
    EXPECT_EQ(board.TopRow(0), 5);
    // The main loop's next pass: the messages, then the frame.
    PumpMessages();
    Frame();
    EXPECT_LT(board.TopRow(0), 5) << "column 0's top card was clicked";
}

TEST_F(CourseTest, OutOfTimeShowsItsPanelAndRecordsNothing) {
    for (const char* gameTime : {"2", "0", "-7"}) {
        SCOPED_TRACE(gameTime);
        SetGameTime(gameTime);
        PanelsShown().clear();
        StartGame();
        cardGame.SetScore(5000);
        for (int i = 0; i < 400 && cardGame.GetState() == GAME_PLAYING; ++i) {
            if (GetCountdown() == 0)
                TapColumn(0); // too late: the game is over
            ASSERT_EQ(Frame(), 1);
        }
        EXPECT_EQ(cardGame.GetState(), GAME_IDLE);
        EXPECT_EQ(board.TopRow(0), 5);
        EXPECT_EQ(PanelsShown(), std::vector<std::string>{"gameover1.bmp"});
        EXPECT_FALSE(std::filesystem::exists("hiscore.dat"));
        EXPECT_EQ(Cards(), DECK_SIZE) << "the table is still shown";
    }
}

TEST_F(CourseTest, StuckRecordsATopTwentyScoreThenShowsItsPanel) {
    const std::string name = "Ann:the:Great" + std::string(50, 'e'); // 63 characters
    WriteBytes("../options.ini", "[setup]\nplayerid=2\n[Player3]\nname=" + name +
                                     "\naddress=1 Long Road\nemail=ann@example.org\nsend=N\n");
    StartGame();
    ArrangeStuckTable();
    cardGame.SetScore(4321);
    TapColumn(0);
    ASSERT_EQ(Frame(), 1);
    EXPECT_EQ(cardGame.GetState(), GAME_IDLE);
    EXPECT_EQ(PanelsShown(), (std::vector<std::string>{"hallfamepop.bmp", "gameover2.bmp"}));
    HighScoreTable saved;
    saved.Allocate(HIGH_SCORE_ENTRIES);
    ASSERT_TRUE(saved.Load("hiscore.dat"));
    EXPECT_EQ(saved.Entry(0).name, name + ":1 Long Road:ann@example.org:N");
    EXPECT_EQ(saved.Entry(0).score, 4321);
    EXPECT_TRUE(Caption().ends_with(" - " + name)) << Caption();
}

TEST_F(CourseTest, AResultOutsideTheTopTwentyLeavesTheFileAlone) {
    HighScoreTable full;
    full.Allocate(HIGH_SCORE_ENTRIES);
    for (int i = 0; i < HIGH_SCORE_ENTRIES; ++i)
        full.Insert("Someone:::Y", 10000);
    ASSERT_TRUE(full.Save("hiscore.dat"));
    const std::string before = ReadBytes("hiscore.dat");
    WriteBytes("../options.ini", "\x01\xff[setup\nplayerid=12\n[Player1\nname=");
    StartGame();
    ArrangeStuckTable();
    cardGame.SetScore(10000);
    TapColumn(0);
    ASSERT_EQ(Frame(), 1);
    EXPECT_EQ(PanelsShown(), std::vector<std::string>{"gameover2.bmp"});
    EXPECT_EQ(ReadBytes("hiscore.dat"), before);
    EXPECT_TRUE(Caption().ends_with(" - Player1")) << "a damaged options file: the first player";
}

TEST_F(CourseTest, AWinPaysAThousandASecondLeftAndRecordsItAll) {
    SetGameTime("30");
    StartGame();
    ClearTable();
    for (int suit = 0; suit < 3; ++suit)
        board.foundations[suit].card = Card(11, suit);
    board.foundations[3].card = Card(10, 3);
    board.columns[4][0].card = Card(11, 3);
    TapColumn(4);
    ASSERT_EQ(Frame(), 1);
    const int expected = 25 + SUIT_BONUS + FINAL_BONUS + 30 * 1000;
    EXPECT_EQ(cardGame.GetScore(), expected);
    EXPECT_EQ(GetCountdown(), 0);
    EXPECT_EQ(cardGame.GetState(), GAME_IDLE);
    EXPECT_EQ(PanelsShown(), (std::vector<std::string>{"congrats.bmp", "hallfamepop.bmp"}));
    HighScoreTable saved;
    saved.Allocate(HIGH_SCORE_ENTRIES);
    ASSERT_TRUE(saved.Load("hiscore.dat"));
    EXPECT_EQ(saved.Entry(0).score, expected);
    EXPECT_STREQ(saved.Entry(0).name, "Player1:::Y");
    // Nothing of the congratulations stays, not even between the table's areas.
    for (int i = 0; i < 3; ++i)
        Frame();
    EXPECT_EQ(GetPixelValue(plat::PrimarySurface(), 300, 450), Pixel(kTable));
}

TEST_F(CourseTest, RulesStopTheClockAndClosingThemResumesIt) {
    // Before the first game the rules leave the clock stopped and draw no table.
    CloseRulesAfter(100);
    ASSERT_EQ(ClickButton(kHelpX, kHelpY), 1);
    EXPECT_EQ(PanelsShown(), std::vector<std::string>{"title/HowToPlay.bmp"});
    EXPECT_EQ(cardGame.TableDrawn(), 0);
    AdvanceClock(2000);
    EXPECT_EQ(GetCountdown(), DEFAULT_GAME_TIME);

    EachFlip() = nullptr;
    StartGame();
    const int left = GetCountdown();
    CloseRulesAfter(5000);
    PanelsShown().clear();
    ASSERT_EQ(ClickButton(kHelpX, kHelpY), 1);
    EXPECT_EQ(PanelsShown(), std::vector<std::string>{"title/HowToPlay.bmp"});
    EXPECT_GE(GetCountdown(), left - 1) << "five seconds of rules cost no time";
    EachFlip() = nullptr;
    const int resumed = GetCountdown();
    AdvanceClock(1000);
    EXPECT_EQ(GetCountdown(), resumed - 1);
}

TEST_F(CourseTest, ExitAndNewGameAbandonAGameWithoutARecord) {
    StartGame();
    cardGame.SetScore(700);
    ASSERT_EQ(ClickButton(kNewGameX, kNewGameY), 1);
    EXPECT_EQ(cardGame.GetScore(), 0);
    EXPECT_EQ(Cards(), DECK_SIZE);
    cardGame.SetScore(700);
    EXPECT_EQ(ClickButton(kExitX, kExitY), UPDATE_QUIT);
    EXPECT_FALSE(std::filesystem::exists("hiscore.dat"));
}

TEST_F(CourseTest, AQuitDuringAPanelEndsTheFrameAtOnce) {
    struct Row {
        const char* panel;
        std::function<void()> arrange;
        int frameResult;
    };
    const Row rows[] = {
        {"title/HowToPlay.bmp", [] { Tap(kHelpX, kHelpY), Frame(); }, UPDATE_QUIT},
        {"gameover1.bmp", [] { SetCountdown(0); }, 0},
        {"hallfamepop.bmp",
         [] {
             ArrangeStuckTable();
             cardGame.SetScore(100);
             TapColumn(0);
         },
         0},
        {"gameover2.bmp",
         [] {
             ArrangeStuckTable();
             TapColumn(0);
         },
         0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.panel);
        std::filesystem::remove("hiscore.dat");
        StartGame();
        row.arrange();
        PanelsShown().clear();
        const char* panel = row.panel;
        EachFlip() = [panel] {
            if (!PanelsShown().empty() && PanelsShown().back() == panel)
                plat::PostQuitMessage(0);
        };
        EXPECT_EQ(Frame(), row.frameResult);
        EXPECT_EQ(PanelsShown().back(), panel);
        EXPECT_EQ(cardGame.GetState(), GAME_PLAYING) << "the state is left as it was";
        EachFlip() = nullptr;
        plat::Message m;
        ASSERT_TRUE(plat::PeekMessage(&m));
        EXPECT_EQ(m.message, plat::WM_QUIT) << "the quit waits for the main loop";
        // The program would end here; the next row starts it afresh.
        gameScreen.Leave();
        mouseCursor.Reset();
        gameScreen.Enter(nullptr, Back());
    }
}

TEST_F(CourseTest, MenuStartsTheSuitesMenuOrSaysWhyNot) {
    StartGame();
    EXPECT_EQ(ClickButton(kMenuX, kMenuY), 1) << "started by hand, the game has nowhere to go";
    EXPECT_TRUE(plat::null::StartedPrograms().empty());

    const std::string suite = SuiteFolder().string();
    std::snprintf(appState.commandLine, sizeof appState.commandLine, "%s", suite.c_str());
    EXPECT_EQ(ClickButton(kMenuX, kMenuY), 1) << "no menu program: the game goes on";
    ASSERT_EQ(plat::null::MessageBoxes().size(), 1u);
    EXPECT_NE(plat::null::MessageBoxes()[0].find(suite + "/Lumora"), std::string::npos);
    EXPECT_EQ(cardGame.GetState(), GAME_PLAYING);

    WriteBytes(suite + "/Lumora", "#!/bin/sh\n");
    ::chmod((suite + "/Lumora").c_str(), 0755);
    EXPECT_EQ(ClickButton(kMenuX, kMenuY), UPDATE_QUIT);
    const auto& started = plat::null::StartedPrograms();
    ASSERT_EQ(started.size(), 2u);
    EXPECT_EQ(started[1].program, suite + "/Lumora");
    EXPECT_EQ(started[1].parameter, "Kestrin");
    EXPECT_EQ(started[1].workDir, suite);
    std::filesystem::remove(suite + "/Lumora");
}

TEST_F(CourseTest, WithoutFiftyTwoCardPicturesTheGameSaysSoAndEnds) {
    gameScreen.Leave();
    testing_support::TempDir other;
    std::filesystem::current_path(other.path());
    testing_support::WriteSolidBmp("cardset.bmp", 700, 360, kTable); // 40 cards
    gameScreen.Enter(nullptr, Back());
    EXPECT_FALSE(gameScreen.HasCards());
    ASSERT_EQ(plat::null::MessageBoxes().size(), 1u);
    EXPECT_NE(plat::null::MessageBoxes()[0].find("\"cardset.bmp\""), std::string::npos);
    EXPECT_EQ(std::filesystem::exists("hiscore.dat"), false);
    EXPECT_EQ(Frame(), UPDATE_QUIT);
    gameScreen.Leave();
    std::filesystem::current_path(SuiteFolder() / "Kestrin");
    gameScreen.Enter(nullptr, Back());
}

TEST(GameTime, ReadAsAtoiWithinItsRange) {
    struct Row {
        const char* text;
        int seconds;
    };
    const Row rows[] = {{"154", 154},
                        {" 42x", 42},
                        {"", 0},
                        {"abc", 0},
                        {"-3", 0},
                        {"1000000", MAX_GAME_TIME},
                        {"99999999999999999999", MAX_GAME_TIME},
                        {"-99999999999999999999", 0}};
    for (const Row& row : rows)
        EXPECT_EQ(GameTimeFromText(row.text), row.seconds) << '"' << row.text << '"';
}

} // namespace
} // namespace gametest
