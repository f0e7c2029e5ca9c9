#include "tools/artgen/assets.h"

#include <cstdlib>
#include <string>

#include "tools/artgen/painters.h"

namespace artgen {

namespace {

using layout::Point;

// Sizes follow from where the programs draw each picture (see layout.h): table buttons fit
// between the screen edge and the free cells, clock cells 22 x 7 with gaps between (589, 26)
// and the right edge and above the columns, title buttons in the rows 70 pixels apart, the
// back button at (608, 489) inside a 694 x 564 panel, and so on.
const std::vector<PictureEntry> kPictures = {
    // The menu, in the suite folder. The page background comes first: the strips over it
    // blend into it.
    {"background.bmp", layout::kScreenW, layout::kScreenH, 1, 0, PaintMenuBackground},
    {"PageNumbers.bmp", 18, 24, 10, 0, PaintPageNumbers},
    {"PageArrowsLeft.bmp", 40, 44, 2, 0,
     [](const PictureEntry& s, ArtContext& c) {
         return MenuButton(s, c, layout::kPageLeft, {"", Icon::ArrowLeft, 0});
     }},
    {"PageArrowsRight.bmp", 40, 44, 2, 0,
     [](const PictureEntry& s, ArtContext& c) {
         return MenuButton(s, c, layout::kPageRight, {"", Icon::ArrowRight, 0});
     }},
    {"Info.bmp", 72, 40, 2, 0,
     [](const PictureEntry& s, ArtContext& c) {
         return MenuButton(s, c, layout::kInfo, {"Info", Icon::Info, 13});
     }},
    {"SmallExit.bmp", 72, 40, 2, 0,
     [](const PictureEntry& s, ArtContext& c) {
         return MenuButton(s, c, layout::kSmallExit, {"Quit", Icon::Door, 13});
     }},
    {"GameButton.bmp", 250, 100, 3, 0, PaintGameButton},
    {"CollectButton.bmp", 250, 100, 1, 0, PaintCollectButton},
    {"infoscreen.bmp", 780, 450, 1, 0, PaintInfoScreen},
    {"backbutton.bmp", 76, 44, 2, 0, PaintBackButton},
    {"HowToPlayButton.bmp", 112, 56, 2, 0,
     [](const PictureEntry& s, ArtContext& c) {
         return TitleButton(s, c, layout::kHowToPlayButton, {"How to Play", Icon::None, 14});
     }},
    {"PlayButton.bmp", 112, 56, 2, 0,
     [](const PictureEntry& s, ArtContext& c) {
         return TitleButton(s, c, layout::kPlayButton, {"Play", Icon::Play, 19});
     }},
    {"HighScoresButton.bmp", 112, 56, 2, 0,
     [](const PictureEntry& s, ArtContext& c) {
         return TitleButton(s, c, layout::kHighScoresButton, {"High Scores", Icon::None, 14});
     }},
    {"MenuButton.bmp", 112, 56, 2, 0,
     [](const PictureEntry& s, ArtContext& c) {
         return TitleButton(s, c, layout::kMenuButton, {"Menu", Icon::Grid, 16});
     }},
    {"CreditsButton.bmp", 112, 56, 2, 0,
     [](const PictureEntry& s, ArtContext& c) {
         return TitleButton(s, c, layout::kCreditsButton, {"Credits", Icon::None, 15});
     }},
    {"ExitButton.bmp", 112, 56, 2, 0,
     [](const PictureEntry& s, ArtContext& c) {
         return TitleButton(s, c, layout::kExitButton, {"Exit", Icon::Door, 16});
     }},
    {"PlayersButton.bmp", 236, 48, 2, 0,
     [](const PictureEntry& s, ArtContext& c) {
         return TitleButton(s, c, layout::kPlayersButton, {"Players", Icon::Person, 17});
     }},
    {"sfx.bmp", 50, 50, 2, 0,
     [](const PictureEntry& s, ArtContext& c) { return PaintSoundSwitch(s, c, false); }},
    {"music.bmp", 50, 50, 2, 0,
     [](const PictureEntry& s, ArtContext& c) { return PaintSoundSwitch(s, c, true); }},
    {"blockcursor.bmp", 10, 26, 1, 0, PaintBlockCursor},
    {"PlayerInfo.bmp", layout::kPanelW, layout::kPanelH, 1, 0, PaintPlayerInfo},
    {"HallOfFameScreen.bmp", layout::kPanelW, layout::kPanelH, 1, 0, PaintHallOfFame},
    {"EnterButton.bmp", 104, 44, 2, 0,
     [](const PictureEntry& s, ArtContext& c) {
         return PanelButton(s, PlayerInfoCanvas(c), layout::kPlayersEnter,
                            {"Enter", Icon::Check, 15});
     }},
    {"RemoveButton.bmp", 104, 44, 2, 0,
     [](const PictureEntry& s, ArtContext& c) {
         return PanelButton(s, PlayerInfoCanvas(c), layout::kPlayersRemove,
                            {"Remove", Icon::Eraser, 14});
     }},
    {"yesno.bmp", 96, 40, 2, 0, PaintYesNo},
    {"UploadButton.bmp", 120, 48, 2, 0,
     [](const PictureEntry& s, ArtContext& c) {
         return PanelButton(s, HallCanvas(c), layout::kHallUpload, {"Upload", Icon::Upload, 15});
     }},
    {"ClearScores.bmp", 120, 48, 2, 0,
     [](const PictureEntry& s, ArtContext& c) {
         return PanelButton(s, HallCanvas(c), layout::kHallClear, {"Clear", Icon::Eraser, 15});
     }},
    {"h_font.bmp", 0, 26, 94, 0,
     [](const PictureEntry& s, ArtContext&) { return PaintBitmapFont(s, FontStyle::Highlight); }},
    {"n_font.bmp", 0, 26, 94, 0,
     [](const PictureEntry& s, ArtContext&) { return PaintBitmapFont(s, FontStyle::Normal); }},
    {"HallBlackFont.bmp", 0, 24, 94, 0,
     [](const PictureEntry& s, ArtContext&) { return PaintBitmapFont(s, FontStyle::HallBlack); }},
    {"HallPurpleFont.bmp", 0, 24, 94, 0,
     [](const PictureEntry& s, ArtContext&) { return PaintBitmapFont(s, FontStyle::HallPurple); }},

    // The card game, in Kestrin/.
    {"Kestrin/background.bmp", layout::kScreenW, layout::kScreenH, 1, 0, PaintTableBackground},
    {"Kestrin/cardset.bmp", layout::kCardW, layout::kCardH, 52, 13, PaintCardSet},
    {"Kestrin/cardhilite.bmp", layout::kCardW + 4, layout::kCardH + 4, 1, 0, PaintCardHilite},
    {"Kestrin/cardshadow.bmp", layout::kCardW, layout::kCardH, 1, 0, PaintCardShadow},
    {"Kestrin/kings1.bmp", layout::kCardW, layout::kCardH, 4, 0, PaintKings},
    {"Kestrin/timerblue.bmp", 8, 10, 1, 0,
     [](const PictureEntry& s, ArtContext&) { return PaintTimerCell(s, false); }},
    {"Kestrin/timerred.bmp", 8, 10, 1, 0,
     [](const PictureEntry& s, ArtContext&) { return PaintTimerCell(s, true); }},
    {"Kestrin/scorefont.bmp", 14, 22, 10, 0, PaintScoreFont},
    {"Kestrin/floatingscores.bmp", 80, 24, 13, 0, PaintFloatingScores},
    {"Kestrin/newgame.bmp", 60, 46, 2, 0,
     [](const PictureEntry& s, ArtContext& c) {
         return TableButton(s, c, layout::kNewGame, {"New", Icon::Deal, 11});
     }},
    {"Kestrin/help.bmp", 60, 46, 2, 0,
     [](const PictureEntry& s, ArtContext& c) {
         return TableButton(s, c, layout::kHelp, {"Rules", Icon::Question, 11});
     }},
    {"Kestrin/menu.bmp", 60, 46, 2, 0,
     [](const PictureEntry& s, ArtContext& c) {
         return TableButton(s, c, layout::kMenu, {"Menu", Icon::Grid, 11});
     }},
    {"Kestrin/exit.bmp", 60, 46, 2, 0,
     [](const PictureEntry& s, ArtContext& c) {
         return TableButton(s, c, layout::kExit, {"Exit", Icon::Door, 11});
     }},
    {"Kestrin/gameover1.bmp", 420, 180, 1, 0,
     [](const PictureEntry& s, ArtContext& c) {
         return PaintTablePanel(s, c, TablePanel::TimeUp);
     }},
    {"Kestrin/gameover2.bmp", 420, 180, 1, 0,
     [](const PictureEntry& s, ArtContext& c) {
         return PaintTablePanel(s, c, TablePanel::NoMoves);
     }},
    {"Kestrin/congrats.bmp", 404, 322, 1, 0, PaintCongrats},
    {"Kestrin/hallfamepop.bmp", 420, 180, 1, 0,
     [](const PictureEntry& s, ArtContext& c) {
         return PaintTablePanel(s, c, TablePanel::HallOfFame);
     }},
    {"Kestrin/LumoraButton.bmp", 250, 100, 1, 0, PaintLumoraButton},
    {"Kestrin/title/titlebackground.bmp", layout::kScreenW, layout::kScreenH, 1, 0,
     PaintTitleBackground},
    {"Kestrin/title/HowToPlay.bmp", layout::kPanelW, layout::kPanelH, 1, 0, PaintHowToPlay},
    {"Kestrin/title/Credits.bmp", layout::kPanelW, layout::kPanelH, 1, 0, PaintCredits},
};

} // namespace

const std::vector<PictureEntry>& AllPictures() {
    return kPictures;
}

const PictureEntry& FindPictureEntry(const std::string& path) {
    for (const PictureEntry& entry : kPictures) {
        if (path == entry.path) {
            return entry;
        }
    }
    std::abort(); // a painter asked for a picture the table does not have: a programming error
}

const Canvas& ArtContext::Background(const std::string& key, int w, int h,
                                     BackgroundPainter paint) {
    auto found = backgrounds_.find(key);
    if (found != backgrounds_.end()) {
        return *found->second;
    }
    auto canvas = std::make_unique<Canvas>(w, h);
    paint(*canvas);
    return *(backgrounds_[key] = std::move(canvas));
}

std::unique_ptr<Canvas> MakeCanvas(const PictureEntry& entry) {
    return std::make_unique<Canvas>(entry.Width(), entry.Height());
}

} // namespace artgen
