#include "platform/backend.h"

#include <atomic>

namespace plat {
namespace {
std::atomic<BackendKind> g_backend{BackendKind::Sdl};
}
void SelectBackend(BackendKind kind) {
    g_backend = kind;
}
BackendKind CurrentBackend() {
    return g_backend;
}
} // namespace plat
