// Settings files as the Windows profile functions read and write them: "[section]" lines,
// "key=value" lines, names compared without regard to case, blanks around names and values
// ignored, the first matching section and the first matching key in it taking effect.
#include "platform/ascii_case.h"
#include "platform/profile.h"

#include "platform/files.h"

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

} // namespace

size_t GetProfileString(const char* section, const char* key, const char* defaultValue, char* out,
                        size_t size, const char* path) {
    if (!out || size == 0)
        return 0;
    std::string_view fallback = defaultValue ? defaultValue : "";
    while (!fallback.empty() && IsBlank(fallback.back()))
        fallback.remove_suffix(1);
    std::string text;
    if (!section || !key || !path || !ReadWholeFile(path, &text))
        return CopyCut(fallback, out, size);
    std::vector<Line> lines = SplitLines(text);
    Lookup found = Find(text, lines, Trim(section), Trim(key));
    if (found.key < 0)
        return CopyCut(fallback, out, size);
    const Line& line = lines[found.key];
    Parsed parsed = Classify(std::string_view(text).substr(line.begin, line.end - line.begin));
    return CopyCut(Unquote(parsed.value), out, size);
}

bool WriteProfileString(const char* section, const char* key, const char* value, const char* path) {
    if (!section || !key || !value || !path)
        return false;
    std::string_view sectionName = Trim(section);
    std::string_view keyName = Trim(key);
    // Names that would read back as something else are refused rather than written.
    if (HasLineBreak(sectionName) || sectionName.find(']') != std::string_view::npos ||
        keyName.empty() || HasLineBreak(keyName) || keyName.find('=') != std::string_view::npos ||
        keyName.front() == '[' || keyName.front() == ';')
        return false;
    // A value is one line: whatever follows a line break in it is dropped.
    std::string_view newValue(value);
    newValue = newValue.substr(0, newValue.find_first_of("\r\n"));

    std::string text;
    if (!ReadWholeFile(path, &text) && FileExists(path))
        return false;
    std::vector<Line> lines = SplitLines(text);
    std::string lineBreak = "\n";
    for (const Line& line : lines) {
        if (line.next > line.end) {
            lineBreak = text.substr(line.end, line.next - line.end);
            break;
        }
    }
    Lookup found = Find(text, lines, sectionName, keyName);
    std::string updated;
    if (found.key >= 0) {
        const Line& line = lines[found.key];
        Parsed parsed = Classify(std::string_view(text).substr(line.begin, line.end - line.begin));
        // The line keeps its indentation and the key its spelling; only the value changes.
        size_t nameStart = static_cast<size_t>(parsed.name.data() - text.data());
        updated = text.substr(0, nameStart);
        updated.append(parsed.name).append("=").append(newValue);
        updated.append(text, line.end);
    } else {
        size_t insertAt = found.section >= 0 ? lines[found.lastContent].next : text.size();
        updated = text.substr(0, insertAt);
        if (!updated.empty() && updated.back() != '\n' && updated.back() != '\r')
            updated += lineBreak;
        if (found.section < 0)
            updated.append("[").append(sectionName).append("]").append(lineBreak);
        updated.append(keyName).append("=").append(newValue).append(lineBreak);
        updated.append(text, insertAt);
    }
    // Writing back what the file already holds (the players after an unchanged edit) costs
    // no disk write.
    if (updated == text)
        return true;
    return ReplaceFile(path, updated.data(), updated.size());
}

} // namespace plat
