// The generated pictures and sounds against what the programs rely on: sizes that cut into
// whole frames, fonts of 94 glyphs, no key-blue holes, pictures that fit where they are drawn;
// sounds that fade in and out at matched levels under one ceiling, and music that loops without
// a jump (the synthesiser wraps note tails and echoes of its end into its start).
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <numeric>
#include <set>

#include "tools/artgen/assets.h"
#include "tools/artgen/font_measure.h"
#include "tools/artgen/layout.h"
#include "tools/artgen/sounds.h"
#include "tools/artgen/synth.h"

namespace {

using artgen::kKeyPixel;
using artgen::Picture;
using artgen::PictureEntry;
using artgen::Sound;

// Painted once, for the tests that look at them.
const Picture& Load(const std::string& path) {
    static artgen::ArtContext context;
    static std::map<std::string, Picture> painted;
    if (!painted.count(path)) {
        const PictureEntry& entry = artgen::FindPictureEntry(path);
        painted[path] = entry.paint(entry, context);
    }
    return painted[path];
}

int Peak(const std::vector<int16_t>& samples) {
    int peak = 0;
    for (int16_t s : samples)
        peak = std::max(peak, std::abs(static_cast<int>(s)));
    return peak;
}

// Every picture: the size and frame count the programs cut it by, and no key pixel walled in
// on four sides, which would show as a blue dot (the card shadow is a dither on purpose).
TEST(GeneratedPictures, EveryPictureCutsIntoItsFramesWithoutKeyHoles) {
    const std::map<std::string, int> framesLoaded = {{"Kestrin/cardset.bmp", 52},
                                                     {"Kestrin/kings1.bmp", 4},
                                                     {"Kestrin/scorefont.bmp", 10},
                                                     {"Kestrin/floatingscores.bmp", 13},
                                                     {"Kestrin/newgame.bmp", 2},
                                                     {"PageNumbers.bmp", 10},
                                                     {"GameButton.bmp", 3},
                                                     {"sfx.bmp", 2},
                                                     {"music.bmp", 2},
                                                     {"backbutton.bmp", 2}};
    for (const PictureEntry& entry : artgen::AllPictures()) {
        SCOPED_TRACE(entry.path);
        const Picture& picture = Load(entry.path);
        EXPECT_TRUE(entry.IsFont() ||
                    (picture.width == entry.Width() && picture.height == entry.Height()))
            << picture.width << "x" << picture.height;
        if (std::string(entry.path) == "Kestrin/cardshadow.bmp")
            continue;
        int holes = 0;
        for (int y = 1; y + 1 < picture.height; ++y) {
            for (int x = 1; x + 1 < picture.width; ++x) {
                holes += picture.At(x, y) == kKeyPixel && picture.At(x - 1, y) != kKeyPixel &&
                         picture.At(x + 1, y) != kKeyPixel && picture.At(x, y - 1) != kKeyPixel &&
                         picture.At(x, y + 1) != kKeyPixel;
            }
        }
        EXPECT_EQ(holes, 0);
    }
    for (const auto& [path, frames] : framesLoaded)
        EXPECT_EQ(artgen::FindPictureEntry(path).frames, frames) << path;
    EXPECT_EQ(Load("Kestrin/cardset.bmp").width, 910);
}

TEST(GeneratedPictures, FontsAre94GlyphsFillingTheBitmapAndFitTheirRows) {
    const std::pair<const char*, int> fonts[] = {
        {"h_font.bmp", artgen::layout::PlayerField(0).h},
        {"n_font.bmp", artgen::layout::NameSlot(0).h},
        {"HallBlackFont.bmp", artgen::layout::kHallRowPitch},
        {"HallPurpleFont.bmp", artgen::layout::kHallRowPitch},
    };
    for (const auto& [path, rowHeight] : fonts) {
        SCOPED_TRACE(path);
        const Picture& font = Load(path);
        EXPECT_LE(font.height, rowHeight);
        std::vector<artgen::GlyphSpan> glyphs = artgen::MeasureGlyphs(font);
        ASSERT_EQ(glyphs.size(), 94u);
        EXPECT_EQ(glyphs.front().left, 0);
        EXPECT_EQ(glyphs.back().right, font.width);
        for (size_t i = 1; i < glyphs.size(); ++i)
            EXPECT_EQ(glyphs[i].left, glyphs[i - 1].right + 1) << "glyph " << i;
        auto width = [&](char c) { return glyphs[c - '!'].right - glyphs[c - '!'].left; };
        EXPECT_GT(width('W'), width('i'));
    }
    EXPECT_EQ(Load("blockcursor.bmp").height, Load("h_font.bmp").height);
}

TEST(GeneratedPictures, ScreensArePaintedEdgeToEdgeAndTheShadowIsAThinDither) {
    for (const char* path : {"background.bmp", "Kestrin/background.bmp",
                             "Kestrin/title/titlebackground.bmp", "Kestrin/LumoraButton.bmp"}) {
        const Picture& picture = Load(path);
        const int margin = std::string(path) == "Kestrin/LumoraButton.bmp" ? 4 : 0;
        for (int y = margin; y < picture.height - margin; ++y) {
            for (int x = margin; x < picture.width - margin; ++x)
                ASSERT_NE(picture.At(x, y), kKeyPixel) << path << " at " << x << "," << y;
        }
    }
    for (const char* path : {"PlayerInfo.bmp", "HallOfFameScreen.bmp", "Kestrin/congrats.bmp",
                             "Kestrin/title/HowToPlay.bmp", "Kestrin/title/Credits.bmp"}) {
        const Picture& panel = Load(path);
        EXPECT_NE(panel.At(panel.width / 2, panel.height / 2), kKeyPixel) << path;
        EXPECT_NE(panel.At(20, panel.height / 2), kKeyPixel) << path;
    }
    const Picture& shadow = Load("Kestrin/cardshadow.bmp");
    std::set<uint16_t> colours(shadow.pixels.begin(), shadow.pixels.end());
    colours.erase(kKeyPixel);
    EXPECT_EQ(colours.size(), 1u);
    const double share = 1.0 - static_cast<double>(std::count(shadow.pixels.begin(),
                                                              shadow.pixels.end(), kKeyPixel)) /
                                   static_cast<double>(shadow.pixels.size());
    EXPECT_TRUE(share > 0.3 && share < 0.55) << share;
    EXPECT_EQ(shadow.At(0, 0), kKeyPixel) << "rounded corner";
    // The game buttons' frames leave a window in the middle for the game's icon.
    const Picture& buttons = Load("GameButton.bmp");
    const PictureEntry& button = artgen::FindPictureEntry("GameButton.bmp");
    for (int f = 0; f < button.frames; ++f) {
        const int x = f * button.frameWidth + button.frameWidth / 2;
        EXPECT_EQ(buttons.At(x, button.frameHeight / 2), kKeyPixel) << "frame " << f;
        EXPECT_NE(buttons.At(x, 1), kKeyPixel) << "frame " << f;
    }
}

TEST(GeneratedPictures, PicturesFitWhereTheProgramsDrawThem) {
    using namespace artgen::layout;
    auto size = [](const char* path) { return artgen::FindPictureEntry(path); };
    const PictureEntry &cell = size("Kestrin/timerblue.bmp"),
                       &digits = size("Kestrin/scorefont.bmp");
    const PictureEntry &button = size("Kestrin/newgame.bmp"), &back = size("backbutton.bmp");
    const PictureEntry &title = size("PlayButton.bmp"), &game = size("GameButton.bmp");
    const struct {
        const char* what;
        int end, limit;
    } fits[] = {
        {"clock, across", kClock.x + kClockColumns * (cell.frameWidth + 1), kScreenW},
        {"clock, down", kClock.y + kClockRows * (cell.frameHeight + 1), kColumnArea.y},
        {"congratulations", size("Kestrin/congrats.bmp").Width(), 404},
        {"seven score digits", kScorePanel.x + 60 + 7 * digits.frameWidth, kScoreRight},
        {"score digits, down", kScoreY + digits.frameHeight, kScorePanel.y + kScorePanel.h},
        {"New", kNewGame.x + button.frameWidth, FreeCell(0).x - 1},
        {"Exit", kExit.y + button.frameHeight, kScreenH},
        {"New over Help", kNewGame.y + button.frameHeight, kHelp.y},
        {"Hall of Fame's back", kHallBack.y + back.frameHeight, kHallRowY},
        {"Play over Menu", kPlayButton.y + title.frameHeight, kMenuButton.y},
        {"How to play", kHowToPlayButton.x + title.frameWidth, NameSlot(0).x},
        {"switches", kSfxSwitch.x + size("sfx.bmp").frameWidth, kMusicSwitch.x},
        {"game buttons, across", GameSlot(0).x + game.frameWidth, GameSlot(1).x},
        {"game buttons, down", GameSlot(11).y + game.frameHeight, kScreenH},
        {"info", kInfo.x + size("Info.bmp").frameWidth, kSmallExit.x},
    };
    for (const auto& fit : fits)
        EXPECT_LE(fit.end, fit.limit) << fit.what;
    EXPECT_EQ(size("Kestrin/LumoraButton.bmp").Width(), game.frameWidth);
    const PictureEntry& highlight = size("Kestrin/cardhilite.bmp");
    EXPECT_EQ(std::make_pair(highlight.frameWidth, highlight.frameHeight),
              std::make_pair(kCardW + 4, kCardH + 4));
}

// Each card shows its rank on the left and its suit on the right of its top thirty pixels, in
// one ink a suit (four in all); court cards and Aces carry a picture of many colours below.
TEST(GeneratedPictures, EveryCardShowsItsRankSuitAndPicture) {
    const Picture& cards = Load("Kestrin/cardset.bmp");
    const uint16_t face = cards.At(10, 60); // blank face of the Two of spades
    // The colours of an area other than the face's, by count.
    auto ink = [&](int left, int top, int right, int bottom) {
        std::map<uint16_t, int> counts;
        for (int y = top; y < bottom; ++y) {
            for (int x = left; x < right; ++x)
                counts[cards.At(x, y)]++;
        }
        counts.erase(face);
        counts.erase(kKeyPixel);
        return counts;
    };
    std::map<int, std::set<uint16_t>> inksBySuit;
    std::set<uint16_t> inks;
    for (int card = 0; card < 52; ++card) {
        const int x = card % 13 * 70, y = card / 13 * 90, rank = card % 13;
        SCOPED_TRACE("card " + std::to_string(card));
        std::map<uint16_t, int> rankInk = ink(x + 2, y + 2, x + 35, y + 30),
                                suitInk = ink(x + 35, y + 2, x + 68, y + 30);
        auto amount = [](const std::map<uint16_t, int>& counts) {
            return std::accumulate(counts.begin(), counts.end(), 0,
                                   [](int sum, const auto& count) { return sum + count.second; });
        };
        EXPECT_GT(amount(rankInk), 40);
        EXPECT_GT(amount(suitInk), 60);
        for (const auto& [colour, count] : suitInk)
            rankInk[colour] += count;
        const auto most = std::max_element(rankInk.begin(), rankInk.end(),
                                           [](auto& a, auto& b) { return a.second < b.second; });
        inksBySuit[card / 13].insert(most->first);
        inks.insert(most->first);
        EXPECT_TRUE(rank < 9 || ink(x + 4, y + 32, x + 66, y + 88).size() > 60u);
    }
    for (const auto& [suit, suitInks] : inksBySuit)
        EXPECT_EQ(suitInks.size(), 1u) << "suit " << suit;
    EXPECT_EQ(inks.size(), 4u);
}

TEST(GeneratedSounds, EffectsAreShortCleanAndLevelMatched) {
    double quietest = 1e9, loudest = 0;
    for (const artgen::SoundEntry& entry : artgen::AllSounds()) {
        if (std::string(entry.path) == "Kestrin/sounds/music.wav")
            continue;
        SCOPED_TRACE(entry.path);
        const Sound sound = entry.make();
        ASSERT_GT(sound.samples.size(), 100u);
        EXPECT_EQ(std::make_pair(sound.rate, sound.channels),
                  std::make_pair(artgen::kSoundRate, 1));
        EXPECT_LE(sound.Frames(), static_cast<size_t>(2 * sound.rate));
        EXPECT_TRUE(sound.samples.front() == 0 && sound.samples.back() == 0) << "a click";
        EXPECT_LE(Peak(sound.samples), artgen::kEffectMaxPeak * 32767 + 1) << "the ceiling";
        std::vector<double> samples(sound.samples.begin(), sound.samples.end());
        double level = artgen::LoudestRms(samples, sound.channels, sound.rate);
        quietest = std::min(quietest, level);
        loudest = std::max(loudest, level);
    }
    EXPECT_GT(quietest, 1000.0);
    EXPECT_LT(20 * std::log10(loudest / quietest), 3.0) << "decibels between the effects";
}

// Stereo, whole beats, longer than thirty seconds; the step from the last sample to the first
// no larger than the usual step inside the piece, and the start not silent: the tails of the
// last bar ring on into the first.
TEST(GeneratedSounds, MusicIsLongStereoWholeBeatsAndLoopsWithoutAJump) {
    const Sound music = artgen::MakeMusic();
    ASSERT_EQ(music.channels, 2);
    const size_t frames = music.Frames();
    EXPECT_GE(frames, static_cast<size_t>(30 * music.rate));
    EXPECT_EQ(music.samples.size() % 2, 0u);
    EXPECT_DOUBLE_EQ(static_cast<double>(frames) * artgen::kMusicBeatsPerMinute /
                         (60.0 * music.rate),
                     artgen::kMusicBeats);
    EXPECT_GT(Peak(music.samples), 32767 / 4) << "music is audible";
    for (int c = 0; c < 2; ++c) {
        std::vector<int> steps;
        for (size_t i = 1; i < frames; ++i)
            steps.push_back(std::abs(music.samples[i * 2 + c] - music.samples[(i - 1) * 2 + c]));
        std::sort(steps.begin(), steps.end());
        const int seam = std::abs(music.samples[c] - music.samples[(frames - 1) * 2 + c]);
        EXPECT_LE(seam, steps[steps.size() * 99 / 100]) << "channel " << c;
        std::vector<int16_t> start;
        for (size_t i = 0; i < 200; ++i)
            start.push_back(music.samples[i * 2 + c]);
        EXPECT_GT(Peak(start), 100) << "channel " << c;
    }
}

} // namespace
