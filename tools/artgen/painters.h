// Every painter of the asset table, grouped by the screen the pictures belong to. Each returns
// the finished picture for its entry; the full-screen backgrounds are also shared through the
// ArtContext so that the pictures drawn over them blend their edges into them.
#pragma once

#include "tools/artgen/assets.h"
#include "tools/artgen/button_art.h"
#include "tools/artgen/layout.h"

namespace artgen {

// The card table (Kestrin).
const Canvas& TableCanvas(ArtContext& context);
Picture PaintTableBackground(const PictureEntry& entry, ArtContext& context);
Picture PaintTimerCell(const PictureEntry& entry, bool lastCell);
Picture PaintScoreFont(const PictureEntry& entry, ArtContext& context);
Picture PaintFloatingScores(const PictureEntry& entry, ArtContext& context);
Picture TableButton(const PictureEntry& entry, ArtContext& context, layout::Point at,
                    const ButtonLabel& label);

// Cards and what is drawn with them.
Picture PaintCardSet(const PictureEntry& entry, ArtContext& context);
Picture PaintCardHilite(const PictureEntry& entry, ArtContext& context);
Picture PaintCardShadow(const PictureEntry& entry, ArtContext& context);
Picture PaintKings(const PictureEntry& entry, ArtContext& context);

// Panels shown over the table.
enum class TablePanel { TimeUp, NoMoves, HallOfFame };
Picture PaintTablePanel(const PictureEntry& entry, ArtContext& context, TablePanel which);
Picture PaintCongrats(const PictureEntry& entry, ArtContext& context);

// The game's title screen and its panels.
const Canvas& TitleCanvas(ArtContext& context);
Picture PaintTitleBackground(const PictureEntry& entry, ArtContext& context);
Picture TitleButton(const PictureEntry& entry, ArtContext& context, layout::Point at,
                    const ButtonLabel& label);
Picture PaintSoundSwitch(const PictureEntry& entry, ArtContext& context, bool music);
Picture PaintHowToPlay(const PictureEntry& entry, ArtContext& context);
Picture PaintCredits(const PictureEntry& entry, ArtContext& context);
Picture PaintLumoraButton(const PictureEntry& entry, ArtContext& context);

// The menu's pages of games.
const Canvas& MenuCanvas(ArtContext& context);
Picture PaintMenuBackground(const PictureEntry& entry, ArtContext& context);
Picture PaintPageNumbers(const PictureEntry& entry, ArtContext& context);
Picture MenuButton(const PictureEntry& entry, ArtContext& context, layout::Point at,
                   const ButtonLabel& label);
Picture PaintGameButton(const PictureEntry& entry, ArtContext& context);
Picture PaintCollectButton(const PictureEntry& entry, ArtContext& context);
Picture PaintInfoScreen(const PictureEntry& entry, ArtContext& context);
Picture PaintBackButton(const PictureEntry& entry, ArtContext& context);

// The players and Hall of Fame panels.
const Canvas& PlayerInfoCanvas(ArtContext& context);
const Canvas& HallCanvas(ArtContext& context);
Picture PaintPlayerInfo(const PictureEntry& entry, ArtContext& context);
Picture PaintHallOfFame(const PictureEntry& entry, ArtContext& context);
Picture PanelButton(const PictureEntry& entry, const Canvas& panel, layout::Point at,
                    const ButtonLabel& label);
Picture PaintYesNo(const PictureEntry& entry, ArtContext& context);
Picture PaintBlockCursor(const PictureEntry& entry, ArtContext& context);

// The menu's bitmap fonts.
enum class FontStyle { Normal, Highlight, HallBlack, HallPurple };
Picture PaintBitmapFont(const PictureEntry& entry, FontStyle style);

} // namespace artgen
