#pragma once
// Test controls of the null backend: desktop facts and display probe results to inject, and what
// the backend recorded (message boxes, programs started, addresses opened).
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
// Programs are not started on this backend, only recorded: the program's resolved path, its
// one parameter and the working directory. A start succeeds when that path is a runnable file.
struct StartedProgram {
    std::string program, parameter, workDir;
};
const std::vector<StartedProgram>& StartedPrograms();
const std::vector<std::string>& OpenedAddresses(); // addresses are recorded and always open
// Called after every flip of the null display, once the picture is in the primary surface: a
// test's display clock (a frame takes time) and its view of what was shown. Null for none.
void SetFlipHook(void (*hook)());
// Defaults: 800x600 desktop of depth 16, probe succeeds, nothing recorded, no flip hook.
void Reset();
} // namespace plat::null
