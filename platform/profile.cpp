// Settings files as the Windows profile functions read and write them: "[section]" lines,
// "key=value" lines, names compared without regard to case, blanks around names and values
// ignored, the first matching section and the first matching key in it taking effect.
#include "platform/profile.h"
#include "platform/ascii_case.h"

#include "platform/files.h"

#include <cerrno>
#include <climits>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace plat {
namespace {

struct Line {
    size_t begin = 0; // text, without its line break
    size_t end = 0;
    size_t next = 0; // where the following line starts (after the line break)
};

enum class Kind { Other, Section, Key };

struct Parsed {
    Kind kind = Kind::Other;
    std::string_view name;  // section or key name, trimmed
    std::string_view value; // key value, trimmed
};

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\r';
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

// Lines end at "\n", "\r\n" or a lone "\r"; a UTF-8 byte order mark at the start is skipped.
std::vector<Line> SplitLines(std::string_view text) {
    std::vector<Line> lines;
    size_t position = text.substr(0, 3) == "\xEF\xBB\xBF" ? 3 : 0;
    while (position < text.size()) {
        Line line;
        line.begin = position;
        size_t end = text.find_first_of("\r\n", position);
        if (end == std::string_view::npos) {
            line.end = line.next = text.size();
        } else {
            line.end = end;
            line.next = end + 1;
            if (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n')
                line.next = end + 2;
        }
        lines.push_back(line);
        position = line.next;
    }
    return lines;
}

Parsed Classify(std::string_view text) {
    Parsed parsed;
    std::string_view content = Trim(text);
    if (content.empty() || content.front() == ';')
        return parsed;
    if (content.front() == '[') {
        size_t close = content.rfind(']');
        if (close != std::string_view::npos) {
            parsed.kind = Kind::Section;
            parsed.name = Trim(content.substr(1, close - 1));
            return parsed;
        }
    }
    size_t equals = content.find('=');
    if (equals == std::string_view::npos)
        return parsed; // a line without "=" names no value and is only kept
    parsed.kind = Kind::Key;
    parsed.name = Trim(content.substr(0, equals));
    parsed.value = Trim(content.substr(equals + 1));
    return parsed;
}

struct Lookup {
    int section = -1;     // index of the first matching section header
    int sectionEnd = -1;  // index of the line after the section's last line
    int lastContent = -1; // last line of the section that is not blank
    int key = -1;         // first matching key line inside the section
};

Lookup Find(std::string_view text, const std::vector<Line>& lines, std::string_view section,
            std::string_view key) {
    Lookup found;
    int count = static_cast<int>(lines.size());
    for (int i = 0; i < count; ++i) {
        std::string_view lineText = text.substr(lines[i].begin, lines[i].end - lines[i].begin);
        Parsed parsed = Classify(lineText);
        if (found.section < 0) {
            if (parsed.kind == Kind::Section && SameIgnoringCase(parsed.name, section))
                found.section = found.lastContent = i;
            continue;
        }
        if (parsed.kind == Kind::Section) {
            found.sectionEnd = i;
            return found;
        }
        if (!Trim(lineText).empty())
            found.lastContent = i;
        if (found.key < 0 && parsed.kind == Kind::Key && SameIgnoringCase(parsed.name, key))
            found.key = i;
    }
    if (found.section >= 0)
        found.sectionEnd = count;
    return found;
}

// A value written in quotes is read without them.
std::string_view Unquote(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front())
        return value.substr(1, value.size() - 2);
    return value;
}

size_t CopyCut(std::string_view value, char* out, size_t size) {
    size_t length = value.find('\0');
    if (length == std::string_view::npos)
        length = value.size();
    if (length > size - 1)
        length = size - 1;
    std::memcpy(out, value.data(), length);
    out[length] = '\0';
    return length;
}

bool HasLineBreak(std::string_view text) {
    return text.find_first_of("\r\n") != std::string_view::npos;
}

// Whether a key may be written under this section: names that would read back as something
// else are refused rather than written.
bool WritableNames(std::string_view section, std::string_view key) {
    return !HasLineBreak(section) && section.find(']') == std::string_view::npos && !key.empty() &&
           !HasLineBreak(key) && key.find('=') == std::string_view::npos && key.front() != '[' &&
           key.front() != ';';
}

// The text with key=value set in the section: a key that is there keeps its line, its
// indentation and its spelling, and only its value changes; a missing key goes to the end of
// its section, a missing section to the end of the file.
std::string WithKey(const std::string& text, std::string_view section, std::string_view key,
                    std::string_view value) {
    // A value is one line: whatever follows a line break in it is dropped.
    value = value.substr(0, value.find_first_of("\r\n"));
    std::vector<Line> lines = SplitLines(text);
    std::string lineBreak = "\n";
    for (const Line& line : lines) {
        if (line.next > line.end) {
            lineBreak = text.substr(line.end, line.next - line.end);
            break;
        }
    }
    Lookup found = Find(text, lines, section, key);
    std::string updated;
    if (found.key >= 0) {
        const Line& line = lines[found.key];
        Parsed parsed = Classify(std::string_view(text).substr(line.begin, line.end - line.begin));
        size_t nameStart = static_cast<size_t>(parsed.name.data() - text.data());
        updated = text.substr(0, nameStart);
        updated.append(parsed.name).append("=").append(value);
        updated.append(text, line.end);
    } else {
        size_t insertAt = found.section >= 0 ? lines[found.lastContent].next : text.size();
        updated = text.substr(0, insertAt);
        if (!updated.empty() && updated.back() != '\n' && updated.back() != '\r')
            updated += lineBreak;
        if (found.section < 0)
            updated.append("[").append(section).append("]").append(lineBreak);
        updated.append(key).append("=").append(value).append(lineBreak);
        updated.append(text, insertAt);
    }
    return updated;
}

// The leading decimal number of a value, when it has one that fits in 64 bits.
bool LeadingNumber(std::string_view text, long long* number) {
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty() || text.front() < '0' || text.front() > '9')
        return false;
    long long value = 0;
    for (; !text.empty() && text.front() >= '0' && text.front() <= '9'; text.remove_prefix(1)) {
        if (value > (LLONG_MAX - 9) / 10)
            return false;
        value = value * 10 + (text.front() - '0');
    }
    *number = negative ? -value : value;
    return true;
}

} // namespace

size_t GetProfileString(const char* section, const char* key, const char* defaultValue, char* out,
                        size_t size, const char* path) {
    if (!out || size == 0)
        return 0;
    std::string_view fallback = defaultValue ? defaultValue : "";
    while (!fallback.empty() && IsBlank(fallback.back()))
        fallback.remove_suffix(1);
    std::string text;
    if (!section || !key || !path || !ReadWholeFile(path, &text, MAX_PROFILE_BYTES))
        return CopyCut(fallback, out, size);
    std::vector<Line> lines = SplitLines(text);
    Lookup found = Find(text, lines, Trim(section), Trim(key));
    if (found.key < 0)
        return CopyCut(fallback, out, size);
    const Line& line = lines[found.key];
    Parsed parsed = Classify(std::string_view(text).substr(line.begin, line.end - line.begin));
    return CopyCut(Unquote(parsed.value), out, size);
}

int GetProfileInt(const char* section, const char* key, int defaultValue, int minimum, int maximum,
                  const char* path) {
    char text[256];
    GetProfileString(section, key, "", text, sizeof text, path);
    long long number = 0;
    if (!LeadingNumber(text, &number) || number < minimum || number > maximum)
        return defaultValue;
    return static_cast<int>(number);
}

bool WriteProfileString(const char* section, const char* key, const char* value, const char* path) {
    const ProfileValue one{key, value};
    return WriteProfileStrings(section, &one, 1, path);
}

bool WriteProfileStrings(const char* section, const ProfileValue* values, size_t count,
                         const char* path) {
    if (!section || !path || (!values && count > 0)) {
        errno = EINVAL;
        return false;
    }
    std::string_view sectionName = Trim(section);
    for (size_t i = 0; i < count; ++i) {
        if (!values[i].key || !values[i].value ||
            !WritableNames(sectionName, Trim(values[i].key))) {
            errno = EINVAL;
            return false;
        }
    }
    std::string text;
    // A file that is there but cannot be read is not overwritten with what little we know.
    if (!ReadWholeFile(path, &text, MAX_PROFILE_BYTES) && errno != ENOENT)
        return false;
    std::string updated = text;
    for (size_t i = 0; i < count; ++i)
        updated = WithKey(updated, sectionName, Trim(values[i].key), values[i].value);
    // Writing back what the file already holds (the players after an unchanged edit) costs
    // no disk write.
    if (updated == text)
        return true;
    return ReplaceFile(path, updated.data(), updated.size());
}

} // namespace plat
