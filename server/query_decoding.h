#pragma once
// Decoding of an address's query: "key=value" pairs joined by "&", keys and values
// percent-encoded. A "+" stays a plus sign: the suite's menu escapes spaces as "%20", and older
// menus sent the "+" of a name unescaped.
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace scores {

// The bytes `text` stands for, or nothing when a "%" is not followed by two hexadecimal digits.
std::optional<std::string> PercentDecode(std::string_view text);

// Splits and decodes `query` into `values`. Returns an empty string on success, otherwise the
// reason it was refused: a cut or non-hexadecimal escape, a pair without "=", an empty key or a
// key given twice. Empty pairs ("a=1&&b=2") are skipped.
std::string DecodeQuery(std::string_view query, std::map<std::string, std::string>& values);

} // namespace scores
