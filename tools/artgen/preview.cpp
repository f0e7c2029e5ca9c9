// The layout preview: screens composed from the generated pictures at the places where the
// programs draw them, to check that everything fits and reads well together.
#include <cstdio>
#include <string>

#include "tools/artgen/assets.h"
#include "tools/artgen/compose.h"
#include "tools/artgen/contact_sheet.h"
#include "tools/artgen/font_measure.h"
#include "tools/artgen/layout.h"
#include "tools/artgen/suite_writer.h"

namespace artgen {

namespace {

using namespace layout;

class Screen {
  public:
    explicit Screen(std::map<std::string, Picture>& pictures) : pictures_(pictures) {}

    void Draw(const std::string& path, int frame, int x, int y) {
        BlitFrame(screen, pictures_[path], FindPictureEntry(path), frame, x, y);
    }
    void Card(int rank, int suit, Point at) {
        Draw("Kestrin/cardset.bmp", rank + 13 * suit, at.x, at.y);
    }
    void Number(const std::string& strip, int right, int y, const std::string& digits) {
        const PictureEntry& entry = FindPictureEntry(strip);
        int x = right - static_cast<int>(digits.size()) * entry.frameWidth;
        for (char d : digits) {
            Draw(strip, d - '0', x, y);
            x += entry.frameWidth;
        }
    }
    void Text(const std::string& font, const std::string& text, int x, int y, int gap) {
        const Picture& picture = pictures_[font];
        DrawFontText(screen, picture, MeasureGlyphs(picture), text, x, y, gap);
    }

    Picture screen{kScreenW, kScreenH};

  private:
    std::map<std::string, Picture>& pictures_;
};

void ComposeTable(Screen& s, bool won) {
    s.Draw("Kestrin/background.bmp", 0, 0, 0);
    unsigned seed = 12345;
    auto next = [&seed]() {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 16) % 52;
    };
    for (int row = 0; row < 6; ++row) {
        for (int c = 0; c < 8; ++c) {
            Point at = ColumnCard(c, row);
            if (row > 0) {
                s.Draw("Kestrin/cardshadow.bmp", 0, at.x - 5, at.y + 2);
            }
            int card = static_cast<int>(next());
            s.Card(card / 4, card % 4, at);
            if (row == 5 && (c == 2 || c == 6)) {
                s.Draw("Kestrin/cardhilite.bmp", 0, at.x - 2, at.y - 2);
            }
        }
    }
    for (int i = 2; i < 6; ++i) {
        int card = static_cast<int>(next());
        s.Card(card / 4, card % 4, FreeCell(i));
    }
    s.Card(11, 0, Foundation(0));
    s.Draw("Kestrin/kings1.bmp", 0, Foundation(0).x, Foundation(0).y);
    s.Card(4, 1, Foundation(1));
    s.Card(0, 2, Foundation(2));
    s.Draw("Kestrin/floatingscores.bmp", 2, Foundation(2).x, Foundation(2).y + 15);
    s.Number("Kestrin/scorefont.bmp", kScoreRight, kBestScoreY, "1250400");
    s.Number("Kestrin/scorefont.bmp", kScoreRight, kScoreY, "4375");
    const PictureEntry& cell = FindPictureEntry("Kestrin/timerblue.bmp");
    for (int i = 0; i < 100; ++i) {
        int col = i % kClockColumns, row = i / kClockColumns;
        s.Draw(i == 99 ? "Kestrin/timerred.bmp" : "Kestrin/timerblue.bmp", 0,
               kClock.x + col * (cell.frameWidth + 1), kClock.y + row * (cell.frameHeight + 1));
    }
    s.Draw("Kestrin/newgame.bmp", 1, kNewGame.x, kNewGame.y);
    s.Draw("Kestrin/help.bmp", 0, kHelp.x, kHelp.y);
    s.Draw("Kestrin/menu.bmp", 0, kMenu.x, kMenu.y);
    s.Draw("Kestrin/exit.bmp", 0, kExit.x, kExit.y);
    if (won) {
        s.Draw("Kestrin/congrats.bmp", 0, kCongrats.x, kCongrats.y);
    }
}

void ComposeTitle(Screen& s) {
    s.Draw("Kestrin/title/titlebackground.bmp", 0, 0, 0);
    const struct {
        const char* file;
        Point at;
        int frame;
    } buttons[] = {
        {"HowToPlayButton.bmp", kHowToPlayButton, 0},
        {"PlayButton.bmp", kPlayButton, 1},
        {"HighScoresButton.bmp", kHighScoresButton, 0},
        {"MenuButton.bmp", kMenuButton, 0},
        {"CreditsButton.bmp", kCreditsButton, 0},
        {"ExitButton.bmp", kExitButton, 0},
        {"PlayersButton.bmp", kPlayersButton, 0},
        {"sfx.bmp", kSfxSwitch, 0},
        {"music.bmp", kMusicSwitch, 1},
    };
    for (const auto& b : buttons) {
        s.Draw(b.file, b.frame, b.at.x, b.at.y);
    }
    const char* names[8] = {"Player1", "Margarethe", "Sam",     "Player4",
                            "Player5", "Player6",    "Player7", "Player8"};
    for (int i = 0; i < 8; ++i) {
        Box slot = NameSlot(i);
        s.Text(i == 1 ? "h_font.bmp" : "n_font.bmp", names[i], slot.x, slot.y, 1);
    }
}

void ComposePlayers(Screen& s) {
    ComposeTitle(s);
    s.Draw("PlayerInfo.bmp", 0, kPanel.x, kPanel.y);
    const char* values[3] = {"Margarethe", "12 Harbour Road, Kingsport", "mg@example.org"};
    for (int i = 0; i < 3; ++i) {
        Box field = PlayerField(i);
        s.Text("h_font.bmp", values[i], kPanel.x + field.x, kPanel.y + field.y, 3);
    }
    s.Draw("blockcursor.bmp", 0, 300, kPanel.y + PlayerField(0).y);
    auto rel = [](Point p) { return Point{kPanel.x + p.x, kPanel.y + p.y}; };
    s.Draw("EnterButton.bmp", 0, rel(kPlayersEnter).x, rel(kPlayersEnter).y);
    s.Draw("RemoveButton.bmp", 0, rel(kPlayersRemove).x, rel(kPlayersRemove).y);
    s.Draw("backbutton.bmp", 1, rel(kPlayersBack).x, rel(kPlayersBack).y);
    s.Draw("yesno.bmp", 0, rel(kPlayersYesNo).x, rel(kPlayersYesNo).y);
}

void ComposeHall(Screen& s) {
    ComposeTitle(s);
    s.Draw("HallOfFameScreen.bmp", 0, kPanel.x, kPanel.y);
    auto rel = [](Point p) { return Point{kPanel.x + p.x, kPanel.y + p.y}; };
    s.Draw("UploadButton.bmp", 0, rel(kHallUpload).x, rel(kHallUpload).y);
    s.Draw("ClearScores.bmp", 1, rel(kHallClear).x, rel(kHallClear).y);
    s.Draw("backbutton.bmp", 0, rel(kHallBack).x, rel(kHallBack).y);
    for (int i = 0; i < 14; ++i) {
        int column = i / 10, r = i % 10;
        const char* font = r % 2 == 0 ? "HallPurpleFont.bmp" : "HallBlackFont.bmp";
        int y = kPanel.y + kHallRowY + kHallRowPitch * r;
        s.Text(font, i % 3 == 0 ? "Margarethe" : (i % 3 == 1 ? "Player1" : "Sam"),
               kPanel.x + kHallNameX[column], y, 1);
        s.Text(font, std::to_string(754000 - i * 41234), kPanel.x + kHallScoreX[column], y, 1);
    }
}

void ComposeMenu(Screen& s) {
    s.Draw("background.bmp", 0, 0, 0);
    s.Draw("PageArrowsLeft.bmp", 0, kPageLeft.x, kPageLeft.y);
    s.Draw("PageArrowsRight.bmp", 1, kPageRight.x, kPageRight.y);
    s.Draw("Info.bmp", 0, kInfo.x, kInfo.y);
    s.Draw("SmallExit.bmp", 0, kSmallExit.x, kSmallExit.y);
    s.Number("PageNumbers.bmp", kPageNumberRight, kPageNumberY, "1");
    Point first = GameSlot(0), second = GameSlot(1);
    s.Draw("Kestrin/LumoraButton.bmp", 0, first.x, first.y);
    s.Draw("GameButton.bmp", 1, first.x, first.y);
    s.Draw("CollectButton.bmp", 0, second.x, second.y);
    s.Draw("GameButton.bmp", 0, second.x, second.y);
}

void ComposeMenuHelp(Screen& s) {
    ComposeMenu(s);
    const PictureEntry& info = FindPictureEntry("infoscreen.bmp");
    const int x = kScreenW / 2 - info.Width() / 2, y = kScreenH / 2 - info.Height() / 2;
    s.Draw("infoscreen.bmp", 0, x, y);
    s.Draw("backbutton.bmp", 0, x + kInfoBack.x, y + kInfoBack.y);
}

void ComposeStuck(Screen& s) {
    ComposeTable(s, false);
    const PictureEntry& panel = FindPictureEntry("Kestrin/gameover2.bmp");
    s.Draw("Kestrin/gameover2.bmp", 0, kScreenW / 2 - panel.Width() / 2,
           kScreenH / 2 - panel.Height() / 2);
}

} // namespace

bool WritePreview(const std::string& pngPath, std::string& error) {
    std::map<std::string, Picture> pictures = RenderAllPictures();
    Picture sheet(2 * kScreenW, 4 * kScreenH);
    void (*composers[8])(Screen&) = {
        [](Screen& s) { ComposeTable(s, false); },
        [](Screen& s) { ComposeTable(s, true); },
        ComposeTitle,
        ComposePlayers,
        ComposeHall,
        ComposeMenu,
        ComposeMenuHelp,
        ComposeStuck,
    };
    for (int i = 0; i < 8; ++i) {
        Screen screen(pictures);
        composers[i](screen);
        Blit(sheet, screen.screen, 0, 0, kScreenW, kScreenH, (i % 2) * kScreenW,
             (i / 2) * kScreenH);
    }
    if (!WritePng(sheet, pngPath)) {
        error = "cannot write " + pngPath;
        return false;
    }
    return true;
}

} // namespace artgen
