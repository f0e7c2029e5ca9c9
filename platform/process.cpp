// Starting programs and opening addresses: the child runs on its own, the caller never waits
// for it, and no finished child is left behind as a zombie.
#include "platform/files.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <thread>
#include <vector>

#include "platform/backend.h"
#include "platform/browser_command.h"
#include "platform/window_internal.h"

extern char** environ;

namespace plat {
namespace {

// Someone has to wait for every child. A small detached thread does it, so the caller is not
// held up and needs no SIGCHLD handler; ECHILD (children reaped by the system because
// SIGCHLD is ignored) simply ends the wait.
void ReapLater(pid_t child) {
    try {
        std::thread([child] {
            int status;
            while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
            }
        }).detach();
    } catch (...) {
        // No thread to spare: the child is reaped when this process ends.
    }
}

// glibc 2.34 has both file actions the child needs: change directory and close descriptors.
#if defined(__GLIBC__) && (__GLIBC__ > 2 || (__GLIBC__ == 2 && __GLIBC_MINOR__ >= 34))
#define SUITE_HAVE_SPAWN_ACTIONS 1
#endif

// Starts argv[0] (searched on PATH when `searchPath` and it has no "/") in `workDir` (the
// caller's own when empty) with default signal handling and an empty signal mask, whatever
// the caller's threads had set up for themselves. The child gets the standard input, output
// and error and no other descriptor: our own files are opened close-on-exec, and this also
// keeps back those that libraries (display, audio) or our own parent left inheritable.
bool Spawn(const std::vector<std::string>& arguments, bool searchPath, const std::string& workDir) {
    if (arguments.empty())
        return false;
    std::vector<char*> argv;
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    posix_spawnattr_t attributes;
    posix_spawn_file_actions_t actions;
    if (posix_spawnattr_init(&attributes) != 0)
        return false;
    if (posix_spawn_file_actions_init(&actions) != 0) {
        posix_spawnattr_destroy(&attributes);
        return false;
    }
    sigset_t none, all;
    sigemptyset(&none);
    sigfillset(&all);
    posix_spawnattr_setsigmask(&attributes, &none);
    posix_spawnattr_setsigdefault(&attributes, &all);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);

    bool ok = true;
    pid_t child = -1;
#ifdef SUITE_HAVE_SPAWN_ACTIONS
    ok = posix_spawn_file_actions_addclosefrom_np(&actions, 3) == 0;
    if (ok && !workDir.empty())
        ok = posix_spawn_file_actions_addchdir_np(&actions, workDir.c_str()) == 0;
    if (ok) {
        int error = searchPath
                        ? posix_spawnp(&child, argv[0], &actions, &attributes, argv.data(), environ)
                        : posix_spawn(&child, argv[0], &actions, &attributes, argv.data(), environ);
        ok = error == 0;
    }
#else
    // Without a chdir action the child changes directory itself between fork and exec; a
    // close-on-exec pipe carries the errno back if it never gets to run the program.
    int report[2];
    ok = pipe2(report, O_CLOEXEC) == 0;
    const long maxDescriptors = sysconf(_SC_OPEN_MAX);
    if (ok) {
        child = fork();
        if (child == 0) {
            sigprocmask(SIG_SETMASK, &none, nullptr);
            for (long fd = 3; fd < maxDescriptors; ++fd)
                if (fd != report[1])
                    close(int(fd));
            int error = 0;
            if (!workDir.empty() && chdir(workDir.c_str()) != 0)
                error = errno;
            if (error == 0) {
                searchPath ? execvp(argv[0], argv.data()) : execv(argv[0], argv.data());
                error = errno;
            }
            (void)!write(report[1], &error, sizeof error);
            _exit(127);
        }
        close(report[1]);
        int error = 0;
        ok = child > 0 && read(report[0], &error, sizeof error) == 0;
        close(report[0]);
        if (child > 0 && !ok) {
            waitpid(child, nullptr, 0);
            child = -1;
        }
    }
#endif
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    if (ok)
        ReapLater(child);
    return ok;
}

bool IsRunnableFile(const std::string& path) {
    struct stat info;
    return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
           access(path.c_str(), X_OK) == 0;
}

std::string AbsolutePath(const std::string& path) {
    if (!path.empty() && path[0] == '/')
        return path;
    char* current = getcwd(nullptr, 0);
    if (!current)
        return path;
    std::string absolute = std::string(current) + "/" + path;
    std::free(current);
    return absolute;
}

// A program named by a relative path is looked for in the working directory it is started
// in first (a game's program lies in the game's folder), then in the caller's current one.
std::string ResolveProgram(const char* file, const std::string& workDir) {
    std::string native = NativePath(file);
    if (native.empty() || native[0] == '/')
        return native;
    if (!workDir.empty()) {
        std::string inWorkDir = NativePath((workDir + "/" + native).c_str());
        if (IsRunnableFile(inWorkDir))
            return AbsolutePath(inWorkDir);
    }
    return AbsolutePath(native);
}

} // namespace

bool StartProgram(const char* file, const char* parameter, const char* workDir) {
    if (!file || !*file)
        return false;
    std::string directory = workDir && *workDir ? AbsolutePath(NativePath(workDir)) : "";
    std::string program = ResolveProgram(file, directory);
    std::string argument = parameter ? parameter : "";
    if (CurrentBackend() == BackendKind::Null) {
        null::RecordProgramStart(program, argument, directory);
        return IsRunnableFile(program);
    }
    std::vector<std::string> arguments{program};
    if (!argument.empty())
        arguments.push_back(argument);
    return Spawn(arguments, false, directory);
}

bool OpenAddress(const char* address) {
    // Anything else (a file, a program, another scheme) would have the browser or xdg-open
    // start whatever handles it.
    if (!IsWebAddress(address))
        return false;
    if (CurrentBackend() == BackendKind::Null) {
        null::RecordAddress(address);
        return true;
    }
    for (const auto& command : BrowserCommands(std::getenv("BROWSER"), address))
        if (Spawn(command, true, ""))
            return true;
    return false;
}

} // namespace plat
