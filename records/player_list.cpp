#include "records/player_list.h"

#include "platform/profile.h"
#include "records/copy_field.h"

#include <cstdio>
#include <cstring>

PlayerList playerList;

namespace {

constexpr char SETUP_SECTION[] = "setup";
constexpr char PLAYER_ID_KEY[] = "playerid";

bool IsSlot(int i) {
    return i >= 0 && i < MAX_PLAYERS;
}

// The section of slot i, which is also the name of a player who has not been named.
struct SectionName {
    explicit SectionName(int i) { std::snprintf(text, sizeof text, "Player%d", i + 1); }
    char text[sizeof(PlayerRecord::name)];
};

// "playerid" is only ever written as 0 ... 7; anything else in a hand-edited file is 0.
int ParsePlayerId(const char* text) {
    int value = 0;
    if (*text < '0' || *text > '9')
        return 0;
    for (; *text >= '0' && *text <= '9'; ++text) {
        value = value * 10 + (*text - '0');
        if (value >= MAX_PLAYERS)
            return 0;
    }
    return value;
}

// A copy with every field cut and terminated, whatever the original holds.
PlayerRecord Bounded(const PlayerRecord& record) {
    PlayerRecord bounded;
    records::CopyField(bounded.name, record.name);
    records::CopyField(bounded.address, record.address);
    records::CopyField(bounded.email, record.email);
    records::CopyField(bounded.send, record.send);
    return bounded;
}

} // namespace

void PlayerList::SetPath(const char* path) {
    iniPath = path ? path : "";
}

int PlayerList::ReadCurrent() {
    current = 0;
    if (iniPath.empty())
        return current;
    char value[32];
    plat::GetProfileString(SETUP_SECTION, PLAYER_ID_KEY, "0", value, sizeof value, iniPath.c_str());
    current = ParsePlayerId(value);
    return current;
}

void PlayerList::WriteCurrent(int index) {
    if (iniPath.empty() || !IsSlot(index))
        return;
    char value[16];
    std::snprintf(value, sizeof value, "%d", index);
    plat::WriteProfileString(SETUP_SECTION, PLAYER_ID_KEY, value, iniPath.c_str());
    current = index;
}

void PlayerList::ReadRecord(int i) {
    if (iniPath.empty() || !IsSlot(i))
        return;
    SectionName section(i);
    PlayerRecord& record = records[i];
    const char* path = iniPath.c_str();
    plat::GetProfileString(section.text, "name", section.text, record.name, sizeof record.name,
                           path);
    plat::GetProfileString(section.text, "address", "", record.address, sizeof record.address,
                           path);
    plat::GetProfileString(section.text, "email", "", record.email, sizeof record.email, path);
    plat::GetProfileString(section.text, "send", "Y", record.send, sizeof record.send, path);
}

void PlayerList::WriteRecord(int i, const PlayerRecord& record) {
    if (iniPath.empty() || !IsSlot(i))
        return;
    // The record may be records[i] itself, which the reads below overwrite.
    PlayerRecord bounded = Bounded(record);
    SectionName section(i);
    const char* path = iniPath.c_str();
    plat::WriteProfileString(section.text, "name", bounded.name, path);
    plat::WriteProfileString(section.text, "address", bounded.address, path);
    plat::WriteProfileString(section.text, "email", bounded.email, path);
    plat::WriteProfileString(section.text, "send", bounded.send, path);
    char scratch[PLAYER_STRING_SIZE];
    Compose(i, scratch, sizeof scratch);
}

void PlayerList::Compose(int i, char* out, size_t size) {
    if (!out || size == 0)
        return;
    out[0] = '\0';
    if (!IsSlot(i))
        return;
    ReadRecord(i);
    PlayerRecord bounded = Bounded(records[i]);
    std::snprintf(out, size, "%s:%s:%s:%s", bounded.name, bounded.address, bounded.email,
                  bounded.send);
}

void PlayerList::ResetRecord(int i) {
    if (!IsSlot(i))
        return;
    PlayerRecord& record = records[i];
    std::memset(&record, 0, sizeof record);
    records::CopyField(record.name, SectionName(i).text);
    records::CopyField(record.send, "Y");
    WriteRecord(i, record);
}

PlayerRecord& PlayerList::Record(int i) {
    if (IsSlot(i))
        return records[i];
    outside = PlayerRecord{};
    return outside;
}
