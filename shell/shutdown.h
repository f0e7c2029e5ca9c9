#pragma once
// Everything the program releases when its window is destroyed, ending with the quit message.
void Shutdown();
