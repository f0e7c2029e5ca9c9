#include "records/player_list.h"

#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstring>
#include <sys/resource.h>

using namespace testing_support;

namespace {

class PlayerListTest : public ::testing::Test {
  protected:
    void SetUp() override { players.SetPath(ini.c_str()); }
    std::string Composed(int i, size_t size = PLAYER_STRING_SIZE) {
        std::string out(size + 1, '#');
        players.Compose(i, out.data(), size);
        EXPECT_EQ(out[size], '#') << "written past the end";
        return out.c_str();
    }

    TempDir dir;
    std::string ini = dir / "options.ini";
    PlayerList players;
};

TEST_F(PlayerListTest, PlayerStringsJoinTheFieldsAsTheFileHoldsThem) {
    EXPECT_EQ(Composed(7), "Player8:::Y"); // the defaults, and no file made for them
    EXPECT_FALSE(std::filesystem::exists(ini));
    WriteBytes(ini, "[player2]\nNAME=\n[Player3]\nname=" + std::string(100, 'n') +
                        "\nsend=No\naddress=" + std::string(70, 'a') +
                        "\n[Player4]\nname=Ann:Lee\naddress=1 Road\nemail=a@b\n");
    EXPECT_EQ(Composed(1), ":::Y");
    EXPECT_EQ(Composed(2), std::string(63, 'n') + ":" + std::string(63, 'a') + "::N");
    EXPECT_EQ(Composed(3), "Ann:Lee:1 Road:a@b:Y");
    EXPECT_EQ(Composed(3, 6), "Ann:L");
    EXPECT_EQ(Composed(MAX_PLAYERS), "");
    PlayerRecord record;
    std::memset(&record, 'z', sizeof record); // no terminators anywhere
    WriteBytes(ini, "");
    ASSERT_TRUE(players.WriteRecord(0, record));
    const std::string z63(63, 'z');
    EXPECT_EQ(ReadBytes(ini),
              "[Player1]\nname=" + z63 + "\naddress=" + z63 + "\nemail=" + z63 + "\nsend=z\n");
    EXPECT_EQ(Composed(0), z63 + ":" + z63 + ":" + z63 + ":z"); // fits a score entry's name
}

TEST_F(PlayerListTest, WritesKeepEveryOtherLineAndTheSlotHoldsWhatTheFileHolds) {
    WriteBytes(ini, "[setup]\nSFX=N\nMusic=Y\n");
    ASSERT_TRUE(players.WriteCurrent(5));
    EXPECT_FALSE(players.WriteCurrent(MAX_PLAYERS) || players.WriteCurrent(-1));
    EXPECT_EQ(players.Current(), 5);
    ASSERT_TRUE(players.WriteRecord(2, PlayerRecord{"  Kim  ", "x", "k@example.org", "N"}));
    EXPECT_STREQ(players.Record(2).name, "Kim"); // read back without the blanks
    ASSERT_TRUE(players.ResetRecord(4));
    EXPECT_EQ(ReadBytes(ini), "[setup]\nSFX=N\nMusic=Y\nplayerid=5\n"
                              "[Player3]\nname=  Kim  \naddress=x\nemail=k@example.org\nsend=N\n"
                              "[Player5]\nname=Player5\naddress=\nemail=\nsend=Y\n");
    EXPECT_EQ(players.ReadCurrent(), 5);
    for (const char* value : {"8", "-1", "abc"}) { // only a slot's number is taken
        WriteBytes(ini, std::string("[setup]\nplayerid=") + value + "\n");
        EXPECT_EQ(players.ReadCurrent(), 0) << value;
    }
}

TEST_F(PlayerListTest, AWriteThatFailsPartWayLeavesTheOldRecordWhole) {
    const std::string before = "[Player1]\nname=old\naddress=old\nemail=old\nsend=Y\n";
    WriteBytes(ini, before);
    PlayerRecord record{"", "", "", "N"};
    for (char* field : {record.name, record.address, record.email})
        std::memset(field, 'n', 40);
    // Room for the file with the new name alone, not for the whole new record.
    rlimit saved{}, limit{};
    getrlimit(RLIMIT_FSIZE, &saved);
    limit = saved;
    limit.rlim_cur = before.size() + 50;
    auto* oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &limit);
    testing::internal::CaptureStderr();
    const bool written = players.WriteRecord(0, record);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "cannot save \"" + ini + "\": file too large\n");
    EXPECT_FALSE(written);
    EXPECT_EQ(ReadBytes(ini), before);
    EXPECT_STREQ(players.Record(0).name, "old");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

TEST_F(PlayerListTest, FailedWritesAreReturnedAndNamedOnStandardError) {
    WriteBytes(dir / "folder", "a file where a folder should be");
    const std::string unwritable = dir / "folder/options.ini";
    players.SetPath(unwritable.c_str());
    testing::internal::CaptureStderr();
    EXPECT_FALSE(players.WriteCurrent(2));
    EXPECT_FALSE(players.WriteRecord(1, players.Record(1)));
    EXPECT_FALSE(players.ResetRecord(3));
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "cannot save \"" + unwritable + "\": Not a directory\n"); // one problem, told once
    EXPECT_EQ(players.Current(), 2); // still the player picked, for this run
}

TEST_F(PlayerListTest, WithoutAPathOrASlotNothingTouchesAFile) {
    WriteBytes(ini, "[setup]\nplayerid=4\n");
    PlayerList unset;
    EXPECT_FALSE(players.ResetRecord(MAX_PLAYERS) || players.ResetRecord(-1) ||
                 unset.WriteCurrent(6) || unset.ResetRecord(0));
    std::strcpy(players.Record(MAX_PLAYERS).name, "junk");
    EXPECT_STREQ(players.Record(-3).name, "");
    EXPECT_EQ(unset.ReadCurrent() + unset.Current(), 0);
    EXPECT_STREQ(unset.Record(0).name, "Player1"); // reset in memory only
    unset.ReadRecord(1);
    EXPECT_STREQ(unset.Record(1).name, "");
    EXPECT_EQ(ReadBytes(ini), "[setup]\nplayerid=4\n");
}

} // namespace
