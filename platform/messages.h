#pragma once
// Window messages with the Windows numbers the programs test for: x in the low word of lParam,
// y in the high word; key messages carry a virtual-key code in wParam and the scan code in bits
// 16-23 of lParam.
#include <cstdint>

namespace plat {

struct Window;
using WPARAM = uintptr_t;
using LPARAM = intptr_t;
using LRESULT = intptr_t;

struct Message {
    Window* window;
    uint32_t message;
    WPARAM wParam;
    LPARAM lParam;
};

constexpr uint32_t WM_DESTROY = 0x0002;
constexpr uint32_t WM_MOVE = 0x0003;
constexpr uint32_t WM_SIZE = 0x0005;
constexpr uint32_t WM_ACTIVATE = 0x0006;
constexpr uint32_t WM_CLOSE = 0x0010;
constexpr uint32_t WM_QUIT = 0x0012;
constexpr uint32_t WM_ACTIVATEAPP = 0x001C;
constexpr uint32_t WM_KEYDOWN = 0x0100;
constexpr uint32_t WM_KEYUP = 0x0101;
constexpr uint32_t WM_SYSKEYDOWN = 0x0104;
constexpr uint32_t WM_SYSKEYUP = 0x0105;
constexpr uint32_t WM_SYSCOMMAND = 0x0112;
constexpr uint32_t WM_MOUSEMOVE = 0x0200;
constexpr uint32_t WM_LBUTTONDOWN = 0x0201;
constexpr uint32_t WM_LBUTTONUP = 0x0202;
constexpr uint32_t WM_RBUTTONDOWN = 0x0204;
constexpr uint32_t WM_RBUTTONUP = 0x0205;

constexpr WPARAM WA_INACTIVE = 0;
constexpr WPARAM WA_ACTIVE = 1;
constexpr WPARAM WA_CLICKACTIVE = 2;
constexpr WPARAM SIZE_RESTORED = 0;
constexpr WPARAM SIZE_MINIMIZED = 1;
constexpr WPARAM SIZE_MAXIMIZED = 2;
constexpr WPARAM SC_KEYMENU = 0xF100;

constexpr WPARAM VK_BACK = 0x08;
constexpr WPARAM VK_TAB = 0x09;
constexpr WPARAM VK_RETURN = 0x0D;
constexpr WPARAM VK_SHIFT = 0x10;
constexpr WPARAM VK_CONTROL = 0x11;
constexpr WPARAM VK_MENU = 0x12; // Alt
constexpr WPARAM VK_ESCAPE = 0x1B;
constexpr WPARAM VK_SPACE = 0x20;
constexpr WPARAM VK_F1 = 0x70;
constexpr WPARAM VK_F11 = 0x7A;

inline LPARAM MakeLParam(int low, int high) {
    return static_cast<LPARAM>(static_cast<uint32_t>(
        (static_cast<uint32_t>(low) & 0xFFFF) | ((static_cast<uint32_t>(high) & 0xFFFF) << 16)));
}
inline unsigned LowWord(uintptr_t v) {
    return static_cast<unsigned>(v & 0xFFFF);
}
inline unsigned HighWord(uintptr_t v) {
    return static_cast<unsigned>((v >> 16) & 0xFFFF);
}
// Key messages: the scan code travels in bits 16-23 of lParam.
inline LPARAM KeyLParam(int scanCode) {
    return static_cast<LPARAM>((scanCode & 0xFF) << 16);
}
inline int ScanCodeOf(LPARAM lParam) {
    return static_cast<int>((lParam >> 16) & 0xFF);
}

} // namespace plat
