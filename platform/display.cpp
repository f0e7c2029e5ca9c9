#include "platform/display.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>

#include "platform/backend.h"
#include "platform/window_internal.h"

namespace plat {

struct Display {
    Window* window = nullptr;
    Surface* back = nullptr;
    Surface* primary = nullptr; // what is on screen now
    bool wholeInvalid = true;
    int offsetX = 0, offsetY = 0;
    FlipStats stats{};
};

namespace {
Display* g_display = nullptr;
bool g_idleWait = true;
std::string g_error;

bool IsSdl() {
    return CurrentBackend() == BackendKind::Sdl;
}

uint16_t* Row(Surface* s, int y) {
    return reinterpret_cast<uint16_t*>(s->pixels + y * s->pitch);
}

Rect Intersect(const Rect& a, const Rect& b) {
    Rect r{a.left > b.left ? a.left : b.left, a.top > b.top ? a.top : b.top,
           a.right < b.right ? a.right : b.right, a.bottom < b.bottom ? a.bottom : b.bottom};
    if (r.right <= r.left || r.bottom <= r.top)
        return Rect{0, 0, 0, 0};
    return r;
}

// The part of `area` where the back surface differs from what is on screen.
Rect ChangedWithin(Surface* back, Surface* shown, const Rect& area) {
    Rect changed{area.right, area.bottom, area.left, area.top};
    const size_t bytes = static_cast<size_t>(area.right - area.left) * 2;
    for (int y = area.top; y < area.bottom; ++y) {
        const uint16_t* a = Row(back, y);
        const uint16_t* b = Row(shown, y);
        if (std::memcmp(a + area.left, b + area.left, bytes) == 0)
            continue;
        int first = area.left;
        while (a[first] == b[first])
            ++first;
        int last = area.right - 1;
        while (a[last] == b[last])
            --last;
        if (first < changed.left)
            changed.left = first;
        if (last + 1 > changed.right)
            changed.right = last + 1;
        if (y < changed.top)
            changed.top = y;
        changed.bottom = y + 1;
    }
    if (changed.right <= changed.left)
        return Rect{0, 0, 0, 0};
    return changed;
}

void CopyRect(Surface* from, Surface* to, const Rect& r) {
    const size_t bytes = static_cast<size_t>(r.right - r.left) * 2;
    for (int y = r.top; y < r.bottom; ++y)
        std::memcpy(Row(to, y) + r.left, Row(from, y) + r.left, bytes);
}

// For the start-up benchmark: the wall-clock time of the first present, when asked for.
void ReportFirstPresent() {
    const char* path = std::getenv("SUITE_FIRST_FRAME_FILE");
    if (!path)
        return;
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    if (FILE* f = std::fopen(path, "we")) {
        std::fprintf(f, "%lld\n", static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec);
        std::fclose(f);
    }
}

void FreeDisplay(Display* d) {
    if (!d)
        return;
    ReleaseSurface(d->back);
    ReleaseSurface(d->primary);
    delete d;
}
} // namespace

Display* InitDisplay(Window* window, int width, int height) {
    ShutdownDisplay();
    if (!IsSdl() && null::DisplayInitFails()) {
        g_error = "The display could not be set up.";
        return nullptr;
    }
    auto* d = new Display;
    d->window = window;
    d->back = CreateSurface(width, height, 16);
    d->primary = CreateSurface(width, height, 16);
    if (!d->back || !d->primary) {
        g_error = "Out of memory for the display surfaces.";
        FreeDisplay(d);
        return nullptr;
    }
    if (IsSdl() && !sdl::InitRenderer(window, width, height)) {
        g_error = sdl::LastError();
        FreeDisplay(d);
        return nullptr;
    }
    g_display = d;
    return d;
}

void ShutdownDisplay() {
    if (!g_display)
        return;
    if (IsSdl())
        sdl::ShutdownRenderer();
    FreeDisplay(g_display);
    g_display = nullptr;
}

Display* CurrentDisplay() {
    return g_display;
}
Surface* PrimarySurface() {
    return g_display ? g_display->primary : nullptr;
}
Surface* BackSurface() {
    return g_display ? g_display->back : nullptr;
}
const char* DisplayError() {
    return g_error.c_str();
}

void SetPictureOffset(int x, int y) {
    if (!g_display)
        return;
    if (g_display->offsetX != x || g_display->offsetY != y)
        g_display->wholeInvalid = true;
    g_display->offsetX = x;
    g_display->offsetY = y;
}

void InvalidateDisplay() {
    if (g_display)
        g_display->wholeInvalid = true;
}

int Flip() {
    Display* d = g_display;
    if (!d)
        return 0;
    ++d->stats.flips;
    const Rect whole{0, 0, d->back->width, d->back->height};
    Rect changed;
    if (d->wholeInvalid) {
        changed = whole;
    } else if (HasWritten(d->back)) {
        changed = ChangedWithin(d->back, d->primary, Intersect(d->back->written, whole));
    } else {
        changed = Rect{0, 0, 0, 0};
    }
    ClearWritten(d->back);
    const bool present = changed.right > changed.left;
    int ok = 1;
    if (present) {
        CopyRect(d->back, d->primary, changed);
        d->wholeInvalid = false;
        if (d->stats.presents++ == 0)
            ReportFirstPresent();
        if (IsSdl()) {
            ok = sdl::Present(reinterpret_cast<uint16_t*>(d->primary->pixels), d->primary->pitch,
                              changed, IsMaximized(d->window), d->offsetX, d->offsetY)
                     ? 1
                     : 0;
        }
    }
    d->stats.lastUpload = present ? changed : Rect{0, 0, 0, 0};
    if (IsSdl())
        sdl::Pace(present, g_idleWait);
    else
        null::NotifyFlip();
    return ok;
}

void SetIdleWait(bool on) {
    g_idleWait = on;
}

FlipStats GetFlipStats() {
    return g_display ? g_display->stats : FlipStats{};
}

} // namespace plat
