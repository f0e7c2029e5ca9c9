#include "screens/message_pump.h"

#include "platform/window.h"
#include "screens/key_queue.h"
#include "zel/zel.h"

int PumpMessages() {
    plat::Message message;
    while (plat::PeekMessage(&message)) {
        keyQueue.Feed(ZelGetKeys());
        if (message.message == plat::WM_QUIT) {
            plat::PostQuitMessage(static_cast<int>(message.wParam));
            return 1;
        }
        plat::TranslateMessage(message);
        plat::DispatchMessage(message);
    }
    return 0;
}
