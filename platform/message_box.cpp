#include "platform/message_box.h"

#include <cstdio>

#include "platform/backend.h"
#include "platform/window_internal.h"

namespace plat {
void ShowMessageBox(const char* text, const char* caption) {
    std::fprintf(stderr, "%s%s%s\n", caption ? caption : "", caption ? ": " : "", text ? text : "");
    if (CurrentBackend() == BackendKind::Null)
        null::RecordMessageBox(text, caption);
    else
        sdl::ShowMessageBox(text, caption);
}
} // namespace plat
