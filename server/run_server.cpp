#include "server/run_server.h"

#include <httplib.h>
#include <pthread.h>
#include <signal.h>
#include <sys/socket.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <thread>

#include "server/score_service.h"

namespace scores {
namespace {

// How long a connection may stay silent, mid-request or between requests, before it is closed:
// a slow client holds a request thread no longer than this.
constexpr time_t kIdleSeconds = 5;

sigset_t StopSignals() {
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    return signals;
}

// Stops the server on SIGINT or SIGTERM, taken here with sigwait. The signals must be blocked
// before the first thread starts, so that every thread inherits the mask and none of them is
// ended by the signal's default action.
class StopOnSignal {
  public:
    explicit StopOnSignal(httplib::Server& server) : server(server), signals(StopSignals()) {
        waiter = std::thread([this] { Wait(); });
    }
    // Called once the server has stopped listening, for whatever reason.
    ~StopOnSignal() {
        finished = true;
        pthread_kill(waiter.native_handle(), SIGTERM);
        waiter.join();
    }

  private:
    void Wait() {
        int signal = 0;
        sigwait(&signals, &signal);
        // A signal may come before the server's loop has begun, when stop() would do nothing;
        // stop() must also be called only once, as the library checks its socket.
        while (!finished && !server.is_running())
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        if (!finished)
            server.stop();
    }

    httplib::Server& server;
    sigset_t signals;
    std::atomic<bool> finished{false};
    std::thread waiter;
};

} // namespace

int RunServer(const ServerOptions& options) {
    // A client that hangs up mid-answer must not end the server.
    signal(SIGPIPE, SIG_IGN);
    sigset_t stopSignals = StopSignals();
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);
    std::string error;
    std::unique_ptr<ScoreStore> store = OpenScoreStore({options.database, options.fullSync}, error);
    if (!store) {
        std::fprintf(stderr, "lumora-scores: cannot open the database %s: %s\n",
                     options.database.c_str(), error.c_str());
        return 1;
    }

    httplib::Server http;
    int threads = options.threads;
    http.new_task_queue = [threads] { return new httplib::ThreadPool(threads); };
    http.set_tcp_nodelay(true);
    http.set_keep_alive_max_count(1000);
    http.set_keep_alive_timeout(kIdleSeconds);
    http.set_read_timeout(kIdleSeconds, 0);
    http.set_write_timeout(kIdleSeconds, 0);
    // Only SO_REUSEADDR: the library's default adds SO_REUSEPORT, which would let a second
    // server start on the same port and quietly take half of its connections.
    int listener = -1;
    http.set_socket_options([&listener](socket_t socket) {
        int yes = 1;
        setsockopt(socket, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
        listener = socket;
    });
    ScoreService service(*store, options.games, options.uploadsPerMinute);
    service.Install(http);

    int port = options.port;
    if (port == 0)
        port = http.bind_to_any_port(options.host);
    else if (!http.bind_to_port(options.host, port))
        port = -1;
    if (port < 0) {
        std::fprintf(stderr, "lumora-scores: cannot listen on %s:%d\n", options.host.c_str(),
                     options.port);
        return 1;
    }
    // The library listens with a backlog of 5; a burst of new clients would see their
    // connections dropped and retried a second later.
    ::listen(listener, SOMAXCONN);
    bool ipv6 = options.host.find(':') != std::string::npos;
    std::fprintf(stderr, "lumora-scores: listening on http://%s%s%s:%d (database %s)\n",
                 ipv6 ? "[" : "", options.host.c_str(), ipv6 ? "]" : "", port,
                 options.database.rfind("postgres", 0) == 0 ? "PostgreSQL"
                                                            : options.database.c_str());
    std::fflush(stderr);
    {
        StopOnSignal stopper(http);
        http.listen_after_bind();
    }
    std::fprintf(stderr, "lumora-scores: stopped\n");
    return 0;
}

} // namespace scores
