// Every generated picture against the rules the programs rely on: sizes that cut into whole
// frames, fonts that measure to 94 glyphs, no key-blue holes, and pictures that fit where the
// programs draw them.
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "artgen/generated_suite.h"
#include "tools/artgen/assets.h"
#include "tools/artgen/font_measure.h"
#include "tools/artgen/layout.h"

namespace {

using artgen::kKeyPixel;
using artgen::Picture;
using artgen::PictureEntry;

const Picture& Load(const std::string& path) {
    return artgen_test::GeneratedPicture(path);
}

TEST(GeneratedPictures, EveryStripCutsIntoWholeFramesOfItsSize) {
    for (const PictureEntry& entry : artgen::AllPictures()) {
        if (entry.IsFont()) {
            continue;
        }
        const Picture& picture = Load(entry.path);
        EXPECT_EQ(picture.width, entry.Width()) << entry.path;
        EXPECT_EQ(picture.height, entry.Height()) << entry.path;
        EXPECT_EQ(picture.width % entry.frameWidth, 0) << entry.path;
        EXPECT_EQ(picture.height % entry.frameHeight, 0) << entry.path;
        EXPECT_EQ((picture.width / entry.frameWidth) * (picture.height / entry.frameHeight),
                  entry.frames)
            << entry.path;
    }
}

TEST(GeneratedPictures, FramesHaveTheCountsTheProgramsLoad) {
    const std::map<std::string, int> frames = {
        {"Kestrin/cardset.bmp", 52},
        {"Kestrin/kings1.bmp", 4},
        {"Kestrin/scorefont.bmp", 10},
        {"Kestrin/floatingscores.bmp", 13},
        {"Kestrin/newgame.bmp", 2},
        {"PageNumbers.bmp", 10},
        {"GameButton.bmp", 3},
        {"sfx.bmp", 2},
        {"music.bmp", 2},
        {"backbutton.bmp", 2},
    };
    for (const auto& [path, count] : frames) {
        EXPECT_EQ(artgen::FindPictureEntry(path).frames, count) << path;
    }
    const Picture& cards = Load("Kestrin/cardset.bmp");
    EXPECT_EQ(cards.width, 910);
    EXPECT_EQ(cards.height, 360);
}

TEST(GeneratedPictures, FontsMeasureToExactly94GlyphsFillingTheWholeBitmap) {
    for (const char* path :
         {"h_font.bmp", "n_font.bmp", "HallBlackFont.bmp", "HallPurpleFont.bmp"}) {
        const Picture& font = Load(path);
        std::vector<artgen::GlyphSpan> glyphs = artgen::MeasureGlyphs(font);
        ASSERT_EQ(glyphs.size(), 94u) << path;
        EXPECT_EQ(glyphs.front().left, 0) << path;
        EXPECT_EQ(glyphs.back().right, font.width) << path;
        for (size_t i = 1; i < glyphs.size(); ++i) {
            EXPECT_EQ(glyphs[i].left, glyphs[i - 1].right + 1) << path << " glyph " << i;
        }
        // '"' and '%' are single runs, and 'W' is wider than 'i'.
        EXPECT_GT(glyphs['W' - '!'].right - glyphs['W' - '!'].left,
                  glyphs['i' - '!'].right - glyphs['i' - '!'].left)
            << path;
    }
}

TEST(GeneratedPictures, FontHeightsFitTheFieldsAndRowsTheyAreDrawnIn) {
    EXPECT_LE(Load("h_font.bmp").height, artgen::layout::PlayerField(0).h);
    EXPECT_LE(Load("n_font.bmp").height, artgen::layout::NameSlot(0).h);
    EXPECT_LE(Load("HallBlackFont.bmp").height, artgen::layout::kHallRowPitch);
    EXPECT_LE(Load("HallPurpleFont.bmp").height, artgen::layout::kHallRowPitch);
    EXPECT_EQ(Load("blockcursor.bmp").height, Load("h_font.bmp").height);
}

TEST(GeneratedPictures, NoKeyPixelIsWalledInsideAnOpaqueShape) {
    for (const PictureEntry& entry : artgen::AllPictures()) {
        if (std::string(entry.path) == "Kestrin/cardshadow.bmp") {
            continue; // a dither on purpose, checked below
        }
        const Picture& picture = Load(entry.path);
        int holes = 0;
        for (int y = 1; y + 1 < picture.height; ++y) {
            for (int x = 1; x + 1 < picture.width; ++x) {
                if (picture.At(x, y) == kKeyPixel && picture.At(x - 1, y) != kKeyPixel &&
                    picture.At(x + 1, y) != kKeyPixel && picture.At(x, y - 1) != kKeyPixel &&
                    picture.At(x, y + 1) != kKeyPixel) {
                    ++holes;
                }
            }
        }
        EXPECT_EQ(holes, 0) << entry.path;
    }
}

TEST(GeneratedPictures, TheShadowIsAThinDitherOfOneDarkColour) {
    const Picture& shadow = Load("Kestrin/cardshadow.bmp");
    std::set<uint16_t> colours;
    int opaque = 0;
    for (uint16_t v : shadow.pixels) {
        if (v != kKeyPixel) {
            colours.insert(v);
            ++opaque;
        }
    }
    EXPECT_EQ(colours.size(), 1u);
    const double share = static_cast<double>(opaque) / static_cast<double>(shadow.pixels.size());
    EXPECT_GT(share, 0.3);
    EXPECT_LT(share, 0.55);
    EXPECT_EQ(shadow.At(0, 0), kKeyPixel) << "rounded corner";
}

TEST(GeneratedPictures, ScreenPicturesAndPanelsAreFullyOpaqueInside) {
    for (const char* path : {"background.bmp", "Kestrin/background.bmp",
                             "Kestrin/title/titlebackground.bmp", "Kestrin/LumoraButton.bmp"}) {
        const Picture& picture = Load(path);
        const int margin = std::string(path).find("LumoraButton") != std::string::npos ? 4 : 0;
        for (int y = margin; y < picture.height - margin; ++y) {
            for (int x = margin; x < picture.width - margin; ++x) {
                ASSERT_NE(picture.At(x, y), kKeyPixel) << path << " at " << x << "," << y;
            }
        }
    }
    for (const char* path :
         {"PlayerInfo.bmp", "HallOfFameScreen.bmp", "Kestrin/title/HowToPlay.bmp",
          "Kestrin/title/Credits.bmp", "Kestrin/congrats.bmp"}) {
        const Picture& panel = Load(path);
        EXPECT_NE(panel.At(panel.width / 2, panel.height / 2), kKeyPixel) << path;
        EXPECT_NE(panel.At(20, panel.height / 2), kKeyPixel) << path;
    }
}

TEST(GeneratedPictures, PicturesFitWhereTheProgramsDrawThem) {
    using namespace artgen::layout;
    auto size = [](const char* path) { return artgen::FindPictureEntry(path); };
    // Clock cells: 22 x 7 with 1-pixel gaps from (589, 26), inside the screen, above the columns.
    const PictureEntry& cell = size("Kestrin/timerblue.bmp");
    EXPECT_LE(kClock.x + kClockColumns * (cell.frameWidth + 1), kScreenW);
    EXPECT_LE(kClock.y + kClockRows * (cell.frameHeight + 1), kColumnArea.y);
    EXPECT_EQ(size("Kestrin/timerred.bmp").frameWidth, cell.frameWidth);
    EXPECT_LE(size("Kestrin/floatingscores.bmp").frameWidth, 80);
    EXPECT_LE(size("Kestrin/congrats.bmp").Width(), 404);
    EXPECT_LE(size("Kestrin/congrats.bmp").Height(), 322);
    EXPECT_EQ(size("Kestrin/cardhilite.bmp").frameWidth, kCardW + 4);
    EXPECT_EQ(size("Kestrin/cardhilite.bmp").frameHeight, kCardH + 4);
    // Seven digits of score right-aligned at 192 stay inside the score panel.
    const PictureEntry& digits = size("Kestrin/scorefont.bmp");
    EXPECT_GE(kScoreRight - 7 * digits.frameWidth, kScorePanel.x + 60);
    EXPECT_LE(kScoreY + digits.frameHeight, kScorePanel.y + kScorePanel.h);
    // Table buttons between the screen edges and the free cells.
    const PictureEntry& button = size("Kestrin/newgame.bmp");
    EXPECT_LT(kNewGame.x + button.frameWidth, FreeCell(0).x);
    EXPECT_LE(kMenu.x + button.frameWidth, kScreenW);
    EXPECT_LE(kExit.y + button.frameHeight, kScreenH);
    EXPECT_LE(kNewGame.y + button.frameHeight, kHelp.y);
    // The back button inside the players panel, the Hall of Fame panel and the info screen.
    const PictureEntry& back = size("backbutton.bmp");
    EXPECT_LE(kPlayersBack.x + back.frameWidth, kPanelW);
    EXPECT_LE(kPlayersBack.y + back.frameHeight, kPanelH);
    EXPECT_LE(kHallBack.y + back.frameHeight, kHallRowY);
    EXPECT_LE(kInfoBack.x + back.frameWidth, size("infoscreen.bmp").Width());
    EXPECT_LE(kInfoBack.y + back.frameHeight, size("infoscreen.bmp").Height());
    // Title buttons: rows do not overlap, switches side by side.
    const PictureEntry& title = size("PlayButton.bmp");
    EXPECT_LE(kPlayButton.y + title.frameHeight, kMenuButton.y);
    EXPECT_LE(kPlayButton.x + title.frameWidth, kScreenW);
    EXPECT_LE(kHowToPlayButton.x + title.frameWidth, NameSlot(0).x);
    EXPECT_LE(kSfxSwitch.x + size("sfx.bmp").frameWidth, kMusicSwitch.x);
    EXPECT_LE(kPlayersButton.y + size("PlayersButton.bmp").frameHeight, NameSlot(0).y);
    // Menu: game buttons on their grid without overlapping, page controls in the screen.
    const PictureEntry& game = size("GameButton.bmp");
    EXPECT_LE(GameSlot(0).x + game.frameWidth, GameSlot(1).x);
    EXPECT_LE(GameSlot(0).y + game.frameHeight, GameSlot(3).y);
    EXPECT_LE(GameSlot(11).y + game.frameHeight, kScreenH);
    EXPECT_EQ(size("Kestrin/LumoraButton.bmp").Width(), game.frameWidth);
    EXPECT_LE(kPageRight.x + size("PageArrowsRight.bmp").frameWidth, kScreenW);
    EXPECT_LE(kInfo.x + size("Info.bmp").frameWidth, kSmallExit.x);
    EXPECT_LE(kInfo.y + size("Info.bmp").frameHeight, GameSlot(0).y);
}

TEST(GeneratedPictures, GameButtonFramesLeaveTheIconVisibleInTheMiddle) {
    const Picture& strip = Load("GameButton.bmp");
    const PictureEntry& entry = artgen::FindPictureEntry("GameButton.bmp");
    for (int f = 0; f < entry.frames; ++f) {
        int cx = f * entry.frameWidth + entry.frameWidth / 2;
        EXPECT_EQ(strip.At(cx, entry.frameHeight / 2), kKeyPixel) << "frame " << f;
        EXPECT_NE(strip.At(f * entry.frameWidth + entry.frameWidth / 2, 1), kKeyPixel) << f;
    }
}

TEST(GeneratedPictures, EveryCardShowsRankAndSuitInItsTopThirtyPixels) {
    const Picture& cards = Load("Kestrin/cardset.bmp");
    std::vector<std::set<uint16_t>> rowColours(4);
    const uint16_t face = cards.At(10, 60); // blank face of the Two of spades
    for (int suit = 0; suit < 4; ++suit) {
        for (int rank = 0; rank < 13; ++rank) {
            int x0 = rank * 70, y0 = suit * 90;
            int leftInk = 0, rightInk = 0;
            std::map<uint16_t, int> counts;
            for (int y = y0 + 2; y < y0 + 30; ++y) {
                for (int x = x0 + 2; x < x0 + 68; ++x) {
                    uint16_t v = cards.At(x, y);
                    if (v != face && v != kKeyPixel) {
                        (x < x0 + 35 ? leftInk : rightInk)++;
                        counts[v]++;
                    }
                }
            }
            EXPECT_GT(leftInk, 40) << "rank " << rank << " suit " << suit;
            EXPECT_GT(rightInk, 60) << "rank " << rank << " suit " << suit;
            auto most = std::max_element(counts.begin(), counts.end(),
                                         [](auto& a, auto& b) { return a.second < b.second; });
            rowColours[suit].insert(most->first);
        }
    }
    // One ink colour per suit row, and four different ones.
    std::set<uint16_t> all;
    for (const auto& colours : rowColours) {
        EXPECT_EQ(colours.size(), 1u);
        all.insert(colours.begin(), colours.end());
    }
    EXPECT_EQ(all.size(), 4u);
}

TEST(GeneratedPictures, CourtCardsAndAcesAreMoreThanALetter) {
    const Picture& cards = Load("Kestrin/cardset.bmp");
    const uint16_t face = cards.At(10, 60);
    auto colourful = [&](int rank, int suit) {
        std::set<uint16_t> colours;
        for (int y = suit * 90 + 32; y < suit * 90 + 88; ++y) {
            for (int x = rank * 70 + 4; x < rank * 70 + 66; ++x) {
                if (cards.At(x, y) != face) {
                    colours.insert(cards.At(x, y));
                }
            }
        }
        return colours.size();
    };
    for (int suit = 0; suit < 4; ++suit) {
        for (int rank = 9; rank <= 12; ++rank) {
            EXPECT_GT(colourful(rank, suit), 60u) << "rank " << rank << " suit " << suit;
        }
        EXPECT_LT(colourful(0, suit), colourful(11, suit));
    }
}

} // namespace
