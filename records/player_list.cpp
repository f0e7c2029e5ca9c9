#include "records/player_list.h"

#include "platform/profile.h"
#include "records/copy_field.h"
#include "records/saved.h"

#include <cstdio>
#include <cstring>
#include <iterator>

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
    // "playerid" is only ever written as 0 ... 7; anything else in a hand-edited file is 0.
    current =
        plat::GetProfileInt(SETUP_SECTION, PLAYER_ID_KEY, 0, 0, MAX_PLAYERS - 1, iniPath.c_str());
    return current;
}

bool PlayerList::WriteCurrent(int index) {
    if (iniPath.empty() || !IsSlot(index))
        return false;
    char value[16];
    std::snprintf(value, sizeof value, "%d", index);
    const bool written = records::Saved(
        plat::WriteProfileString(SETUP_SECTION, PLAYER_ID_KEY, value, iniPath.c_str()),
        iniPath.c_str());
    current = index;
    return written;
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

bool PlayerList::WriteRecord(int i, const PlayerRecord& record) {
    if (iniPath.empty() || !IsSlot(i))
        return false;
    // The record may be records[i] itself, which the reads below overwrite.
    PlayerRecord bounded = Bounded(record);
    SectionName section(i);
    const plat::ProfileValue values[] = {{"name", bounded.name},
                                         {"address", bounded.address},
                                         {"email", bounded.email},
                                         {"send", bounded.send}};
    const bool written = records::Saved(
        plat::WriteProfileStrings(section.text, values, std::size(values), iniPath.c_str()),
        iniPath.c_str());
    char scratch[PLAYER_STRING_SIZE];
    Compose(i, scratch, sizeof scratch);
    return written;
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

bool PlayerList::ResetRecord(int i) {
    if (!IsSlot(i))
        return false;
    PlayerRecord& record = records[i];
    std::memset(&record, 0, sizeof record);
    records::CopyField(record.name, SectionName(i).text);
    records::CopyField(record.send, "Y");
    return WriteRecord(i, record);
}

PlayerRecord& PlayerList::Record(int i) {
    if (IsSlot(i))
        return records[i];
    outside = PlayerRecord{};
    return outside;
}
