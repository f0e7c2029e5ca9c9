#include "platform/files.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <climits>
#include <cstdlib>

namespace plat {
namespace {

std::atomic<unsigned> temporaryCounter{0};

// Settings and score files are replaced by rename; a link is followed so that the file it
// points at is replaced, not the link.
std::string ReplacementTarget(const std::string& native) {
    struct stat info;
    if (lstat(native.c_str(), &info) == 0 && S_ISLNK(info.st_mode)) {
        if (char* real = realpath(native.c_str(), nullptr)) {
            std::string target(real);
            std::free(real);
            return target;
        }
    }
    return native;
}

// A hidden name beside the target, unique to this process and call.
std::string TemporaryName(const std::string& target) {
    size_t slash = target.rfind('/');
    std::string directory = slash == std::string::npos ? "" : target.substr(0, slash + 1);
    std::string base = slash == std::string::npos ? target : target.substr(slash + 1);
    if (base.size() > 200)
        base.resize(200);
    return directory + "." + base + ".tmp" + std::to_string(getpid()) + "_" +
           std::to_string(temporaryCounter.fetch_add(1));
}

bool WriteAll(int fd, const unsigned char* data, size_t size) {
    while (size > 0) {
        ssize_t written = write(fd, data, size);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data += written;
        size -= static_cast<size_t>(written);
    }
    return true;
}

int CreateTemporary(const std::string& target, std::string* name) {
    for (int attempt = 0; attempt < 8; ++attempt) {
        *name = TemporaryName(target);
        int fd = open(name->c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

} // namespace

bool ReadWholeFile(const char* path, std::string* out) {
    if (!out)
        return false;
    out->clear();
    FILE* file = OpenFile(path, "rb");
    if (!file)
        return false;
    char chunk[4096];
    size_t got;
    while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0)
        out->append(chunk, got);
    bool ok = !std::ferror(file);
    std::fclose(file);
    return ok;
}

bool ReplaceFile(const char* path, const void* data, size_t size) {
    if (!path || !*path || (!data && size > 0))
        return false;
    std::string target = ReplacementTarget(NativePath(path));
    std::string temporary;
    int fd = CreateTemporary(target, &temporary);
    if (fd < 0)
        return false;
    struct stat existing;
    bool ok = true;
    if (stat(target.c_str(), &existing) == 0)
        ok = fchmod(fd, existing.st_mode & 07777) == 0;
    ok = ok && WriteAll(fd, static_cast<const unsigned char*>(data), size);
    ok = ok && fsync(fd) == 0;
    ok = close(fd) == 0 && ok;
    ok = ok && rename(temporary.c_str(), target.c_str()) == 0;
    if (!ok)
        unlink(temporary.c_str());
    return ok;
}

} // namespace plat
