#pragma once
// Drains the window messages; every modal loop and the main loop call it. Hands the keyboard
// state to the key queue once per message taken. Returns 1 when a quit message was taken (it
// is posted again so that each enclosing loop sees it in turn), else 0 once the queue is empty.
int PumpMessages();
