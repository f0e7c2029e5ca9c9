// Every painter of the asset table, grouped by the screen the pictures belong to. Each returns
// the finished picture for its spec; the full-screen backgrounds are also shared through the
// ArtContext so that the pictures drawn over them blend their edges into them.
#pragma once

#include "tools/artgen/assets.h"
#include "tools/artgen/button_art.h"
#include "tools/artgen/layout.h"

namespace artgen {

// The card table (Kestrin).
const Canvas& TableCanvas(ArtContext& context);
Picture PaintTableBackground(const AssetSpec& spec, ArtContext& context);
Picture PaintTimerCell(const AssetSpec& spec, bool lastCell);
Picture PaintScoreFont(const AssetSpec& spec, ArtContext& context);
Picture PaintFloatingScores(const AssetSpec& spec, ArtContext& context);
Picture TableButton(const AssetSpec& spec, ArtContext& context, layout::Point at,
                    const ButtonLabel& label);

// Cards and what is drawn with them.
Picture PaintCardSet(const AssetSpec& spec, ArtContext& context);
Picture PaintCardHilite(const AssetSpec& spec, ArtContext& context);
Picture PaintCardShadow(const AssetSpec& spec, ArtContext& context);
Picture PaintKings(const AssetSpec& spec, ArtContext& context);

// Panels shown over the table.
enum class TablePanel { TimeUp, NoMoves, HallOfFame };
Picture PaintTablePanel(const AssetSpec& spec, ArtContext& context, TablePanel which);
Picture PaintCongrats(const AssetSpec& spec, ArtContext& context);

// The game's title screen and its panels.
const Canvas& TitleCanvas(ArtContext& context);
Picture PaintTitleBackground(const AssetSpec& spec, ArtContext& context);
Picture TitleButton(const AssetSpec& spec, ArtContext& context, layout::Point at,
                    const ButtonLabel& label);
Picture PaintSoundSwitch(const AssetSpec& spec, ArtContext& context, bool music);
Picture PaintHowToPlay(const AssetSpec& spec, ArtContext& context);
Picture PaintCredits(const AssetSpec& spec, ArtContext& context);
Picture PaintLumoraButton(const AssetSpec& spec, ArtContext& context);

// The menu's pages of games.
const Canvas& MenuCanvas(ArtContext& context);
Picture PaintMenuBackground(const AssetSpec& spec, ArtContext& context);
Picture PaintPageNumbers(const AssetSpec& spec, ArtContext& context);
Picture MenuButton(const AssetSpec& spec, ArtContext& context, layout::Point at,
                   const ButtonLabel& label);
Picture PaintGameButton(const AssetSpec& spec, ArtContext& context);
Picture PaintCollectButton(const AssetSpec& spec, ArtContext& context);
Picture PaintInfoScreen(const AssetSpec& spec, ArtContext& context);
Picture PaintBackButton(const AssetSpec& spec, ArtContext& context);

// The players and Hall of Fame panels.
const Canvas& PlayerInfoCanvas(ArtContext& context);
const Canvas& HallCanvas(ArtContext& context);
Picture PaintPlayerInfo(const AssetSpec& spec, ArtContext& context);
Picture PaintHallOfFame(const AssetSpec& spec, ArtContext& context);
Picture PanelButton(const AssetSpec& spec, const Canvas& panel, layout::Point at,
                    const ButtonLabel& label);
Picture PaintYesNo(const AssetSpec& spec, ArtContext& context);
Picture PaintBlockCursor(const AssetSpec& spec, ArtContext& context);

// The menu's bitmap fonts.
enum class FontStyle { Normal, Highlight, HallBlack, HallPurple };
Picture PaintBitmapFont(const AssetSpec& spec, FontStyle style);

} // namespace artgen
