// Reads settings from arbitrary bytes through the profile functions with buffers of several
// sizes and as numbers in a range, then writes two keys at once and checks that they read back
// and that nothing else changed.
#include "platform/profile.h"
#include "scratch_folder.h"

#include <cstdint>
#include <cstring>
#include <fstream>
#include <string>

namespace {

std::string Read(const char* section, const char* key, size_t size, const std::string& path) {
    std::string buffer(size + 1, '#');
    size_t length = plat::GetProfileString(section, key, "dflt", buffer.data(), size, path.c_str());
    if (buffer[size] != '#' || length >= size || length != std::strlen(buffer.c_str()))
        __builtin_trap();
    return buffer.substr(0, length);
}

const char* const keys[][2] = {
    {"setup", "playerid"}, {"Player1", "name"}, {"SETUP", "Music"}, {"a", "b"}, {"", ""},
    {" a ", " = "}};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const ScratchFolder folder("fuzz-ini-");
    static const std::string path = folder.File("options.ini");
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    std::string before[std::size(keys)];
    for (size_t k = 0; k < std::size(keys); ++k) {
        for (size_t bufferSize : {1, 2, 16})
            Read(keys[k][0], keys[k][1], bufferSize, path);
        before[k] = Read(keys[k][0], keys[k][1], 1 << 16, path);
        int number = plat::GetProfileInt(keys[k][0], keys[k][1], -1, 0, 7, path.c_str());
        if (number < -1 || number > 7)
            __builtin_trap();
    }
    if (size > plat::MAX_PROFILE_BYTES)
        return 0; // read as missing, and never overwritten
    const plat::ProfileValue values[] = {{"Key", "written"}, {"other", "too"}};
    if (!plat::WriteProfileStrings("Fuzz", values, std::size(values), path.c_str()))
        __builtin_trap();
    if (Read("fuzz", "key", 64, path) != "written" || Read("FUZZ", "OTHER", 64, path) != "too")
        __builtin_trap();
    for (size_t k = 0; k < std::size(keys); ++k) {
        if (Read(keys[k][0], keys[k][1], 1 << 16, path) != before[k])
            __builtin_trap();
    }
    return 0;
}
