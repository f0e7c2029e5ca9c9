#pragma once
// A lumora-scores process for a test, on a free port of the loopback address, its standard
// error kept in a file; always ended (killed if need be) when the object goes.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <chrono>
#include <regex>
#include <string>
#include <thread>
#include <vector>

#include "support/temp_dir.h"

extern char** environ;

namespace testing_support {

class ServerProcess {
  public:
    // Ended as an operator would end it, so that it leaves what an instrumented build writes.
    ~ServerProcess() { Stop(SIGTERM); }

    // Runs the server with `arguments` and "--listen 127.0.0.1:0" (under `prefix`, a program
    // that starts it, when given) and waits up to ten seconds for it to listen. False when it
    // ended or stayed silent instead.
    bool Start(const std::vector<std::string>& arguments, std::vector<std::string> prefix = {}) {
        std::vector<std::string> command = std::move(prefix);
        command.push_back(SCORES_SERVER_PATH);
        command.insert(command.end(), arguments.begin(), arguments.end());
        command.insert(command.end(), {"--listen", "127.0.0.1:0"});
        std::vector<char*> argv;
        for (std::string& argument : command)
            argv.push_back(argument.data());
        argv.push_back(nullptr);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, errorsFile.c_str(),
                                         O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0)
            pid = -1;
        posix_spawn_file_actions_destroy(&actions);
        static const std::regex listening("listening on http://[^ ]*:([0-9]+)");
        for (int wait = 0; wait < 1000 && pid > 0; ++wait) {
            std::smatch match;
            std::string errors = Errors();
            if (std::regex_search(errors, match, listening))
                return (port = std::stoi(match[1])) > 0;
            if (waitpid(pid, &status, WNOHANG) == pid)
                pid = -1;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return false;
    }

    // Sends `signal` (none: 0) and waits for the end, killing the process after ten seconds:
    // the exit status, or 128 + the signal that ended it. A sanitizer's report on its standard
    // error fails the test.
    int Stop(int signal = 0) {
        if (pid > 0 && signal)
            kill(pid, signal);
        for (int wait = 0; pid > 0 && waitpid(pid, &status, WNOHANG) == 0; ++wait) {
            if (wait == 2000)
                kill(pid, SIGKILL);
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        pid = -1;
        EXPECT_EQ(Errors().find("Sanitizer"), std::string::npos) << Errors();
        return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }
    std::string Errors() const { return ReadBytes(errorsFile); }

    int port = 0;

  private:
    TempDir dir;
    std::string errorsFile = dir / "errors.txt";
    pid_t pid = -1;
    int status = 0;
};

} // namespace testing_support
