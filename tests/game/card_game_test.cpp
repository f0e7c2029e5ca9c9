#include <sys/stat.h>

#include "game_test_support.h"
#include "gfx/strip_group.h"

namespace gametest {
namespace {

using testing_support::ReadBytes;
using testing_support::WriteBytes;
using Panels = std::vector<std::string>;
constexpr int kHelpX = 40, kHelpY = 540, kMenuX = 750, kMenuY = 490, kExitX = 750, kExitY = 540;
const char* const kRules = "title/HowToPlay.bmp";

class Course : public GameTest {
  public:
    static void SetGameTime(const char* value) {
        WriteBytes("setup.ini", std::string("[default]\ngametime=") + value);
    }
    static void ArrangeStuckTable() { // a click on column 0 fills the last free cell: no move left
        ClearTable();
        for (int i = 0; i < 7; ++i)
            board.freeCells[i].card = C(i, i % 2);
        board.columns[0][0].card = C(9, 2);
        board.columns[1][0].card = C(10, 3);
    }
    static void ClosePanelAfter(int ms) { // taps the panel shown once it has shown so long
        static int opened;
        opened = -1;
        eachFlip = [ms] {
            if (opened != -2 && !panelsShown.empty() && opened < 0)
                opened = GetTicks();
            else if (opened >= 0 && GetTicks() - opened >= ms)
                opened = -2, Tap(400, 300);
        };
    }
    // A game as "newgame" starts it, without the deal's animation.
    static void Play() {
        cardGame.NewGame();
        cardGame.BeginPlay();
        StartCountdown();
    }
    static int Cards() {
        int n = 0;
        for (int slot = 0; slot < 0x300; ++slot)
            n += board.SlotRecord(slot) && board.SlotRecord(slot)->card != NO_CARD;
        return n;
    }
    static HighScoreEntry Best() {
        HighScoreTable saved;
        saved.Allocate(HIGH_SCORE_ENTRIES);
        EXPECT_TRUE(saved.Load("hiscore.dat"));
        return saved.Entry(0);
    }
};

TEST_F(Course, IdleTheNewButtonBlinksAndTheTableTakesNoClickThenNewDealsAndExitEnds) {
    EXPECT_EQ(TargetPixel(100, 160), Pixel(kTable)) << "the deal made on entering is not shown";
    ImageStrip* button = gameScreen.Strips()->FindByName("newgame");
    std::vector<int> blinks;
    for (int i = 0, frame = button->FrameToDraw(); i < 200; ++i) {
        ASSERT_EQ(Frame(), 1);
        if (button->FrameToDraw() != frame)
            frame = button->FrameToDraw(), blinks.push_back(GetTicks());
    }
    ASSERT_GE(blinks.size(), 3u);
    for (size_t i = 1; i < blinks.size(); ++i)
        EXPECT_NEAR(blinks[i] - blinks[i - 1], 510, 10);
    EXPECT_EQ(GetCountdown(), DEFAULT_GAME_TIME) << "the clock stands still while idle";
    EXPECT_EQ(TargetPixel(589 + 21 * 9, 26 + 6 * 11), Pixel(kCellRed)) << "a full clock bar";
    TapColumn(0);
    Frame(), Frame();
    EXPECT_EQ(Cards(), DECK_SIZE);

    const int flips = plat::GetFlipStats().flips, started = GetTicks();
    StartGame();
    EXPECT_GE(plat::GetFlipStats().flips - flips, 2 * DECK_SIZE) << "the cards come one by one";
    EXPECT_GE(GetTicks() - started, DECK_SIZE * 75);
    for (int c = 0; c < COLUMNS; ++c)
        EXPECT_EQ(TargetPixel(board.columns[c][5].x + 35, board.columns[c][5].y + 60),
                  Pixel(CardColour(board.columns[c][5].card)));
    const int left = GetCountdown();
    AdvanceClock(1000);
    EXPECT_EQ(GetCountdown(), left - 1);
    cardGame.SetScore(700);
    StartGame();
    EXPECT_EQ(cardGame.GetScore(), 0) << "a new deal abandons the game";
    cardGame.SetScore(700);
    EXPECT_EQ(ClickButton(kExitX, kExitY), UPDATE_QUIT);
    EXPECT_FALSE(std::filesystem::exists("hiscore.dat"));
}

TEST_F(Course, AClickCountsOnceUntilReleasedAndATapBetweenFramesOnce) {
    Play();
    ClearTable();
    board.columns[0][0].card = C(5, 0), board.columns[0][1].card = C(7, 1);
    board.columns[1][0].card = C(3, 3), board.columns[1][1].card = C(1, 2);
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
}

TEST_F(Course, AClickOrCloseDuringTheDealTakesEffectAfterIt) {
    static int flips;
    flips = 0;
    eachFlip = [] {
        if (++flips == 40) {
            plat::PostMessage(appState.hwnd, plat::WM_MOUSEMOVE, 0, plat::MakeLParam(97, 325));
            PressLeft(), ReleaseLeft();
        } else if (flips == 60) {
            plat::PostMessage(appState.hwnd, plat::WM_CLOSE, 0, 0);
        }
    };
    StartGame();
    EXPECT_EQ(board.TopRow(0), 5);
    EXPECT_TRUE(plat::IsWindowAlive(appState.hwnd));
    // The main loop's next pass: the messages in order (the close would end the program), the
    // frame.
    plat::Message m;
    ASSERT_TRUE(plat::PeekMessage(&m) && m.message == plat::WM_MOUSEMOVE);
    plat::DispatchMessage(m);
    ASSERT_TRUE(plat::PeekMessage(&m) && m.message == plat::WM_CLOSE);
    Frame();
    EXPECT_LT(board.TopRow(0), 5) << "column 0's top card was clicked";
}

TEST_F(Course, OutOfTimeShowsItsPanelRecordsNothingAndTakesNoLateClick) {
    for (const char* gameTime : {"2", "-7"}) {
        SCOPED_TRACE(gameTime);
        SetGameTime(gameTime);
        panelsShown.clear();
        Play();
        cardGame.SetScore(5000);
        for (int i = 0; i < 400 && cardGame.GetState() == GAME_PLAYING; ++i) {
            if (GetCountdown() == 0)
                TapColumn(0); // too late
            ASSERT_EQ(Frame(), 1);
        }
        EXPECT_EQ(panelsShown, Panels{"gameover1.bmp"});
        Frame();
        EXPECT_EQ(TargetPixel(191, 60), Pixel(DigitColour(0))) << "the score is back";
        EXPECT_EQ(cardGame.GetState(), GAME_IDLE);
        EXPECT_EQ(board.TopRow(0), 5);
        EXPECT_FALSE(std::filesystem::exists("hiscore.dat"));
    }
}

TEST_F(Course, StuckRecordsOnlyATopTwentyScoreUnderThePlayerThenShowsItsPanel) {
    const std::string name = "Ann:the:Great" + std::string(50, 'e'); // 63 characters
    WriteBytes("../options.ini", "[setup]\nplayerid=2\n[Player3]\nname=" + name +
                                     "\naddress=1 Long Road\nemail=ann@example.org\nsend=N\n");
    Play();
    ArrangeStuckTable();
    cardGame.SetScore(4321);
    TapColumn(0);
    ASSERT_EQ(Frame(), 1);
    EXPECT_EQ(cardGame.GetState(), GAME_IDLE);
    EXPECT_EQ(panelsShown, (Panels{"hallfamepop.bmp", "gameover2.bmp"}));
    EXPECT_EQ(Best().name, name + ":1 Long Road:ann@example.org:N");
    EXPECT_EQ(Best().score, 4321);
    EXPECT_TRUE(appState.hwnd->title.ends_with(" - " + name)) << appState.hwnd->title;

    HighScoreTable full; // no better than the twentieth: the file stays as it was
    full.Allocate(HIGH_SCORE_ENTRIES);
    for (int i = 0; i < HIGH_SCORE_ENTRIES; ++i)
        full.Insert("Someone:::Y", 4321);
    ASSERT_TRUE(full.Save("hiscore.dat"));
    const std::string before = ReadBytes("hiscore.dat");
    WriteBytes("../options.ini", "\x01\xff[setup\nplayerid=12\n[Player1\nname=");
    panelsShown.clear();
    Play();
    ArrangeStuckTable();
    cardGame.SetScore(4321);
    TapColumn(0);
    ASSERT_EQ(Frame(), 1);
    EXPECT_EQ(panelsShown, Panels{"gameover2.bmp"});
    EXPECT_EQ(ReadBytes("hiscore.dat"), before);
    EXPECT_TRUE(appState.hwnd->title.ends_with(" - Player1"))
        << "damaged options: the first player";
}

TEST_F(Course, AWinPaysAThousandASecondLeftAndRecordsItAll) {
    SetGameTime("30");
    Play();
    ClearTable();
    for (int suit = 0; suit < 4; ++suit)
        board.foundations[suit].card = C(suit < 3 ? 11 : 10, suit);
    board.columns[4][0].card = C(11, 3);
    TapColumn(4);
    ASSERT_EQ(Frame(), 1);
    const int expected = 25 + SUIT_BONUS + FINAL_BONUS + 30 * 1000;
    EXPECT_EQ(std::make_pair(cardGame.GetScore(), GetCountdown()), std::make_pair(expected, 0));
    EXPECT_EQ(cardGame.GetState(), GAME_IDLE);
    EXPECT_EQ(panelsShown, (Panels{"congrats.bmp", "hallfamepop.bmp"}));
    EXPECT_EQ(Best().score, expected);
    EXPECT_STREQ(Best().name, "Player1:::Y");
    Frame(), Frame(), Frame();
    EXPECT_EQ(GetPixelValue(plat::PrimarySurface(), 300, 450), Pixel(kTable))
        << "nothing of the congratulations stays, even between the table's areas";
}

TEST_F(Course, RulesStopTheClockAndClosingThemResumesIt) {
    ClosePanelAfter(100); // before the first game: no clock, no table
    ASSERT_EQ(ClickButton(kHelpX, kHelpY), 1);
    EXPECT_EQ(panelsShown, Panels{kRules});
    AdvanceClock(2000);
    EXPECT_EQ(std::make_pair(cardGame.TableDrawn(), GetCountdown()),
              std::make_pair(0, DEFAULT_GAME_TIME));

    eachFlip = nullptr;
    StartGame();
    const int left = GetCountdown();
    panelsShown.clear();
    ClosePanelAfter(2000);
    ASSERT_EQ(ClickButton(kHelpX, kHelpY), 1);
    EXPECT_EQ(panelsShown, Panels{kRules});
    EXPECT_GE(GetCountdown(), left - 1) << "two seconds of rules cost no time";
    Frame();
    EXPECT_EQ(std::make_pair(TargetPixel(191, 60), TargetPixel(589, 26)),
              std::make_pair(Pixel(DigitColour(0)), Pixel(kCellBlue)))
        << "the score and the clock are back where the panel was";
    const int resumed = GetCountdown();
    AdvanceClock(1000);
    EXPECT_EQ(GetCountdown(), resumed - 1);
}

TEST_F(Course, AQuitDuringAPanelEndsTheFrameAtOnceLeavingTheState) {
    const struct {
        const char* panel;
        void (*arrange)();
        int frameResult;
    } rows[] = {
        {kRules, [] { Tap(kHelpX, kHelpY), Frame(); }, UPDATE_QUIT},
        {"gameover1.bmp", [] { SetCountdown(0); }, 0},
        {"hallfamepop.bmp", [] { ArrangeStuckTable(), cardGame.SetScore(100), TapColumn(0); }, 0},
        {"gameover2.bmp", [] { ArrangeStuckTable(), TapColumn(0); }, 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.panel);
        Play();
        row.arrange();
        panelsShown.clear();
        eachFlip = [] {
            if (!panelsShown.empty())
                plat::PostQuitMessage(0);
        };
        EXPECT_EQ(Frame(), row.frameResult);
        EXPECT_EQ(panelsShown, Panels{row.panel});
        EXPECT_EQ(cardGame.GetState(), GAME_PLAYING);
        plat::Message m;
        EXPECT_TRUE(plat::PeekMessage(&m) && m.message == plat::WM_QUIT)
            << "left for the main loop";
        eachFlip = nullptr; // the program would end here; the next row starts it afresh
        gameScreen.Leave();
        mouseCursor.Reset();
        gameScreen.Enter(nullptr, Back());
        Frame(), Frame(); // its first frames show the fresh table
    }
}

TEST_F(Course, MenuStartsTheSuitesMenuOrSaysWhyNot) {
    Play();
    EXPECT_EQ(ClickButton(kMenuX, kMenuY), 1) << "started by hand, the game has nowhere to go";
    EXPECT_TRUE(plat::null::StartedPrograms().empty());
    const std::string suite = SuiteFolder().string();
    std::snprintf(appState.commandLine, sizeof appState.commandLine, "%s", suite.c_str());
    EXPECT_EQ(ClickButton(kMenuX, kMenuY), 1) << "no menu program: the game goes on";
    ASSERT_EQ(plat::null::MessageBoxes().size(), 1u);
    EXPECT_NE(plat::null::MessageBoxes()[0].find(suite + "/Lumora"), std::string::npos);
    WriteBytes(suite + "/Lumora", "#!/bin/sh\n");
    ::chmod((suite + "/Lumora").c_str(), 0755);
    EXPECT_EQ(ClickButton(kMenuX, kMenuY), UPDATE_QUIT);
    std::filesystem::remove(suite + "/Lumora");
    ASSERT_EQ(plat::null::StartedPrograms().size(), 2u);
    const auto& started = plat::null::StartedPrograms()[1];
    EXPECT_EQ(std::vector<std::string>({started.program, started.parameter, started.workDir}),
              std::vector<std::string>({suite + "/Lumora", "Kestrin", suite}));
}

TEST_F(Course, WithoutFiftyTwoCardPicturesTheGameSaysSoAndEnds) {
    gameScreen.Leave();
    testing_support::TempDir other;
    std::filesystem::current_path(other.path());
    testing_support::WriteSolidBmp("cardset.bmp", 700, 360, kTable); // 40 cards
    gameScreen.Enter(nullptr, Back());
    ASSERT_EQ(plat::null::MessageBoxes().size(), 1u);
    EXPECT_NE(plat::null::MessageBoxes()[0].find("\"cardset.bmp\""), std::string::npos);
    EXPECT_EQ(Frame(), UPDATE_QUIT);
    std::filesystem::current_path(SuiteFolder() / "Kestrin");
}

TEST_F(Course, GameTimeIsReadWithinItsRangeAndAPauseEndsWithoutAClock) {
    EXPECT_EQ(ReadGameTime(), DEFAULT_GAME_TIME) << "no setup.ini";
    const std::pair<const char*, int> rows[] = {{"154", 154},
                                                {"42x", 42},
                                                {"", 154},
                                                {"abc", 154},
                                                {"-3", 0},
                                                {"1000000", MAX_GAME_TIME},
                                                {"99999999999999999999", 154},
                                                {"-99999999999999999999", 154}};
    for (const auto& [text, seconds] : rows) {
        SetGameTime(text);
        EXPECT_EQ(ReadGameTime(), seconds) << '"' << text << '"';
    }
    ResetTimerService(); // no timer runs: a real pause ends by the steady clock, not never
    SetPauseSleeper(nullptr);
    PauseFor(30);
}

} // namespace
} // namespace gametest
