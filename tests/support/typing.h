#pragma once
// Keys typed into the key queue as the message pump feeds it, each key pressed and released.
// A key code is a scan code (PC set 1); bit 8 means Shift was held with it.
#include <cstdint>
#include <string>

#include "screens/key_queue.h"

namespace testing_support {

inline void TypeKey(uint32_t code) {
    unsigned char keys[256] = {};
    keys[0x2A] = code & 0x100 ? 0x80 : 0; // left Shift
    keys[code & 0xFF] = 0x80;
    keyQueue.Feed(keys);
    const unsigned char none[256] = {};
    keyQueue.Feed(none);
}

// Types text on a United States layout; "\b", "\t" and "\n" are Backspace, Tab and Enter.
inline void TypeText(const std::string& text) {
    for (char c : text) {
        uint32_t code = c == '\b' ? 0x0E : c == '\t' ? 0x0F : c == '\n' ? 0x1C : 0;
        for (uint32_t key = 1; code == 0 && key < 0x200; ++key)
            if (KeyQueue::KeyToChar(key) == c)
                code = key;
        TypeKey(code);
    }
}

} // namespace testing_support
