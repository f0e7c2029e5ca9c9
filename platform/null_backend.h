#pragma once
// Test controls of the null backend: desktop facts and display probe results to inject, and what
// the backend recorded (message boxes).
#include <cstdint>
#include <string>
#include <vector>

namespace plat::null {
void SetDesktop(int width, int height, int depth);
void SetDisplayProbe(bool created, bool hasVersion7);
void SetDisplayInitFails(bool fails);
void SetCursorPos(int x, int y);
const std::vector<std::string>& MessageBoxes(); // "caption|text" per box shown
int DefWindowProcCount(uint32_t message);
int SystemMenuOpenCount();
void Reset(); // defaults: 800x600 desktop of depth 16, probe succeeds, nothing recorded
} // namespace plat::null
