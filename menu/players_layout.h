#pragma once
// Where the players pop-up's three text fields (name, address, email) lie, relative to the
// pop-up's top-left corner. The pop-up's picture, "PlayerInfo.bmp", is drawn around these boxes
// (tools/artgen), so every field starts inside the panel.
struct PlayerFieldBox {
    int x, y, width, height;
};
constexpr int PLAYER_FIELD_COUNT = 3;
constexpr PlayerFieldBox PLAYER_FIELDS[PLAYER_FIELD_COUNT] = {
    {40, 252, 580, 26},
    {40, 318, 580, 26},
    {40, 386, 580, 26},
};
