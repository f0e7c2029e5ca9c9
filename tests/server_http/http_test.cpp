// The score server as a browser and the menu meet it: a real lumora-scores process on the
// loopback address, with a SQLite file and, when the test script started a cluster, PostgreSQL.
#include <arpa/inet.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <httplib.h>
#include <signal.h>
#include <spawn.h>
#include <sqlite3.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <mutex>
#include <regex>
#include <set>
#include <thread>

#include "menu/score_upload.h"
#include "support/postgres_test_database.h"
#include "support/temp_dir.h"

extern char** environ;

namespace testing_support {
namespace {

// A lumora-scores process for a test, on a free port of the loopback address, its standard
// error kept in a file; always ended (killed if need be) when the object goes.
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

struct Answer {
    int status = 0; // 0: no answer
    std::string body;
    std::string retryAfter;
};

Answer Get(int port, const std::string& target, const httplib::Headers& headers = {}) {
    httplib::Client http("127.0.0.1", port);
    httplib::Result response = http.Get(target.c_str(), headers);
    if (!response)
        return {};
    return {response->status, response->body, response->get_header_value("Retry-After")};
}

// The address the menu opens, less its server.
std::string Upload(const std::string& playerString, int score, const char* game = "Kestrin") {
    return BuildScoreUploadAddress("", game, playerString.c_str(), score);
}

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

// A connection to the server from `from`, one of the loopback addresses, that has sent `text`.
int Connection(int port, const char* from, const std::string& text) {
    int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{AF_INET, 0, {inet_addr(from)}, {}};
    EXPECT_EQ(bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    address = {AF_INET, htons(static_cast<uint16_t>(port)), {htonl(INADDR_LOOPBACK)}, {}};
    EXPECT_EQ(connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    EXPECT_EQ(write(fd, text.data(), text.size()), static_cast<ssize_t>(text.size()));
    return fd;
}

long long Entries(int port) {
    std::string body = Get(port, "/api/games/Kestrin/scores").body;
    size_t at = body.find("\"entries\":");
    return at == std::string::npos ? -1 : std::stoll(body.substr(at + 10));
}

class ScoreServerTest : public testing::TestWithParam<std::string> {
  protected:
    void SetUp() override {
        if (GetParam() == "postgres") {
            ASSERT_TRUE(DropScoreTables());
            database = PostgresTestAddress();
        }
        StartServer();
    }

    void StartServer() {
        ASSERT_TRUE(
            server.Start({"--db", database, "--uploads-per-minute", "0", "--game", "Mini:9"}))
            << server.Errors();
        // Also a first request from this thread: the HTTP library builds its shared parsers
        // on first use, which the client threads of a test must not race to do.
        ASSERT_EQ(Get(server.port, "/healthz").body, "ok\n");
    }

    TempDir dir;
    std::string database = dir / "scores.sqlite";
    ServerProcess server;
};

// One request after another: uploads ranked and recorded once, refusals that store nothing, and
// pages that show the players' names as text but never what they sent of address or email.
TEST_P(ScoreServerTest, AnswersEachRequestAndShowsNamesOnly) {
    const std::string shown = "&lt;i&gt;&quot;B&#39;&amp;amp;"; // the name <i>"B'&amp;
    struct Step {
        std::string target;
        int status;
        std::string shows;
    } steps[] = {
        {Upload("Ann:1 Secret Lane:a@secret.org:Y", 1200), 200, "Rank <strong>1</strong> of 1 "},
        {Upload("Ann:1 Secret Lane:a@secret.org:Y", 1200), 200, "Already recorded"},
        {Upload("<i>\"B'&amp;:::N", 1500), 200, "<bdi>" + shown + "</bdi></strong> in Kestrin"},
        {Upload("Cid:::Y", 1200), 200, "Rank <strong>2</strong> of 3 entries"},
        {Upload("Dee:::N", 25), 200, "Rank <strong>4</strong> of 4 entries"},
        {"/cgi-bin/hiscore.cgi?game=Kestrin&name=A%2&score=1", 400, "Nothing was recorded"},
        {Upload("A:::N", 10, "Mini"), 400, "Nothing was recorded"},
        {Upload(std::string(10000, 'n'), 5), 414, "Request too large"},
        {"/games/Solitaire", 404, "Unknown game"},
        {"/api/games/Solitaire/scores", 404, "\"error\""},
        {"/nothing-here", 404, "<h1>Not found"},
        {"/api/games/Kestrin/scores", 200, "\"entries\":4,"},
        {"/api/games/Kestrin/scores", 200, "{\"rank\":2,\"name\":\"Cid\",\"score\":1200,"},
        {"/api/games/Kestrin/scores", 200, "\\u003ci\\u003e\\\"B'\\u0026amp;"},
        {"/api/games/Mini/scores", 200, "\"entries\":0,"},
        {"/games/Kestrin", 200,
         "<td class=\"name\"><bdi>" + shown + "</bdi></td><td class=\"score\">1,500"},
        {"/", 200, "<bdi>" + shown + "</bdi>"},
        {"/games/Mini", 200, "No scores yet"},
        {"/", 200, "href=\"/games/Mini\""},
        {"/style.css", 200, "--felt"},
    };
    for (const Step& step : steps) {
        Answer answer = Get(server.port, step.target);
        SCOPED_TRACE(step.target.substr(0, 80));
        EXPECT_EQ(answer.status, step.status);
        EXPECT_TRUE(Contains(answer.body, step.shows)) << answer.body;
        EXPECT_FALSE(Contains(answer.body, "ecret") || Contains(answer.body, "<i>")) << answer.body;
    }
    // More than 8 KiB of head in several headers; one line that long the library refuses itself.
    std::string third(3000, 'h');
    EXPECT_EQ(Get(server.port, "/", {{"X-A", third}, {"X-B", third}, {"X-C", third}}).status, 431);
    EXPECT_EQ(Get(server.port, "/", {{"X-Long", std::string(9000, 'l')}}).status, 400);
    httplib::Client http("127.0.0.1", server.port);
    httplib::Result body = http.Post("/cgi-bin/hiscore.cgi", std::string(9000, 'b'), "text/plain");
    EXPECT_EQ(body ? body->status : 0, 413);
    EXPECT_EQ(Entries(server.port), 4);
}

// Four clients send the same uploads, two of them in the opposite order, to one server or, on
// PostgreSQL, to two sharing the database, until the servers are killed: every upload they
// acknowledged is there afterwards, each recorded once.
TEST_P(ScoreServerTest, AKilledServerLosesNoAcknowledgedUploadAndRecordsEachOnce) {
    ServerProcess second;
    std::vector<int> ports = {server.port, server.port};
    if (GetParam() == "postgres") {
        ASSERT_TRUE(second.Start({"--db", database, "--uploads-per-minute", "0"}));
        ports[1] = second.port;
    }
    std::vector<std::string> targets;
    for (int n = 0; n < 1000; ++n)
        targets.push_back(Upload(std::to_string(n) + (n % 3 ? ":::N" : ":R:e@x:Y"), n));
    std::atomic<bool> stop{false};
    std::atomic<int> answered{0};
    std::mutex mutex;
    std::set<std::string> sent, acknowledged;
    std::vector<std::thread> clients;
    for (int c = 0; c < 4; ++c) {
        clients.emplace_back([&, c] {
            httplib::Client http("127.0.0.1", ports[c % 2]);
            http.set_keep_alive(true);
            for (int i = 0; !stop && i < 1000; ++i) {
                const std::string& target = targets[c < 2 ? i : 999 - i];
                httplib::Result response = http.Get(target.c_str());
                std::lock_guard<std::mutex> lock(mutex);
                sent.insert(target);
                if (response && response->status == 200)
                    acknowledged.insert(target);
                answered += response && response->status == 200;
            }
        });
    }
    // Killed mid-stream, once a good many uploads were answered, however slow the machine.
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (answered < 200 && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    EXPECT_EQ(server.Stop(SIGKILL), 128 + SIGKILL);
    second.Stop(SIGKILL);
    stop = true;
    for (std::thread& client : clients)
        client.join();
    StartServer();
    for (const std::string& target : acknowledged)
        ASSERT_TRUE(Contains(Get(server.port, target).body, "Already recorded")) << target;
    EXPECT_GE(answered, 200);
    EXPECT_LT(acknowledged.size(), answered) << "the clients sent the same uploads";
    EXPECT_LE(Entries(server.port), static_cast<long long>(sent.size()));
}

// Dropped connections and a stopped cluster: uploads meanwhile are answered 503, the server
// keeps serving, and every upload it acknowledged is there afterwards.
TEST_P(ScoreServerTest, KeepsServingWhilePostgresGoesAway) {
    if (GetParam() != "postgres")
        GTEST_SKIP() << "a SQLite file does not go away";
    int next = 0, unavailable = 0;
    std::vector<std::string> acknowledged;
    auto uploadSeries = [&](int count) {
        size_t before = acknowledged.size();
        for (int i = 0; i < count; ++i) {
            std::string target = Upload(std::to_string(next++), 10);
            int status = Get(server.port, target).status;
            if (status == 200)
                acknowledged.push_back(target);
            unavailable += status == 503;
            EXPECT_TRUE(status == 200 || status == 503) << status;
        }
        return acknowledged.size() - before;
    };
    uploadSeries(5);
    PostgresQuery("SELECT pg_terminate_backend(pid) FROM pg_stat_activity"
                  " WHERE application_name = 'lumora-scores'");
    uploadSeries(5);
    ASSERT_EQ(std::system("pg_ctlcluster \"$PGVERSION\" regress stop -m fast"), 0);
    EXPECT_EQ(uploadSeries(3), 0u);
    for (const char* target : {"/healthz", "/", "/games/Kestrin", "/api/games/Kestrin/scores"})
        EXPECT_EQ(Get(server.port, target).status, 503) << target;
    ASSERT_EQ(std::system("pg_ctlcluster \"$PGVERSION\" regress start"), 0);
    uploadSeries(5);
    EXPECT_GE(unavailable, 4);
    EXPECT_GE(acknowledged.size(), 12u);
    for (const std::string& target : acknowledged)
        EXPECT_TRUE(Contains(Get(server.port, target).body, "Already recorded")) << target;
    EXPECT_EQ(Get(server.port, "/healthz").status, 200);
}

INSTANTIATE_TEST_SUITE_P(Databases, ScoreServerTest, testing::ValuesIn(ScoreDatabases()),
                         [](const auto& info) { return info.param; });

// A server of eight request threads and three uploads a minute, held by six slow clients, a
// database file locked by another process and one upload too many.
TEST(ScoreServer, HoldsOutAgainstSlowClientsALockedFileAndFloods) {
    TempDir dir;
    ServerProcess server;
    ASSERT_TRUE(server.Start({"--db", dir / "s", "--threads", "8", "--uploads-per-minute", "3"}))
        << server.Errors();
    std::vector<int> slow;
    for (int i = 0; i < 6; ++i)
        slow.push_back(Connection(server.port, "127.0.0.1", "GET /cgi-bin/hisc"));
    auto begin = std::chrono::steady_clock::now();
    EXPECT_EQ(Get(server.port, Upload("A", 5)).status, 200);
    EXPECT_LT(std::chrono::steady_clock::now() - begin, std::chrono::seconds(3)) << "no waiting";

    sqlite3* other = nullptr;
    sqlite3_open((dir / "s").c_str(), &other);
    ASSERT_EQ(sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
    Answer busy = Get(server.port, Upload("B", 5));
    EXPECT_EQ(busy.status, 503);
    EXPECT_FALSE(busy.retryAfter.empty());
    EXPECT_EQ(Get(server.port, "/games/Kestrin").status, 200); // readers go on
    sqlite3_exec(other, "COMMIT", nullptr, nullptr, nullptr);
    sqlite3_close(other);
    EXPECT_TRUE(Contains(Get(server.port, Upload("B", 5)).body, "Score recorded"));
    EXPECT_TRUE(Contains(server.Errors(), "locked"));

    Answer refused = Get(server.port, Upload("C", 5)); // the fourth of the minute
    EXPECT_EQ(refused.status, 429);
    EXPECT_GE(std::stoi("0" + refused.retryAfter), 50);
    EXPECT_EQ(Entries(server.port), 2); // pages are not limited
    // Another address has uploads of its own.
    int elsewhere =
        Connection(server.port, "127.0.0.2", "GET " + Upload("C", 5) + " HTTP/1.0\r\n\r\n");
    char answer[16] = "";
    EXPECT_GT(read(elsewhere, answer, sizeof answer - 1), 0);
    EXPECT_TRUE(Contains(answer, " 200 ")) << answer;
    close(elsewhere);

    for (int fd : slow) {
        timeval wait{10, 0};
        setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &wait, sizeof wait);
        char byte;
        EXPECT_GE(read(fd, &byte, 1), 0) << "the server should have closed it";
        close(fd);
    }
    EXPECT_LT(std::chrono::steady_clock::now() - begin, std::chrono::seconds(12));
}

TEST(ScoreServer, ExitsWithAClearMessageWhenItCannotStart) {
    TempDir dir;
    WriteBytes(dir / "text", std::string(5000, 't'));
    // Read-only: as root only another user can be refused the file.
    WriteBytes(dir / "read-only", "");
    std::filesystem::permissions(dir / "read-only", std::filesystem::perms::owner_read |
                                                        std::filesystem::perms::others_read);
    std::vector<std::string> asOther;
    if (geteuid() == 0)
        asOther = {"setpriv", "--reuid=65534", "--regid=65534", "--clear-groups"};
    struct Case {
        std::vector<std::string> prefix, arguments;
        const char* message;
    } cases[] = {
        {{}, {"--db", dir / "text"}, "not a database"},
        {{}, {"--db", dir / "missing/s"}, "unable to open"},
        {asOther, {"--db", dir / "read-only"}, "read-only"},
        {{}, {"--db", "postgresql://nobody@127.0.0.1:1/none"}, "127.0.0.1"},
        {{}, {"--listen", "127.0.0.1:8080", "--bogus"}, "unknown option"},
    };
    for (const Case& c : cases) {
        ServerProcess server;
        EXPECT_FALSE(server.Start(c.arguments, c.prefix));
        EXPECT_NE(server.Stop(), 0);
        EXPECT_TRUE(Contains(server.Errors(), c.message)) << server.Errors();
    }
}

} // namespace
} // namespace testing_support
