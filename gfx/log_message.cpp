// The diagnostic log. It stays off in both programs; the switch exists so that a developer can
// turn it on in a debugger. The timer thread may write to it, hence the lock.
#include <cstdarg>
#include <cstdio>
#include <mutex>

#include "gfx/surface_functions.h"
#include "platform/files.h"

int debugLogEnabled = 0;

namespace {
std::mutex logLock;
FILE* logFile = nullptr;
} // namespace

void LogMessage(const char* format, ...) {
    if (!debugLogEnabled || !format)
        return;
    std::lock_guard<std::mutex> hold(logLock);
    if (!logFile)
        logFile = plat::OpenFile("debug.log", "wb+");
    if (!logFile)
        return;
    va_list arguments;
    va_start(arguments, format);
    std::vfprintf(logFile, format, arguments);
    va_end(arguments);
    // Kept open for the run; flushed so that a crash does not take the last lines with it.
    std::fflush(logFile);
}
