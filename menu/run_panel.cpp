#include "menu/run_panel.h"

#include "gfx/dirty_rect_list.h"
#include "gfx/image_strip.h"
#include "screens/popup_screen.h"

int RunPanel(PopupScreen& panel) {
    if (!panel.Background() || !panel.Background()->surface)
        return 1;
    char result[STRIP_NAME_SIZE];
    if (!panel.Run(result, nullptr))
        return 0;
    dirtyRects.AddWholeTarget();
    return 1;
}
