// The generated files as the tests see them: each picture or sound is made on first use,
// written to a temporary folder through the generator's own writer and read back from there,
// so that a test pays only for the files it looks at.
#pragma once

#include <filesystem>
#include <string>

#include "tools/artgen/picture.h"
#include "tools/artgen/wav_file.h"

namespace artgen_test {

// The picture or sound at `path` in the suite folder, as read back from its file.
const artgen::Picture& GeneratedPicture(const std::string& path);
const artgen::Sound& GeneratedSound(const std::string& path);
// Where the file of a picture or sound made by the functions above lies.
std::filesystem::path GeneratedFile(const std::string& path);

} // namespace artgen_test
