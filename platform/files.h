#pragma once
// Paths as the programs write them ("..\options.ini", ".\title\x.bmp"): "\" is accepted and
// mapped to "/", and when the exact name is missing each component is found without regard
// to case. Also the current directory, directory listings, and starting programs/addresses.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace plat {

// The platform's path for a program path: separators mapped, components resolved
// case-insensitively where the exact name does not exist (an unresolved tail is kept as is).
std::string NativePath(const char* path);

// fopen through NativePath; null when the file cannot be opened.
FILE* OpenFile(const char* path, const char* mode);
bool FileExists(const char* path);

// Reads a whole file into out; false when it cannot be opened or read.
bool ReadWholeFile(const char* path, std::string* out);
// Replaces the file with the given bytes: they go to a temporary file beside it, reach the
// disk, and are renamed over the target, so a crash or a full disk leaves the old file or the
// new one, never a part of either. False (and the old file untouched) when that fails.
bool ReplaceFile(const char* path, const void* data, size_t size);

bool SetCurrentDir(const char* path);
// Writes the current directory, cut to size - 1 bytes and NUL-terminated; false on failure.
bool GetCurrentDir(char* out, size_t size);

constexpr uint32_t ATTR_HIDDEN = 0x2;
constexpr uint32_t ATTR_DIRECTORY = 0x10;
constexpr uint32_t ATTR_LINK = 0x400;

struct DirEntry {
    std::string name;
    uint32_t attributes = 0; // ATTR_* bits: directory, hidden (name starts with "."), link
};
// Entries of a directory (without "." and ".."), in the order the file system gives them.
bool ListDirectory(const char* path, std::vector<DirEntry>* out);

// The executable suffix of the platform ("" here); the programs replace ".exe" with it.
const char* ExecutableSuffix();

// Starts a program file with one parameter (may be empty) in a working directory, without a
// shell. Returns false when it could not be started.
bool StartProgram(const char* file, const char* parameter, const char* workDir);
// Opens a web address with $BROWSER when set, else xdg-open.
bool OpenAddress(const char* address);

} // namespace plat
