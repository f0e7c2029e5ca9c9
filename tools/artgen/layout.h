// Where the programs draw each picture on the 800 by 600 screen. The art is composed around
// these places (marked slots on the table, matching backgrounds under buttons), and the
// preview puts the pictures there to check the fit.
#pragma once

#include "menu/players_layout.h"

namespace artgen::layout {

struct Point {
    int x;
    int y;
};
struct Box {
    int x;
    int y;
    int w;
    int h;
};

constexpr int kScreenW = 800;
constexpr int kScreenH = 600;

// The card table.
constexpr int kCardW = 70;
constexpr int kCardH = 90;
constexpr Point Foundation(int i) {
    return {240 + 80 * i, 26};
}
constexpr Point FreeCell(int i) {
    return {82 + 80 * i, 461};
}
constexpr Point ColumnCard(int column, int row) {
    return {57 + 80 * column + 8 * row, 130 + 30 * row};
}
constexpr Box kColumnArea{50, 120, 700, 326};
constexpr Box kScorePanel{26, 24, 202, 82};
constexpr int kScoreRight = 192;
constexpr int kBestScoreY = 30;
constexpr int kScoreY = 60;
constexpr Point kClock{589, 26};
constexpr int kClockColumns = 22;
constexpr int kClockRows = 7;
constexpr Point kNewGame{16, 470};
constexpr Point kHelp{16, 520};
constexpr Point kMenu{728, 470};
constexpr Point kExit{728, 520};
constexpr Point kCongrats{198, 139};

// The title screen of a game.
constexpr Point kHowToPlayButton{52, 296};
constexpr Point kPlayButton{636, 296};
constexpr Point kHighScoresButton{52, 365};
constexpr Point kMenuButton{636, 365};
constexpr Point kCreditsButton{52, 435};
constexpr Point kExitButton{636, 435};
constexpr Point kPlayersButton{280, 318};
constexpr Point kSfxSwitch{52, 505};
constexpr Point kMusicSwitch{106, 505};
constexpr Box NameSlot(int i) {
    constexpr int ys[4] = {378, 420, 464, 510};
    return {i % 2 == 0 ? 239 : 408, ys[i / 2], 150, 30};
}

// Panels of 694 by 564 placed at (53, 18); positions inside them are relative to the panel.
constexpr int kPanelW = 694;
constexpr int kPanelH = 564;
constexpr Point kPanel{53, 18};
constexpr Point kPlayersEnter{474, 471};
constexpr Point kPlayersRemove{360, 471};
constexpr Point kPlayersBack{608, 489};
constexpr Point kPlayersYesNo{37, 486};
// The players' text fields, relative to the panel: the menu places them there.
constexpr Box PlayerField(int i) {
    const PlayerFieldBox& box = PLAYER_FIELDS[i];
    return {box.x, box.y, box.width, box.height};
}
constexpr Point kHallUpload{552, 88};
constexpr Point kHallClear{552, 149};
constexpr Point kHallBack{595, 220};
constexpr int kHallRowY = 275;
constexpr int kHallRowPitch = 26;
constexpr int kHallNameX[2] = {56, 387};
constexpr int kHallScoreX[2] = {256, 587};

// The menu's pages of games.
constexpr Point kPageLeft{638, 19};
constexpr Point kPageRight{739, 19};
constexpr Point kInfo{637, 89};
constexpr Point kSmallExit{718, 89};
constexpr int kPageNumberRight = 716;
constexpr int kPageNumberY = 30;
constexpr Point GameSlot(int k) {
    constexpr int xs[3] = {14, 271, 528};
    constexpr int ys[4] = {140, 247, 355, 461};
    return {xs[k % 3], ys[k / 3]};
}
constexpr Point kInfoBack{689, 370};

} // namespace artgen::layout
