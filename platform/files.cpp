#include "platform/files.h"
#include "platform/ascii_case.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <string_view>

namespace plat {
namespace {

bool EntryExists(const std::string& path) {
    struct stat info;
    return lstat(path.c_str(), &info) == 0;
}

// The name in the directory that equals `name` without regard to case; the smallest such
// name when several differ only in case, so the choice does not depend on listing order.
bool FindIgnoringCase(const std::string& directory, std::string_view name, std::string* found) {
    DIR* dir = opendir(directory.empty() ? "." : directory.c_str());
    if (!dir)
        return false;
    bool any = false;
    while (const dirent* entry = readdir(dir)) {
        std::string_view candidate(entry->d_name);
        if (!SameIgnoringCase(candidate, name))
            continue;
        if (!any || candidate < std::string_view(*found))
            *found = std::string(candidate);
        any = true;
    }
    closedir(dir);
    return any;
}

std::string JoinPath(const std::string& directory, std::string_view name) {
    if (directory.empty())
        return std::string(name);
    std::string joined = directory;
    if (joined.back() != '/')
        joined += '/';
    joined += name;
    return joined;
}

} // namespace

std::string NativePath(const char* path) {
    if (!path)
        return std::string();
    std::string mapped(path);
    for (char& c : mapped) {
        if (c == '\\')
            c = '/';
    }
    if (mapped.empty() || EntryExists(mapped))
        return mapped;

    // Walk the components; the first one that cannot be found even without regard to case
    // ends the walk and the rest is kept as written (a file about to be created).
    std::string resolved = mapped[0] == '/' ? "/" : "";
    size_t start = 0;
    while (start <= mapped.size()) {
        size_t end = mapped.find('/', start);
        if (end == std::string::npos)
            end = mapped.size();
        std::string_view component(mapped.data() + start, end - start);
        if (!component.empty()) {
            std::string candidate = JoinPath(resolved, component);
            std::string match;
            if (component == "." || component == ".." || EntryExists(candidate)) {
                resolved = candidate;
            } else if (FindIgnoringCase(resolved, component, &match)) {
                resolved = JoinPath(resolved, match);
            } else {
                resolved = JoinPath(resolved, std::string_view(mapped).substr(start));
                return resolved;
            }
        }
        start = end + 1;
    }
    if (mapped.back() == '/' && resolved.back() != '/')
        resolved += '/';
    return resolved;
}

bool SetCurrentDir(const char* path) {
    if (!path || !*path)
        return false;
    return chdir(NativePath(path).c_str()) == 0;
}

bool GetCurrentDir(char* out, size_t size) {
    if (!out || size == 0)
        return false;
    out[0] = '\0';
    // getcwd's own buffer has no fixed limit, so the cut happens here and nowhere else.
    char* current = getcwd(nullptr, 0);
    if (!current)
        return false;
    size_t length = std::strlen(current);
    if (length > size - 1)
        length = size - 1;
    std::memcpy(out, current, length);
    out[length] = '\0';
    std::free(current);
    return true;
}

bool ListDirectory(const char* path, std::vector<DirEntry>* out) {
    if (!path || !out)
        return false;
    out->clear();
    std::string directory(path);
    // Callers used to searching with a pattern may still append one.
    if (directory.size() >= 2 && directory.back() == '*' &&
        (directory[directory.size() - 2] == '\\' || directory[directory.size() - 2] == '/'))
        directory.resize(directory.size() - 2);
    std::string native = NativePath(directory.empty() ? "." : directory.c_str());
    DIR* dir = opendir(native.c_str());
    if (!dir)
        return false;
    while (const dirent* entry = readdir(dir)) {
        std::string_view name(entry->d_name);
        if (name == "." || name == "..")
            continue;
        DirEntry item;
        item.name = std::string(name);
        std::string full = JoinPath(native, name);
        struct stat info;
        if (lstat(full.c_str(), &info) == 0) {
            if (S_ISLNK(info.st_mode)) {
                item.attributes |= ATTR_LINK;
                // A link to a folder is still a folder, as a junction is; a broken one is not.
                if (stat(full.c_str(), &info) == 0 && S_ISDIR(info.st_mode))
                    item.attributes |= ATTR_DIRECTORY;
            } else if (S_ISDIR(info.st_mode)) {
                item.attributes |= ATTR_DIRECTORY;
            }
        }
        if (name[0] == '.')
            item.attributes |= ATTR_HIDDEN;
        out->push_back(std::move(item));
    }
    closedir(dir);
    return true;
}

const char* ExecutableSuffix() {
    return "";
}

} // namespace plat
