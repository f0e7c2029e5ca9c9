#pragma once
// Names arrive as UTF-8 from current menus and as 8-bit Windows text (Latin-1 with the
// Windows additions in 0x80 to 0x9F) from older ones and hand-edited files; both are kept as
// UTF-8.
#include <string>
#include <string_view>

namespace scores {

// Strict UTF-8: shortest forms only, no surrogates, nothing above U+10FFFF.
bool IsValidUtf8(std::string_view text);

// The text itself when it is valid UTF-8, otherwise its bytes read as Windows-1252 (the reading
// browsers give "Latin-1"), as UTF-8.
std::string ToUtf8(std::string_view text);

// True when valid UTF-8 `text` holds a control character (U+0000 to U+001F, U+007F to U+009F).
bool HasControlCharacter(std::string_view text);

} // namespace scores
