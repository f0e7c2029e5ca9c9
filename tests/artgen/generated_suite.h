// A suite folder generated once for all tests of the generated files, in a temporary folder
// that also holds a user's files the generator must leave alone.
#pragma once

#include <filesystem>
#include <string>

namespace artgen_test {

struct GeneratedSuite {
    std::filesystem::path root;
    bool ok = false;
    std::string error;
};

// Generated on first use; removed when the test program ends.
const GeneratedSuite& Suite();
std::filesystem::path FreshTempDir(const std::string& name);

} // namespace artgen_test
