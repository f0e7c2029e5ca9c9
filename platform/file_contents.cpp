// Whole files: opened for reading only when they are regular files, read whole up to a limit,
// and replaced whole through a temporary file beside them.
#include "platform/files.h"

#include <cerrno>
#include <csignal>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <set>
#include <string_view>

namespace plat {
namespace {

std::atomic<unsigned> temporaryCounter{0};

// Keeps errno across clean-up calls that may change it.
class ErrnoKeeper {
  public:
    ~ErrnoKeeper() { errno = saved; }

  private:
    int saved = errno;
};

// A descriptor for reading, or -1 with errno set. The name is looked at before it is opened,
// and opened without waiting for a writer, so that a pipe or a device named like a settings
// file neither blocks nor feeds the program for ever.
int OpenRegularFile(const char* path) {
    if (!path || !*path) {
        errno = ENOENT;
        return -1;
    }
    const std::string native = NativePath(path);
    struct stat info;
    if (stat(native.c_str(), &info) != 0)
        return -1;
    if (!S_ISREG(info.st_mode)) {
        errno = S_ISDIR(info.st_mode) ? EISDIR : ENODEV;
        return -1;
    }
    int fd = open(native.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return -1;
    // The name may have been swapped for something else between the look and the open.
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) ||
        fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0) {
        close(fd);
        errno = ENODEV;
        return -1;
    }
    return fd;
}

bool IsReadMode(const char* mode) {
    return mode[0] == 'r' && !std::strchr(mode, '+');
}

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

struct TemporaryPlace {
    std::string directory; // "" or ending in "/"
    std::string prefix;    // hidden name of the target followed by ".tmp"
};

TemporaryPlace TemporaryPlaceFor(const std::string& target) {
    size_t slash = target.rfind('/');
    TemporaryPlace place;
    place.directory = slash == std::string::npos ? "" : target.substr(0, slash + 1);
    std::string base = slash == std::string::npos ? target : target.substr(slash + 1);
    if (base.size() > 200)
        base.resize(200);
    place.prefix = "." + base + ".tmp";
    return place;
}

// The writer's process id in a temporary name "<prefix><pid>_<n>"; 0 for other names.
pid_t WriterOf(std::string_view name, std::string_view prefix) {
    if (name.substr(0, prefix.size()) != prefix)
        return 0;
    name.remove_prefix(prefix.size());
    size_t underscore = name.find('_');
    if (underscore == 0 || underscore == std::string_view::npos || underscore > 9 ||
        underscore + 1 == name.size())
        return 0;
    for (size_t i = 0; i < name.size(); ++i) {
        if (i != underscore && (name[i] < '0' || name[i] > '9'))
            return 0;
    }
    return static_cast<pid_t>(std::atol(std::string(name.substr(0, underscore)).c_str()));
}

// A writer killed between creating its temporary file and renaming it leaves the file behind;
// the next replacement of the same target removes those whose writer has gone. Should such a
// writer still be at work after all (its process id reused, a folder shared between machines),
// losing its file only makes its rename fail: the target stays whole.
void RemoveAbandonedTemporaries(const TemporaryPlace& place) {
    ErrnoKeeper keepErrno;
    DIR* dir = opendir(place.directory.empty() ? "." : place.directory.c_str());
    if (!dir)
        return;
    const pid_t self = getpid();
    while (const dirent* entry = readdir(dir)) {
        pid_t writer = WriterOf(entry->d_name, place.prefix);
        if (writer <= 0 || writer == self)
            continue;
        if (kill(writer, 0) != 0 && errno == ESRCH)
            unlink((place.directory + entry->d_name).c_str());
    }
    closedir(dir);
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

int CreateTemporary(const TemporaryPlace& place, std::string* name) {
    for (int attempt = 0; attempt < 8; ++attempt) {
        *name = place.directory + place.prefix + std::to_string(getpid()) + "_" +
                std::to_string(temporaryCounter.fetch_add(1));
        int fd = open(name->c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

} // namespace

FILE* OpenFile(const char* path, const char* mode) {
    if (!path || !mode)
        return nullptr;
    if (!IsReadMode(mode)) // "e": close-on-exec, like every descriptor we open
        return std::fopen(NativePath(path).c_str(), (std::string(mode) + "e").c_str());
    int fd = OpenRegularFile(path);
    if (fd < 0)
        return nullptr;
    FILE* file = fdopen(fd, mode);
    if (!file) {
        ErrnoKeeper keepErrno;
        close(fd);
    }
    return file;
}

bool ReadWholeFile(const char* path, std::string* out, size_t maxBytes) {
    if (!out)
        return false;
    out->clear();
    int fd = OpenRegularFile(path);
    if (fd < 0)
        return false;
    struct stat info;
    bool ok = fstat(fd, &info) == 0;
    if (ok && static_cast<unsigned long long>(info.st_size) > maxBytes) {
        errno = EFBIG;
        ok = false;
    }
    // The file may grow while it is read: one byte more than allowed is enough to tell.
    char chunk[4096];
    while (ok) {
        size_t room = maxBytes - out->size();
        size_t want = room < sizeof chunk ? room + 1 : sizeof chunk;
        ssize_t got = read(fd, chunk, want);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0) {
            ok = got == 0;
            break;
        }
        out->append(chunk, static_cast<size_t>(got));
        if (out->size() > maxBytes) {
            errno = EFBIG;
            ok = false;
        }
    }
    ErrnoKeeper keepErrno;
    close(fd);
    if (!ok)
        out->clear();
    return ok;
}

bool ReplaceFile(const char* path, const void* data, size_t size) {
    if (!path || !*path || (!data && size > 0)) {
        errno = EINVAL;
        return false;
    }
    std::string target = ReplacementTarget(NativePath(path));
    TemporaryPlace place = TemporaryPlaceFor(target);
    RemoveAbandonedTemporaries(place);
    std::string temporary;
    int fd = CreateTemporary(place, &temporary);
    if (fd < 0)
        return false;
    struct stat existing;
    bool ok = true;
    if (stat(target.c_str(), &existing) == 0)
        ok = fchmod(fd, existing.st_mode & 07777) == 0;
    ok = ok && WriteAll(fd, static_cast<const unsigned char*>(data), size);
    ok = ok && fsync(fd) == 0;
    if (ok) {
        ok = close(fd) == 0;
    } else {
        ErrnoKeeper keepErrno;
        close(fd);
    }
    ok = ok && rename(temporary.c_str(), target.c_str()) == 0;
    if (!ok) {
        ErrnoKeeper keepErrno;
        unlink(temporary.c_str());
    }
    return ok;
}

const char* FileErrorText(int error) {
    switch (error) {
    case ENODEV:
        return "not a regular file";
    case EFBIG:
        return "file too large";
    default:
        return std::strerror(error);
    }
}

void ReportFileFailure(const char* action, const char* path, const char* reason) {
    std::string line = std::string("cannot ") + (action ? action : "use") + " \"" +
                       (path ? path : "") + "\": " + (reason ? reason : "unknown reason") + "\n";
    // A picture loaded twice (a screen's still picture and its copy) or settings saved again
    // into the same read-only folder are still one problem, told once.
    static std::mutex toldLock;
    static std::set<std::string> told;
    {
        std::lock_guard<std::mutex> hold(toldLock);
        if (told.count(line))
            return;
        if (told.size() < 1000)
            told.insert(line);
    }
    std::fputs(line.c_str(), stderr);
}

} // namespace plat
