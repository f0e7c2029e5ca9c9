// Writes the suite folder: every picture and sound in its place, and the settings files.
// Only files the generator owns are written; the programs, options.ini and hiscore.dat are
// never touched.
#pragma once

#include <map>
#include <string>

#include "tools/artgen/picture.h"

namespace artgen {

// Renders every picture of the asset table, keyed by its path in the suite folder.
std::map<std::string, Picture> RenderAllPictures();

bool GenerateSuite(const std::string& outDir, std::string& error);

} // namespace artgen
