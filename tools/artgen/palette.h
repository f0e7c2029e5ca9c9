// The suite's colours: a deep green felt table with warm gold accents, ivory panels with dark
// brown ink, and one colour per suit so that suits can be told apart at a glance.
#pragma once

#include "tools/artgen/picture.h"

namespace artgen::palette {

constexpr Rgb kFeltDeep = Hex(0x072B18);
constexpr Rgb kFelt = Hex(0x0F5132);
constexpr Rgb kFeltLight = Hex(0x1B7248);
constexpr Rgb kFeltLine = Hex(0x2F8A5C);

constexpr Rgb kGoldDark = Hex(0x8A6519);
constexpr Rgb kGold = Hex(0xD4A93A);
constexpr Rgb kGoldLight = Hex(0xF7E39A);

constexpr Rgb kIvory = Hex(0xF7F0DE);
constexpr Rgb kIvoryShade = Hex(0xE7DBBE);
constexpr Rgb kParchment = Hex(0xFBF6E9); // the flat fill that bitmap-font text is drawn on
constexpr Rgb kInk = Hex(0x2B1F14);
constexpr Rgb kInkSoft = Hex(0x6B5A45);
constexpr Rgb kCrimson = Hex(0xA3172A);
constexpr Rgb kPurple = Hex(0x5C2A8C);

constexpr Rgb kCardFace = Hex(0xFFFDF7);
constexpr Rgb kCardEdge = Hex(0x8E887A);
constexpr Rgb kSkin = Hex(0xF3D2B3);

// Suit rows of the card set: 0 spades, 1 hearts, 2 diamonds, 3 clubs.
constexpr Rgb kSuit[4] = {Hex(0x1C1C22), Hex(0xC8202F), Hex(0x1F56C2), Hex(0x17823A)};
constexpr Rgb kSuitPale[4] = {Hex(0xE4E4EA), Hex(0xF8DEE0), Hex(0xDDE6F8), Hex(0xDDF1E2)};

} // namespace artgen::palette
