#pragma once
// The layer runs on SDL (the real programs) or on a null backend for tests: no window, no audio
// device; messages, desktop facts and input are injected by the test (platform/null_backend.h).
namespace plat {
enum class BackendKind { Sdl, Null };
// Chosen once, before any window, display or audio call. The default is Sdl.
void SelectBackend(BackendKind kind);
BackendKind CurrentBackend();
} // namespace plat
