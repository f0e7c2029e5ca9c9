#pragma once
// A lumora-scores process for a test: started with its arguments, on a free port of the
// loopback address, and always ended (killed if need be) when the object goes.
#include <sys/types.h>

#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace testing_support {

class ServerProcess {
  public:
    ServerProcess() = default;
    ~ServerProcess();
    ServerProcess(const ServerProcess&) = delete;
    ServerProcess& operator=(const ServerProcess&) = delete;

    // Starts `command` (the server's path first; "--listen 127.0.0.1:0" is added) and waits up
    // to ten seconds for it to listen. False when it ended or stayed silent instead.
    bool Start(const std::vector<std::string>& command);
    int port() const { return listeningPort; }
    // Sends `signal` and waits for the end: the exit status, or 128 + the signal that ended it.
    int Stop(int signal);
    // Waits for the process to end by itself (at most ten seconds; then it is killed). A
    // sanitizer's report on its standard error fails the test.
    int Wait();
    // Everything the process wrote on standard error so far.
    std::string Errors();

  private:
    void ReadErrors(int fd);

    pid_t pid = -1;
    int listeningPort = 0;
    std::thread reader;
    std::mutex mutex;
    std::condition_variable changed;
    std::string errors;
    bool errorsClosed = false;
};

// The server program built next to this test.
std::string ServerPath();

} // namespace testing_support
