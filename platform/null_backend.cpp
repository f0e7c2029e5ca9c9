#include "platform/null_backend.h"

#include <map>
#include <mutex>

#include "platform/input.h"
#include "platform/window_internal.h"

namespace plat::null {
namespace {
struct NullState {
    int width = 800, height = 600, depth = 16;
    bool probeCreated = true, probeHas7 = true;
    bool displayInitFails = false;
    int cursorX = 0, cursorY = 0;
    std::vector<std::string> boxes;
    std::map<uint32_t, int> defProcCalls;
    int systemMenuOpens = 0;
    std::vector<StartedProgram> started;
    std::vector<std::string> addresses;
    void (*flipHook)() = nullptr;
};
NullState g_state;
std::mutex g_boxMutex;
} // namespace

void SetDesktop(int width, int height, int depth) {
    g_state.width = width;
    g_state.height = height;
    g_state.depth = depth;
}
void SetDisplayProbe(bool created, bool hasVersion7) {
    g_state.probeCreated = created;
    g_state.probeHas7 = hasVersion7;
}
void SetDisplayInitFails(bool fails) {
    g_state.displayInitFails = fails;
}
void SetCursorPos(int x, int y) {
    g_state.cursorX = x;
    g_state.cursorY = y;
}
const std::vector<std::string>& MessageBoxes() {
    return g_state.boxes;
}
int DefWindowProcCount(uint32_t message) {
    auto it = g_state.defProcCalls.find(message);
    return it == g_state.defProcCalls.end() ? 0 : it->second;
}
int SystemMenuOpenCount() {
    return g_state.systemMenuOpens;
}
const std::vector<StartedProgram>& StartedPrograms() {
    return g_state.started;
}
const std::vector<std::string>& OpenedAddresses() {
    return g_state.addresses;
}
void RecordProgramStart(const std::string& program, const std::string& parameter,
                        const std::string& workDir) {
    g_state.started.push_back({program, parameter, workDir});
}
void RecordAddress(const char* address) {
    g_state.addresses.push_back(address);
}

void SetFlipHook(void (*hook)()) {
    g_state.flipHook = hook;
}
void NotifyFlip() {
    if (g_state.flipHook)
        g_state.flipHook();
}

void Reset() {
    g_state = NullState{};
    ResetInput();
    Message m;
    while (PeekMessage(&m)) {
    }
}

void RecordMessageBox(const char* text, const char* caption) {
    std::lock_guard<std::mutex> lock(g_boxMutex);
    g_state.boxes.push_back(std::string(caption ? caption : "") + "|" + (text ? text : ""));
}
void RecordDefWindowProc(uint32_t message) {
    ++g_state.defProcCalls[message];
}
void RecordSystemMenuOpen() {
    ++g_state.systemMenuOpens;
}
int DesktopWidth() {
    return g_state.width;
}
int DesktopHeight() {
    return g_state.height;
}
int DesktopDepth() {
    return g_state.depth;
}
bool Probe(bool* hasVersion7) {
    if (hasVersion7)
        *hasVersion7 = g_state.probeHas7;
    return g_state.probeCreated;
}
bool DisplayInitFails() {
    return g_state.displayInitFails;
}
bool GetCursorPos(int* x, int* y) {
    *x = g_state.cursorX;
    *y = g_state.cursorY;
    return true;
}
} // namespace plat::null
