// Review images: every picture at a glance, and the screens composed as the programs show them.
#pragma once

#include <string>

namespace artgen {

// Every picture of the suite with its name and size; the frames of strips are outlined.
bool WriteContactSheet(const std::string& pngPath, std::string& error);
// The card table mid-game, the end-of-game panel, the title screen, the players and Hall of
// Fame panels and the menu's page of games, with pictures placed where the programs put them.
bool WritePreview(const std::string& pngPath, std::string& error);

} // namespace artgen
