#include "server/query_decoding.h"

namespace scores {
namespace {

int HexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

} // namespace

std::optional<std::string> PercentDecode(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') {
            out += text[i];
            continue;
        }
        if (i + 2 >= text.size())
            return std::nullopt;
        int high = HexValue(text[i + 1]);
        int low = HexValue(text[i + 2]);
        if (high < 0 || low < 0)
            return std::nullopt;
        out += static_cast<char>(high * 16 + low);
        i += 2;
    }
    return out;
}

std::string DecodeQuery(std::string_view query, std::map<std::string, std::string>& values) {
    values.clear();
    while (!query.empty()) {
        size_t end = query.find('&');
        std::string_view pair = query.substr(0, end);
        query = end == std::string_view::npos ? std::string_view() : query.substr(end + 1);
        if (pair.empty())
            continue;
        size_t equals = pair.find('=');
        if (equals == std::string_view::npos)
            return "a part of the query has no \"=\"";
        std::optional<std::string> key = PercentDecode(pair.substr(0, equals));
        std::optional<std::string> value = PercentDecode(pair.substr(equals + 1));
        if (!key || !value)
            return "the query holds a malformed \"%\" escape";
        if (key->empty())
            return "the query holds an empty key";
        if (!values.emplace(std::move(*key), std::move(*value)).second)
            return "the query gives a key twice";
    }
    return {};
}

} // namespace scores
