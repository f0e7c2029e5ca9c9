#include "artgen/generated_suite.h"

#include <unistd.h>

#include <fstream>
#include <memory>

#include "tools/artgen/suite_writer.h"

namespace artgen_test {

namespace {

struct Cleanup {
    std::filesystem::path path;
    ~Cleanup() {
        std::error_code code;
        std::filesystem::remove_all(path, code);
    }
};

} // namespace

std::filesystem::path FreshTempDir(const std::string& name) {
    std::filesystem::path dir = std::filesystem::temp_directory_path() /
                                ("artgen_" + name + "_" + std::to_string(getpid()));
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    static std::vector<std::unique_ptr<Cleanup>> cleanups;
    cleanups.push_back(std::make_unique<Cleanup>(Cleanup{dir}));
    return dir;
}

const GeneratedSuite& Suite() {
    static GeneratedSuite suite = [] {
        GeneratedSuite s;
        s.root = FreshTempDir("suite");
        s.ok = artgen::GenerateSuite(s.root.string(), s.error);
        return s;
    }();
    return suite;
}

} // namespace artgen_test
