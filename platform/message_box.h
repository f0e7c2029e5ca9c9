#pragma once
// An error message box without owner; the text also goes to standard error, so it reaches the
// user even without a display. A null caption shows none.
namespace plat {
void ShowMessageBox(const char* text, const char* caption);
} // namespace plat
