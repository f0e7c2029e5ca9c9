#pragma once
// Which commands open a web address: the "$BROWSER" convention, read without a shell.
#include <string>
#include <vector>

namespace plat {

// Whether the address is one to hand to a browser: it begins with "http://" or "https://" (in
// any case) and holds no blank or control character that could split or hide a part of it.
bool IsWebAddress(const char* address);

// The argument vectors to try, in order, to open the address. `browser` is the value of
// $BROWSER: a ":"-separated list of commands, each split into words at blanks ('...' and "..."
// quote, a backslash outside single quotes escapes the next character). In a word, "%s" stands
// for the address and "%%" for "%"; a command without "%s" gets the address as its last
// argument. With no command there ("browser" null or empty) it is xdg-open.
std::vector<std::vector<std::string>> BrowserCommands(const char* browser,
                                                      const std::string& address);

} // namespace plat
