#include "gfx/error_box.h"

#include "platform/message_box.h"

void ShowFileErrorBox(const char* fileName) {
    plat::ShowMessageBox(fileName ? fileName : "", "ERROR: can't find file!");
}
