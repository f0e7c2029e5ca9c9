#include "screens/screen_manager.h"

#include <cstring>

ScreenManager screenManager;

void ScreenManager::Register(Screen* screen) {
    screens.Add(screen);
}

void ScreenManager::SetDisplay(plat::Display* dd, Surface* back) {
    directDraw = dd;
    backSurface = back;
}

Screen* ScreenManager::SwitchTo(const char* screenName) {
    if (!screenName)
        return current;
    for (int i = 0; i < screens.Count(); ++i) {
        Screen* screen = screens.Get(i);
        if (std::strcmp(screen->GetName(), screenName) != 0 || screen == current)
            continue;
        if (current)
            current->Leave();
        current = screen;
        current->Enter(directDraw, backSurface);
        break;
    }
    return current;
}

int ScreenManager::Update(int active) {
    return current ? current->Update(active) : 0;
}

int ScreenManager::RouteMessage(plat::Window* hwnd, unsigned message, uintptr_t wParam,
                                intptr_t lParam) {
    return current ? current->HandleMessage(hwnd, message, wParam, lParam) : 1;
}

void ScreenManager::LeaveAll() {
    for (int i = 0; i < screens.Count(); ++i)
        screens.Get(i)->Leave();
}

void ScreenManager::Clear() {
    while (screens.Count() > 0)
        screens.Remove(screens.Get(0));
    current = nullptr;
    directDraw = nullptr;
    backSurface = nullptr;
}
