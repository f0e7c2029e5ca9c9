#include "menu/settings_notice.h"

#include "platform/message_box.h"

namespace {
bool g_told = false;
} // namespace

void NoteSettingsSaved(bool saved) {
    if (saved || g_told)
        return;
    g_told = true;
    plat::ShowMessageBox("Lumora cannot save its settings in options.ini, so players and sound "
                         "switches will be forgotten. Check that the suite's folder can be "
                         "written to.",
                         "Lumora");
}

void ResetSettingsNotice() {
    g_told = false;
}
