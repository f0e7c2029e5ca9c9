#include "platform/program_folder.h"

#include <limits.h>
#include <unistd.h>

#include <string>

namespace plat {
bool ChangeToProgramFolder() {
    char path[PATH_MAX];
    ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
    if (n <= 0)
        return false;
    path[n] = '\0';
    std::string folder(path);
    size_t slash = folder.rfind('/');
    if (slash == std::string::npos)
        return false;
    folder.resize(slash == 0 ? 1 : slash);
    return chdir(folder.c_str()) == 0;
}
} // namespace plat
