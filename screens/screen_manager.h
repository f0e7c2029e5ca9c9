#pragma once
// Keeps the registered screens (not owned), enters and leaves them when the program switches
// by name, and forwards each frame and each window message to the current one.
#include <cstdint>

#include "core/ptr_array.h"
#include "screens/screen.h"

class ScreenManager {
  public:
    void Register(Screen* screen);
    void SetDisplay(plat::Display* directDraw, Surface* backSurface);
    Screen* SwitchTo(const char* screenName);
    int Update(int active);
    int RouteMessage(plat::Window* hwnd, unsigned message, uintptr_t wParam, intptr_t lParam);
    void LeaveAll();
    Screen* Current() const { return current; }
    void Clear(); // forget every screen (tests)

  private:
    PtrArray<Screen> screens;
    Screen* current = nullptr;
    plat::Display* directDraw = nullptr;
    Surface* backSurface = nullptr;
};

extern ScreenManager screenManager;
