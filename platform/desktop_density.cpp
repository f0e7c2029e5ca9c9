// How dense the desktop's screen is, in dots per inch, for the size a window opens at. Desktops
// say it in different ways: GTK's scale (GDK_SCALE), the X resource Xft.dpi that GNOME, KDE and
// Xfce set for their scaling, and the screen's physical size that SDL reads.
#include <SDL2/SDL.h>
#include <X11/Xlib.h>

#include <cstdlib>
#include <cstring>

#include "platform/window_internal.h"

namespace plat::sdl {
namespace {
constexpr double kUsualDpi = 96.0;

double ScaleFromEnvironment(const char* name) {
    const char* value = std::getenv(name);
    if (!value || !*value)
        return 0;
    char* end = nullptr;
    const long scale = std::strtol(value, &end, 10);
    return *end == '\0' && scale >= 1 && scale <= 8 ? scale * kUsualDpi : 0;
}

double XftDpi() {
    const char* driver = SDL_GetCurrentVideoDriver();
    if (!driver || std::strcmp(driver, "x11") != 0)
        return 0;
    ::Display* display = XOpenDisplay(nullptr);
    if (!display)
        return 0;
    double dpi = 0;
    if (const char* resources = XResourceManagerString(display)) {
        if (const char* entry = std::strstr(resources, "Xft.dpi:"))
            dpi = std::strtod(entry + std::strlen("Xft.dpi:"), nullptr);
    }
    XCloseDisplay(display);
    return dpi > 0 && dpi < 1000 ? dpi : 0;
}
} // namespace

double DesktopDensity() {
    if (double dpi = ScaleFromEnvironment("GDK_SCALE"))
        return dpi;
    if (double dpi = XftDpi())
        return dpi;
    float dpi = 0;
    if (SDL_GetDisplayDPI(0, &dpi, nullptr, nullptr) == 0 && dpi > 0)
        return dpi;
    return kUsualDpi;
}
} // namespace plat::sdl
