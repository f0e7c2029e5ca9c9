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

// When a function below fails, errno tells why: besides the system's own values, ENODEV for a
// name that is not a regular file (a pipe, a device) and EFBIG for a file over the size
// allowed. FileErrorText turns it into words.

// fopen through NativePath, close-on-exec (a program we start inherits none of our files); null
// when the file cannot be opened. For reading, only regular files are opened, and a pipe or a
// device never blocks the caller.
FILE* OpenFile(const char* path, const char* mode);

// Reads a whole regular file of at most maxBytes into out; false (out empty) when it cannot be
// opened or read, or is larger.
bool ReadWholeFile(const char* path, std::string* out, size_t maxBytes);
// Replaces the file with the given bytes: they go to a temporary file beside it, reach the
// disk, and are renamed over the target, so a crash or a full disk leaves the old file or the
// new one, never a part of either. False (and the old file untouched) when that fails.
// Temporary files that killed writers left beside the target are removed.
bool ReplaceFile(const char* path, const void* data, size_t size);

// The reason for an errno left by the functions here.
const char* FileErrorText(int error);
// One line on standard error about a file that could not be loaded or saved, for example
// `cannot load picture "background.bmp": No such file or directory`: a broken install or a
// read-only folder shows in the terminal or the session log, not only as a black window.
// The same line is told once a run.
void ReportFileFailure(const char* action, const char* path, const char* reason);

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
