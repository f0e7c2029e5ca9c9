#include "platform/browser_command.h"

#include "platform/ascii_case.h"

namespace plat {
namespace {

bool StartsWithIgnoringCase(const std::string& text, std::string_view prefix) {
    return text.size() >= prefix.size() &&
           SameIgnoringCase(std::string_view(text).substr(0, prefix.size()), prefix);
}

// Shell-like words without anything a shell would run or expand.
std::vector<std::string> SplitWords(const std::string& command) {
    std::vector<std::string> words;
    std::string word;
    bool inWord = false;
    char quote = 0;
    for (size_t i = 0; i < command.size(); ++i) {
        const char c = command[i];
        if (quote == '\'' ? c == '\'' : quote == '"' && c == '"') {
            quote = 0;
        } else if (quote != '\'' && c == '\\' && i + 1 < command.size()) {
            word += command[++i];
            inWord = true;
        } else if (quote) {
            word += c;
        } else if (c == '\'' || c == '"') {
            quote = c;
            inWord = true;
        } else if (c == ' ' || c == '\t') {
            if (inWord)
                words.push_back(word);
            word.clear();
            inWord = false;
        } else {
            word += c;
            inWord = true;
        }
    }
    if (inWord)
        words.push_back(word);
    return words;
}

// Replaces "%s" with the address and "%%" with "%"; says whether there was a "%s".
bool PlaceAddress(std::string* word, const std::string& address) {
    std::string placed;
    bool used = false;
    for (size_t i = 0; i < word->size(); ++i) {
        if ((*word)[i] == '%' && i + 1 < word->size() && (*word)[i + 1] == 's') {
            placed += address;
            used = true;
            ++i;
        } else if ((*word)[i] == '%' && i + 1 < word->size() && (*word)[i + 1] == '%') {
            placed += '%';
            ++i;
        } else {
            placed += (*word)[i];
        }
    }
    *word = placed;
    return used;
}

} // namespace

bool IsWebAddress(const char* address) {
    if (!address)
        return false;
    const std::string text = address;
    size_t rest = 0;
    if (StartsWithIgnoringCase(text, "http://"))
        rest = 7;
    else if (StartsWithIgnoringCase(text, "https://"))
        rest = 8;
    else
        return false;
    if (text.size() == rest)
        return false;
    for (unsigned char c : text)
        if (c <= ' ' || c == 0x7F)
            return false;
    return true;
}

std::vector<std::vector<std::string>> BrowserCommands(const char* browser,
                                                      const std::string& address) {
    std::vector<std::vector<std::string>> commands;
    const std::string list = browser ? browser : "";
    size_t start = 0;
    while (start <= list.size()) {
        size_t end = list.find(':', start);
        if (end == std::string::npos)
            end = list.size();
        std::vector<std::string> words = SplitWords(list.substr(start, end - start));
        if (!words.empty()) {
            bool placed = false;
            for (std::string& word : words)
                placed = PlaceAddress(&word, address) || placed;
            if (!placed)
                words.push_back(address);
            commands.push_back(words);
        }
        start = end + 1;
    }
    if (commands.empty())
        commands.push_back({"xdg-open", address});
    return commands;
}

} // namespace plat
