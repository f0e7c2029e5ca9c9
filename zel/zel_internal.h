#pragma once
// Shared inside the library only.
bool ZelFontReady();
