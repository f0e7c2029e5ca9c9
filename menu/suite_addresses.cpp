#include "menu/suite_addresses.h"

#include <cstdio>

#include "platform/profile.h"

namespace {

std::string ReadAddress(const char* setupPath, const char* key) {
    char value[2048];
    size_t length = plat::GetProfileString("suite", key, "", value, sizeof value, setupPath);
    if (length + 1 >= sizeof value) {
        // Cut to the buffer: opening what is left would lead somewhere else.
        std::fprintf(stderr, "Lumora: the \"%s\" address in setup.ini is too long; using %s\n", key,
                     DEFAULT_SUITE_ADDRESS);
        return DEFAULT_SUITE_ADDRESS;
    }
    return length > 0 ? std::string(value) : std::string(DEFAULT_SUITE_ADDRESS);
}

} // namespace

std::string ReadSuiteWebsite(const char* setupPath) {
    return ReadAddress(setupPath, "website");
}

std::string ReadScoreServer(const char* setupPath) {
    return ReadAddress(setupPath, "scoreserver");
}
