#pragma once
// The 800 by 600 16-bit picture: a back surface that the programs draw into, presented by Flip.
// Flip uploads only the part of the back surface that really changed since the last present,
// presents nothing when nothing changed (but again after the window was exposed, moved or
// resized), and paces the loop to the display (vsync, or about 60 frames a second).
#include "platform/surface.h"

namespace plat {

struct Window;
struct Display;

// The picture is scaled to the window in every mode; full screen is the window's own state.
Display* InitDisplay(Window* window, int width, int height);
void ShutdownDisplay();
Display* CurrentDisplay();
Surface* PrimarySurface();
Surface* BackSurface();
int Flip(); // 1 when presented or nothing to present, 0 on failure
// Whether a flip that presents nothing then waits for input (a tenth of a second at most) before
// the next frame, so that a program with nothing to show sleeps. On by default; an animation,
// which keeps its own time and may present an unchanged frame, turns it off for its flips.
void SetIdleWait(bool on);
// Where the picture is drawn inside a maximised window.
void SetPictureOffset(int x, int y);
// The picture must be presented whole at the next flip (window exposed, moved, resized).
void InvalidateDisplay();
const char* DisplayError();

struct FlipStats {
    unsigned flips;
    unsigned presents;
    Rect lastUpload; // empty when the last flip presented nothing
};
FlipStats GetFlipStats();

} // namespace plat
