#pragma once
// The program's one window: its class, creation, procedure and caption.
#include "platform/window.h"

int RegisterWindowClass(void* hInstance);
int CreateMainWindow(void* hInstance);
plat::LRESULT WindowProc(plat::Window* hwnd, uint32_t message, plat::WPARAM wParam,
                         plat::LPARAM lParam);
// Caption "<program title> - <text>".
void SetWindowTitle(const char* text);
