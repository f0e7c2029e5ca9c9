#pragma once
// Keyboard state by DirectInput scan code (PC set 1), high bit = down, as of the last message
// taken from the queue; mouse button word (bit 0 left, bit 1 right) with presses latched until
// a poll has seen them, so a click between two polls is never lost.
#include <cstdint>

namespace plat {
const uint8_t* KeyboardState();
int PollMouseButtons(); // any thread
void SetMouseCaptured(bool captured);
// Scan code (set 1) for an SDL scancode; 0 when it has none.
int ScanCodeFromSdl(int sdlScancode);

// Backend side: called on the UI thread as events arrive.
void NoteMouseButton(int bit, bool down);
void NoteKey(int scanCode, bool down);
void ResetInput();
} // namespace plat
