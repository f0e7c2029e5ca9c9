#include "server_process.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <regex>

extern char** environ;

namespace testing_support {

std::string ServerPath() {
    return SCORES_SERVER_PATH;
}

ServerProcess::~ServerProcess() {
    if (pid > 0)
        Stop(SIGKILL);
}

bool ServerProcess::Start(const std::vector<std::string>& command) {
    std::vector<std::string> arguments = command;
    arguments.push_back("--listen");
    arguments.push_back("127.0.0.1:0");
    std::vector<char*> argv;
    for (std::string& argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    int pipeEnds[2];
    if (pipe2(pipeEnds, O_CLOEXEC) != 0)
        return false;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDERR_FILENO);
    errors.clear();
    errorsClosed = false;
    listeningPort = 0;
    int failed = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(pipeEnds[1]);
    if (failed) {
        close(pipeEnds[0]);
        pid = -1;
        return false;
    }
    reader = std::thread([this, fd = pipeEnds[0]] { ReadErrors(fd); });
    static const std::regex listening("listening on http://[^ ]*:([0-9]+)");
    std::unique_lock<std::mutex> lock(mutex);
    std::smatch match;
    changed.wait_for(lock, std::chrono::seconds(10),
                     [&] { return errorsClosed || std::regex_search(errors, match, listening); });
    if (!std::regex_search(errors, match, listening))
        return false;
    listeningPort = std::stoi(match[1]);
    return true;
}

void ServerProcess::ReadErrors(int fd) {
    char buffer[4096];
    ssize_t got;
    while ((got = read(fd, buffer, sizeof buffer)) > 0) {
        std::lock_guard<std::mutex> lock(mutex);
        errors.append(buffer, static_cast<size_t>(got));
        changed.notify_all();
    }
    close(fd);
    std::lock_guard<std::mutex> lock(mutex);
    errorsClosed = true;
    changed.notify_all();
}

int ServerProcess::Stop(int signal) {
    if (pid > 0)
        kill(pid, signal);
    return Wait();
}

int ServerProcess::Wait() {
    if (pid <= 0)
        return -1;
    int status = 0;
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (waitpid(pid, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > deadline)
            kill(pid, SIGKILL);
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    pid = -1;
    if (reader.joinable())
        reader.join();
    // A sanitizer in the server reports on its standard error and may let it go on.
    if (errors.find("Sanitizer") != std::string::npos)
        ADD_FAILURE() << "the server reported:\n" << errors;
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

std::string ServerProcess::Errors() {
    std::lock_guard<std::mutex> lock(mutex);
    return errors;
}

} // namespace testing_support
