#include "records/player_list.h"

#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstring>
#include <sys/resource.h>

using testing_support::ReadBytes;
using testing_support::TempDir;
using testing_support::WriteBytes;

namespace {

class PlayerListTest : public ::testing::Test {
  protected:
    void SetUp() override { players.SetPath(ini.c_str()); }
    std::string Composed(int i, size_t size = PLAYER_STRING_SIZE) {
        std::vector<char> out(size + 1, '#');
        players.Compose(i, out.data(), size);
        EXPECT_EQ(out[size], '#');
        return out.data();
    }

    TempDir dir;
    std::string ini = dir / "options.ini";
    PlayerList players;
};

} // namespace

TEST_F(PlayerListTest, WithNoFileEveryPlayerHasTheDefaults) {
    EXPECT_EQ(players.ReadCurrent(), 0);
    for (int i = 0; i < MAX_PLAYERS; ++i) {
        players.ReadRecord(i);
        const PlayerRecord& record = players.Record(i);
        EXPECT_EQ(std::string(record.name), "Player" + std::to_string(i + 1));
        EXPECT_STREQ(record.address, "");
        EXPECT_STREQ(record.email, "");
        EXPECT_STREQ(record.send, "Y");
    }
    EXPECT_FALSE(std::filesystem::exists(ini));
}

TEST_F(PlayerListTest, AnEmptyNameStaysEmptyAndLongValuesAreCut) {
    WriteBytes(ini, "[player2]\nNAME=\n[Player3]\nname=" + std::string(100, 'n') +
                        "\nsend=No\naddress=" + std::string(70, 'a') + "\n");
    players.ReadRecord(1);
    EXPECT_STREQ(players.Record(1).name, "");
    players.ReadRecord(2);
    EXPECT_EQ(std::string(players.Record(2).name), std::string(63, 'n'));
    EXPECT_EQ(std::string(players.Record(2).address), std::string(63, 'a'));
    EXPECT_STREQ(players.Record(2).send, "N");
}

TEST_F(PlayerListTest, ComposeJoinsTheFieldsAsTheFileHoldsThem) {
    WriteBytes(ini, "[Player2]\nsend=N\n[Player3]\nname=Ann:Lee\naddress=1 Road\nemail=a@b\n");
    EXPECT_EQ(Composed(1), "Player2:::N");
    EXPECT_EQ(Composed(2), "Ann:Lee:1 Road:a@b:Y");
    EXPECT_EQ(Composed(2, 6), "Ann:L");
    EXPECT_EQ(Composed(MAX_PLAYERS), "");
}

TEST_F(PlayerListTest, TheLongestPlayerStringFitsAScoreEntryName) {
    PlayerRecord record;
    std::memset(&record, 'z', sizeof record); // no terminators anywhere
    ASSERT_TRUE(players.WriteRecord(0, record));
    std::string composed = Composed(0);
    EXPECT_EQ(composed.size(), 193u);
    EXPECT_EQ(composed, std::string(63, 'z') + ":" + std::string(63, 'z') + ":" +
                            std::string(63, 'z') + ":z");
}

TEST_F(PlayerListTest, ResetWritesTheSlotAtOnce) {
    ASSERT_TRUE(players.ResetRecord(4));
    EXPECT_EQ(ReadBytes(ini), "[Player5]\nname=Player5\naddress=\nemail=\nsend=Y\n");
    const PlayerRecord& record = players.Record(4);
    EXPECT_STREQ(record.name, "Player5");
    EXPECT_STREQ(record.address, "");
    EXPECT_STREQ(record.email, "");
    EXPECT_STREQ(record.send, "Y");
}

TEST_F(PlayerListTest, WriteRecordLeavesTheSlotHoldingWhatTheFileHolds) {
    WriteBytes(ini, "[setup]\nSFX=N\nMusic=Y\nplayerid=2\n");
    PlayerRecord& record = players.Record(2);
    std::strcpy(record.name, "  Kim  ");
    std::strcpy(record.address, "x");
    std::strcpy(record.email, "k@example.org");
    std::strcpy(record.send, "N");
    ASSERT_TRUE(players.WriteRecord(2, record));
    EXPECT_STREQ(players.Record(2).name, "Kim"); // read back without the blanks
    EXPECT_EQ(ReadBytes(ini), "[setup]\nSFX=N\nMusic=Y\nplayerid=2\n[Player3]\nname=  Kim  \n"
                              "address=x\nemail=k@example.org\nsend=N\n");
}

// Files this process writes may grow to `bytes` and no further while it lives.
class FileSizeLimit {
  public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &saved);
        oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = saved;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, oldHandler);
    }

  private:
    rlimit saved{};
    void (*oldHandler)(int) = nullptr;
};

TEST_F(PlayerListTest, AWriteThatFailsPartWayLeavesTheOldRecordWhole) {
    const std::string before = "[Player1]\nname=old\naddress=old\nemail=old\nsend=Y\n";
    WriteBytes(ini, before);
    PlayerRecord record{};
    std::strcpy(record.name, std::string(40, 'n').c_str());
    std::strcpy(record.address, std::string(40, 'a').c_str());
    std::strcpy(record.email, std::string(40, 'e').c_str());
    std::strcpy(record.send, "N");
    // Room for the file with the new name alone, not for the whole new record.
    bool written = true;
    testing::internal::CaptureStderr();
    {
        FileSizeLimit limit(before.size() + 50);
        written = players.WriteRecord(0, record);
    }
    std::string reported = testing::internal::GetCapturedStderr();
    EXPECT_FALSE(written);
    EXPECT_EQ(reported, "cannot save \"" + ini + "\": file too large\n");
    EXPECT_EQ(ReadBytes(ini), before);
    EXPECT_STREQ(players.Record(0).name, "old");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()),
                            std::filesystem::directory_iterator()),
              1);
}

TEST_F(PlayerListTest, FailedWritesAreReturnedAndNamedOnStandardError) {
    WriteBytes(dir / "folder", "a file where a folder should be");
    const std::string unwritable = dir / "folder/options.ini";
    players.SetPath(unwritable.c_str());
    testing::internal::CaptureStderr();
    EXPECT_FALSE(players.WriteCurrent(2));
    EXPECT_FALSE(players.WriteRecord(1, players.Record(1)));
    EXPECT_FALSE(players.ResetRecord(3));
    // One problem, told once.
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "cannot save \"" + unwritable + "\": Not a directory\n");
    EXPECT_EQ(players.Current(), 2); // still the player picked, for this run
}

TEST_F(PlayerListTest, PlayerIdOutsideTheSlotsReadsAsZero) {
    const char* values[] = {"9", "8", "-1", "abc", "99999999999999999999", "", "+-3"};
    for (const char* value : values) {
        WriteBytes(ini, std::string("[setup]\nplayerid=") + value + "\n");
        ASSERT_TRUE(players.WriteCurrent(3));
        WriteBytes(ini, std::string("[setup]\nplayerid=") + value + "\n");
        EXPECT_EQ(players.ReadCurrent(), 0) << value;
        EXPECT_EQ(players.Current(), 0) << value;
    }
    WriteBytes(ini, "[SETUP]\nPlayerID = 7th\n");
    EXPECT_EQ(players.ReadCurrent(), 7);
}

TEST_F(PlayerListTest, WriteCurrentStoresOnlySlotsAndKeepsOtherKeys) {
    WriteBytes(ini, "[setup]\nSFX=N\nMusic=Y\n");
    ASSERT_TRUE(players.WriteCurrent(5));
    EXPECT_EQ(players.Current(), 5);
    EXPECT_EQ(ReadBytes(ini), "[setup]\nSFX=N\nMusic=Y\nplayerid=5\n");
    EXPECT_FALSE(players.WriteCurrent(8));
    EXPECT_FALSE(players.WriteCurrent(-1));
    EXPECT_EQ(players.Current(), 5);
    EXPECT_EQ(ReadBytes(ini), "[setup]\nSFX=N\nMusic=Y\nplayerid=5\n");
    EXPECT_EQ(players.ReadCurrent(), 5);
}

TEST_F(PlayerListTest, WithoutAPathNothingTouchesAFile) {
    PlayerList unset;
    WriteBytes(ini, "[setup]\nplayerid=4\n");
    EXPECT_FALSE(unset.WriteCurrent(6));
    EXPECT_EQ(unset.Current(), 0);
    EXPECT_EQ(unset.ReadCurrent(), 0);
    EXPECT_FALSE(unset.ResetRecord(0));
    EXPECT_STREQ(unset.Record(0).name, "Player1"); // reset in memory only
    unset.ReadRecord(1);
    EXPECT_STREQ(unset.Record(1).name, "");
    EXPECT_EQ(ReadBytes(ini), "[setup]\nplayerid=4\n");
}

TEST_F(PlayerListTest, SlotsOutsideTheListAreNeverTouched) {
    EXPECT_FALSE(players.ResetRecord(MAX_PLAYERS));
    EXPECT_FALSE(players.ResetRecord(-1));
    EXPECT_FALSE(std::filesystem::exists(ini));
    PlayerRecord& outside = players.Record(MAX_PLAYERS);
    std::strcpy(outside.name, "junk");
    EXPECT_STREQ(players.Record(-3).name, "");
    players.ReadRecord(0);
    EXPECT_STREQ(players.Record(0).name, "Player1");
}
