#pragma once
// Text put into pages and JSON: escaped so that whatever a player calls themselves shows as
// text and never as markup or code.
#include <cstdint>
#include <string>
#include <string_view>

namespace scores {

// "&", "<", ">", '"' and "'" as character references.
std::string HtmlEscape(std::string_view text);

// A JSON string's contents: quotes, backslashes and control characters escaped; "<", ">" and
// "&" too, so the text stays inert even if something puts it into a page.
std::string JsonEscape(std::string_view text);

// 1850300 as "1,850,300".
std::string GroupedNumber(int64_t value);

// Seconds since 1970 as a UTC date "2024-05-01", or with its time as "2024-05-01T12:00:00Z".
std::string UtcDate(int64_t seconds);
std::string UtcTimestamp(int64_t seconds);

} // namespace scores
