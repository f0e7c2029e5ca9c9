// The score server as a browser and the menu meet it: a real lumora-scores process on the
// loopback address, with a SQLite file and, when the test script started a cluster, PostgreSQL.
#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <httplib.h>
#include <netinet/in.h>
#include <sqlite3.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <regex>
#include <thread>

#include "load_run.h"
#include "scores_client.h"
#include "server_process.h"
#include "support/postgres_test_database.h"
#include "support/temp_dir.h"

namespace testing_support {
namespace {

struct Answer {
    int status = 0; // 0: no answer
    std::string body;
    std::string retryAfter;
};

Answer Get(int port, const std::string& target) {
    httplib::Client http("127.0.0.1", port);
    httplib::Result response = http.Get(target.c_str());
    if (!response)
        return {};
    return {response->status, response->body, response->get_header_value("Retry-After")};
}

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

// Another process's hold on a SQLite file: writers wait, readers go on.
class LockedDatabase {
  public:
    explicit LockedDatabase(const std::string& path) {
        sqlite3_open(path.c_str(), &db);
        EXPECT_EQ(sqlite3_exec(db, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
    }
    ~LockedDatabase() { Release(); }
    void Release() {
        if (db)
            sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
        sqlite3_close(db);
        db = nullptr;
    }

  private:
    sqlite3* db = nullptr;
};

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
        ASSERT_TRUE(server.Start(
            {ServerPath(), "--db", database, "--uploads-per-minute", "0", "--game", "Mini:1000"}))
            << server.Errors();
        port = server.port();
        // Also a first request from this thread: the HTTP library builds its shared parsers
        // on first use, which the client threads of a test must not race to do.
        ASSERT_EQ(Get(port, "/healthz").body, "ok\n");
    }

    Answer Upload(const std::string& playerString, int64_t score,
                  const std::string& game = "Kestrin") {
        return Get(port, UploadTarget(game, playerString, score));
    }

    TempDir dir;
    std::string database = dir / "scores.sqlite";
    ServerProcess server;
    int port = 0;
};

TEST_P(ScoreServerTest, RecordsUploadsOnceRanksThemAndShowsNamesOnly) {
    struct Step {
        const char* playerString;
        int score;
        const char* heading;
        const char* rank;
    } steps[] = {
        {"Ann:1 Secret Lane:ann@secret.org:Y", 1200, "Score recorded",
         "Rank <strong>1</strong> of 1 entry"},
        {"Ann:1 Secret Lane:ann@secret.org:Y", 1200, "Already recorded",
         "Rank <strong>1</strong> of 1 entry"},
        {"Bob:2 Hidden Road:bob@hidden.org:N", 1500, "Score recorded",
         "Rank <strong>1</strong> of 2 entries"},
        {"Cid:::Y", 1200, "Score recorded", "Rank <strong>2</strong> of 3 entries"},
        {"Dee:::N", 25, "Score recorded", "Rank <strong>4</strong> of 4 entries"},
    };
    for (const Step& step : steps) {
        Answer answer = Upload(step.playerString, step.score);
        ASSERT_EQ(answer.status, 200) << step.playerString;
        EXPECT_TRUE(Contains(answer.body, step.heading)) << step.playerString;
        EXPECT_TRUE(Contains(answer.body, step.rank)) << answer.body;
        EXPECT_TRUE(Contains(answer.body, "href=\"/games/Kestrin\""));
    }
    Answer json = Get(port, "/api/games/Kestrin/scores");
    ASSERT_EQ(json.status, 200);
    // The uploads may straddle a second: each time is checked for its form only.
    static const std::regex time("\"recorded\":\"[0-9]{4}-[0-9]{2}-[0-9]{2}T[0-9:]{8}Z\"");
    std::string body = std::regex_replace(json.body, time, "\"recorded\":T");
    auto row = [&](int rank, const char* name, int score) {
        return "{\"rank\":" + std::to_string(rank) + ",\"name\":\"" + name +
               "\",\"score\":" + std::to_string(score) + ",\"recorded\":T}";
    };
    EXPECT_EQ(body, "{\"game\":\"Kestrin\",\"entries\":4,\"scores\":[" + row(1, "Bob", 1500) + "," +
                        row(2, "Ann", 1200) + "," + row(2, "Cid", 1200) + "," + row(4, "Dee", 25) +
                        "]}\n");
    Answer page = Get(port, "/games/Kestrin");
    ASSERT_EQ(page.status, 200);
    EXPECT_LT(page.body.find(">Bob<"), page.body.find(">Dee<"));
    Answer home = Get(port, "/");
    EXPECT_EQ(home.status, 200);
    EXPECT_TRUE(Contains(home.body, ">Bob<") && Contains(home.body, "Mini"));
    for (const Answer& answer :
         {json, page, home, Upload("Ann:1 Secret Lane:ann@secret.org:Y", 1200)}) {
        EXPECT_FALSE(Contains(answer.body, "Secret") || Contains(answer.body, "secret.org"));
        EXPECT_FALSE(Contains(answer.body, "Hidden") || Contains(answer.body, "hidden.org"));
    }
}

TEST_P(ScoreServerTest, RefusesBadRequestsAndStoresNothing) {
    // One of each refusal; the reasons for 400 are the query reader's own tests.
    std::string masked = std::to_string(1200 ^ 0x0A3C5E71);
    struct Case {
        std::string target;
        int status;
    } cases[] = {
        {"/cgi-bin/hiscore.cgi?game=Kestrin&name=A%2&score=" + masked, 400},
        {"/cgi-bin/hiscore.cgi?game=Kestrin&name=A&B:::N&score=" + masked, 400},
        {UploadTarget("Mini", "A:::N", 1001), 400},
        {UploadTarget("Kestrin", std::string(10000, 'n'), 5), 414},
        {"/games/Solitaire", 404},
        {"/games/..%2Fetc", 404},
        {"/api/games/Solitaire/scores", 404},
        {"/nothing-here", 404},
    };
    for (const Case& c : cases) {
        Answer answer = Get(port, c.target);
        EXPECT_EQ(answer.status, c.status) << c.target.substr(0, 80);
        EXPECT_TRUE(Contains(answer.body, "<h1>") || Contains(answer.body, "\"error\""))
            << c.target.substr(0, 80);
    }
    // A head of several headers over 8 KiB; one line that long the library refuses itself.
    httplib::Client http("127.0.0.1", port);
    httplib::Headers big = {{"X-A", std::string(3000, 'a')},
                            {"X-B", std::string(3000, 'b')},
                            {"X-C", std::string(3000, 'c')}};
    httplib::Result headers = http.Get("/healthz", big);
    ASSERT_TRUE(headers);
    EXPECT_EQ(headers->status, 431);
    headers = http.Get("/healthz", {{"X-Long", std::string(9000, 'l')}});
    ASSERT_TRUE(headers);
    EXPECT_EQ(headers->status, 400);
    httplib::Result body = http.Post("/cgi-bin/hiscore.cgi", std::string(9000, 'b'), "text/plain");
    ASSERT_TRUE(body);
    EXPECT_EQ(body->status, 413);
    EXPECT_EQ(GameEntries(port, "Kestrin"), 0);
    EXPECT_EQ(GameEntries(port, "Mini"), 0);
}

// Every upload the server acknowledged is there after a kill -9 in the middle of a stream.
TEST_P(ScoreServerTest, AKilledServerLosesNoAcknowledgedUpload) {
    std::atomic<bool> stop{false};
    std::atomic<int> answered{0};
    std::vector<std::vector<std::string>> acknowledged(4);
    std::vector<std::thread> clients;
    for (int c = 0; c < 4; ++c) {
        clients.emplace_back([&, c] {
            httplib::Client http("127.0.0.1", port);
            http.set_keep_alive(true);
            for (int i = 0; !stop; ++i) {
                std::string target = UploadTarget(
                    "Kestrin",
                    std::string("k") + std::to_string(c) + "-" + std::to_string(i) + ":::N", i);
                httplib::Result response = http.Get(target.c_str());
                if (!response)
                    break;
                if (response->status == 200)
                    acknowledged[c].push_back(target);
                answered++;
            }
        });
    }
    // Killed mid-stream, once a good many uploads were answered, however slow the machine.
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (answered < 100 && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    EXPECT_EQ(server.Stop(SIGKILL), 128 + SIGKILL);
    stop = true;
    for (std::thread& client : clients)
        client.join();
    StartServer();
    size_t total = 0;
    for (const auto& targets : acknowledged) {
        total += targets.size();
        for (const std::string& target : targets)
            ASSERT_TRUE(Contains(Get(port, target).body, "Already recorded")) << target;
    }
    EXPECT_GE(total, 100u);
}

TEST_P(ScoreServerTest, SixteenClientsLoseNoUploadAndCountEachOnce) {
    LoadSettings settings;
    settings.port = port;
    settings.uploads = 1500;
    settings.maxSeconds = 30;
    LoadResult result = RunLoad(settings);
    EXPECT_EQ(result.failed, 0);
    EXPECT_EQ(result.acknowledged, settings.uploads);
    EXPECT_LT(result.distinctAcknowledged, result.acknowledged); // some were sent twice
    EXPECT_EQ(GameEntries(port, "Kestrin"), result.distinctAcknowledged);
    std::printf("[ load ] %s: %d uploads in %.2f s, p50 %.2f ms, p99 %.2f ms\n", GetParam().c_str(),
                result.sent, result.seconds, result.p50Ms, result.p99Ms);
}

INSTANTIATE_TEST_SUITE_P(Databases, ScoreServerTest, testing::ValuesIn(ScoreDatabases()),
                         [](const auto& info) { return info.param; });

class PostgresServerTest : public ScoreServerTest {
  protected:
    // Uploads A0, A1, ... one after another; the targets answered 200.
    std::vector<std::string> UploadSeries(int count, int& unavailable) {
        std::vector<std::string> acknowledged;
        for (int i = 0; i < count; ++i) {
            std::string target =
                UploadTarget("Kestrin", std::string("A") + std::to_string(next++) + ":::N", 10);
            Answer answer = Get(port, target);
            if (answer.status == 200)
                acknowledged.push_back(target);
            else if (answer.status == 503)
                unavailable++;
            else
                ADD_FAILURE() << "answered " << answer.status;
        }
        return acknowledged;
    }
    int next = 0;
};

// Dropped connections and a stopped cluster: uploads meanwhile are answered 503, the server
// keeps serving, and every upload it acknowledged is there afterwards.
TEST_P(PostgresServerTest, KeepsServingWhilePostgresGoesAway) {
    int unavailable = 0;
    std::vector<std::string> acknowledged = UploadSeries(5, unavailable);
    PostgresQuery("SELECT pg_terminate_backend(pid) FROM pg_stat_activity"
                  " WHERE application_name = 'lumora-scores'");
    std::vector<std::string> more = UploadSeries(5, unavailable);
    acknowledged.insert(acknowledged.end(), more.begin(), more.end());
    ASSERT_EQ(std::system("pg_ctlcluster \"$PGVERSION\" regress stop -m fast"), 0);
    more = UploadSeries(3, unavailable);
    EXPECT_TRUE(more.empty());
    EXPECT_EQ(Get(port, "/healthz").status, 503);
    EXPECT_EQ(Get(port, "/games/Kestrin").status, 503);
    ASSERT_EQ(std::system("pg_ctlcluster \"$PGVERSION\" regress start"), 0);
    more = UploadSeries(5, unavailable);
    acknowledged.insert(acknowledged.end(), more.begin(), more.end());
    EXPECT_GE(unavailable, 4);
    EXPECT_GE(acknowledged.size(), 12u);
    for (const std::string& target : acknowledged)
        EXPECT_TRUE(Contains(Get(port, target).body, "Already recorded")) << target;
    EXPECT_EQ(Get(port, "/healthz").status, 200);
}

// Servers sharing a database, sent the same uploads in opposite orders: each entry once, and
// every upload answered.
TEST_P(PostgresServerTest, ServersSharingADatabaseRecordEachUploadOnce) {
    ServerProcess second;
    ASSERT_TRUE(second.Start({ServerPath(), "--db", database, "--uploads-per-minute", "0"}));
    std::atomic<int> failed{0};
    std::vector<std::thread> clients;
    for (int c = 0; c < 8; ++c) {
        clients.emplace_back([&, c] {
            httplib::Client http("127.0.0.1", c % 2 ? port : second.port());
            for (int i = 0; i < 150; ++i) {
                int n = c % 4 < 2 ? i : 149 - i;
                std::string player = std::string("S") + std::to_string(n) + ":::N";
                httplib::Result answer = http.Get(UploadTarget("Kestrin", player, n * 25).c_str());
                if (!answer || answer->status != 200)
                    failed++;
            }
        });
    }
    for (std::thread& client : clients)
        client.join();
    EXPECT_EQ(failed, 0);
    EXPECT_EQ(GameEntries(port, "Kestrin"), 150);
}

std::vector<std::string> PostgresOnly() {
    return PostgresTestAddress().empty() ? std::vector<std::string>{}
                                         : std::vector<std::string>{"postgres"};
}
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(PostgresServerTest);
INSTANTIATE_TEST_SUITE_P(Databases, PostgresServerTest, testing::ValuesIn(PostgresOnly()),
                         [](const auto& info) { return info.param; });

TEST(ScoreServer, LimitsUploadsPerClientAddress) {
    TempDir dir;
    ServerProcess server;
    ASSERT_TRUE(server.Start({ServerPath(), "--db", dir / "s.sqlite", "--uploads-per-minute", "3"}))
        << server.Errors();
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(Get(server.port(), UploadTarget("Kestrin", "A:::N", 100 + i)).status, 200);
    Answer refused = Get(server.port(), UploadTarget("Kestrin", "A:::N", 200));
    EXPECT_EQ(refused.status, 429);
    EXPECT_GE(std::stoi("0" + refused.retryAfter), 55);
    EXPECT_EQ(Get(server.port(), "/games/Kestrin").status, 200); // pages are not limited
    EXPECT_EQ(GameEntries(server.port(), "Kestrin"), 3);
}

TEST(ScoreServer, SlowClientsAreCutOffAndDoNotStopOthers) {
    TempDir dir;
    ServerProcess server;
    ASSERT_TRUE(server.Start({ServerPath(), "--db", dir / "s.sqlite", "--threads", "8"}))
        << server.Errors();
    std::vector<int> slow;
    for (int i = 0; i < 6; ++i) {
        int fd = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_port = htons(static_cast<uint16_t>(server.port()));
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        ASSERT_EQ(connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
        ASSERT_EQ(write(fd, "GET /cgi-bin/hisc", 17), 17);
        slow.push_back(fd);
    }
    auto begin = std::chrono::steady_clock::now();
    EXPECT_EQ(Get(server.port(), UploadTarget("Kestrin", "A:::N", 5)).status, 200);
    EXPECT_LT(std::chrono::steady_clock::now() - begin,
              std::chrono::seconds(3)); // not the 5 s cut-off
    for (int fd : slow) {
        timeval wait{10, 0};
        setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &wait, sizeof wait);
        char byte;
        EXPECT_GE(read(fd, &byte, 1), 0) << "the server should have closed it";
        close(fd);
    }
    EXPECT_LT(std::chrono::steady_clock::now() - begin, std::chrono::seconds(12));
}

TEST(ScoreServer, ExitsWithAClearMessageWhenItCannotOpenItsDatabase) {
    TempDir dir;
    WriteBytes(dir / "text.sqlite", std::string(5000, 't'));
    struct Case {
        std::vector<std::string> command;
        const char* message;
    } cases[] = {
        {{ServerPath(), "--db", dir / "text.sqlite"}, "not a database"},
        {{ServerPath(), "--db", dir / "missing/s.sqlite"}, "unable to open"},
        {{ServerPath(), "--db", "postgresql://nobody@127.0.0.1:1/none"}, "127.0.0.1"},
        {{ServerPath(), "--listen", "127.0.0.1:8080", "--bogus"}, "unknown option"},
    };
    for (const Case& c : cases) {
        ServerProcess server;
        EXPECT_FALSE(server.Start(c.command));
        EXPECT_NE(server.Wait(), 0);
        EXPECT_TRUE(Contains(server.Errors(), c.message)) << server.Errors();
    }
}

TEST(ScoreServer, ARefusedDatabaseFileStopsTheStartAndALockedOneOnlyUploads) {
    TempDir dir;
    std::string file = dir / "s.sqlite";
    {
        ServerProcess first;
        ASSERT_TRUE(first.Start({ServerPath(), "--db", file})) << first.Errors();
        EXPECT_EQ(Get(first.port(), UploadTarget("Kestrin", "A:::N", 5)).status, 200);
        EXPECT_EQ(first.Stop(SIGTERM), 0);
    }
    // Read-only: as root only another user can be refused the file.
    std::filesystem::permissions(file, std::filesystem::perms::owner_read |
                                           std::filesystem::perms::group_read |
                                           std::filesystem::perms::others_read);
    std::vector<std::string> asOther;
    if (geteuid() == 0)
        asOther = {"setpriv", "--reuid=65534", "--regid=65534", "--clear-groups"};
    asOther.insert(asOther.end(), {ServerPath(), "--db", file});
    ServerProcess readOnly;
    EXPECT_FALSE(readOnly.Start(asOther));
    EXPECT_NE(readOnly.Wait(), 0);
    EXPECT_TRUE(Contains(readOnly.Errors(), "read-only")) << readOnly.Errors();
    std::filesystem::permissions(file, std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::add);

    ServerProcess server;
    ASSERT_TRUE(server.Start({ServerPath(), "--db", file})) << server.Errors();
    LockedDatabase lock(file);
    Answer busy = Get(server.port(), UploadTarget("Kestrin", "B:::N", 5));
    EXPECT_EQ(busy.status, 503);
    EXPECT_FALSE(busy.retryAfter.empty());
    EXPECT_EQ(Get(server.port(), "/games/Kestrin").status, 200);
    lock.Release();
    EXPECT_EQ(Get(server.port(), UploadTarget("Kestrin", "B:::N", 5)).status, 200);
    EXPECT_TRUE(Contains(server.Errors(), "locked"));
}

} // namespace
} // namespace testing_support
