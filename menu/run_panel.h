#pragma once
// How the menu's screens show a pop-up over themselves.
class PopupScreen;

// Runs the pop-up and shows the whole screen again after it. A pop-up whose picture could not
// be loaded is not run: it would be invisible, and nothing could close it. Returns 0 when the
// program is quitting, 1 otherwise.
int RunPanel(PopupScreen& panel);
