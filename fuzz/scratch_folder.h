#pragma once
// A folder of its own under the temporary directory ($TMPDIR; /dev/shm keeps the disk out of
// the loop) for a fuzz target's files, removed when the run ends.
#include <filesystem>
#include <random>
#include <string>
#include <system_error>

class ScratchFolder {
  public:
    explicit ScratchFolder(const std::string& prefix)
        : path_(std::filesystem::temp_directory_path() /
                (prefix + std::to_string(std::random_device()()))) {
        std::filesystem::create_directories(path_);
    }
    ~ScratchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    std::string File(const char* name) const { return (path_ / name).string(); }

  private:
    std::filesystem::path path_;
};
