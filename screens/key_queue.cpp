#include "screens/key_queue.h"

KeyQueue keyQueue;

namespace {
constexpr int kLeftShift = 0x2A;
constexpr int kRightShift = 0x36;
} // namespace

void KeyQueue::Feed(const unsigned char* keyState) {
    if (!keyState)
        return;
    // Right Shift counts from the previous feed only: that is how the layout has always read it.
    const bool shift = keyState[kLeftShift] != 0 || wasDown[kRightShift];
    for (int i = 0; i < 256; ++i) {
        if (keyState[i] & 0x80) {
            if (!wasDown[i])
                Push(static_cast<uint32_t>(i) | (shift ? 0x100u : 0u));
            wasDown[i] = true;
        } else {
            wasDown[i] = false;
        }
    }
}

void KeyQueue::Push(uint32_t code) {
    items[writePos] = code;
    writePos = (writePos + 1) & 0xFF;
}

uint32_t KeyQueue::Pop() {
    if (readPos == writePos)
        return 0;
    uint32_t code = items[readPos];
    readPos = (readPos + 1) & 0xFF;
    return code;
}

void KeyQueue::Clear() {
    writePos = 0;
    readPos = 0;
}

void KeyQueue::Reset() {
    Clear();
    for (bool& down : wasDown)
        down = false;
}

char KeyQueue::KeyToChar(uint32_t keyCode) {
    struct Range {
        int first, last;
        const char* plain;
        const char* shifted;
    };
    static const Range kLayout[] = {
        {0x02, 0x0B, "1234567890", "!@#$%^&*()"},
        {0x0D, 0x0D, "=", "+"},
        {0x10, 0x19, "qwertyuiop", "QWERTYUIOP"},
        {0x1A, 0x1B, "[]", "{}"},
        {0x1E, 0x26, "asdfghjkl", "ASDFGHJKL"},
        {0x27, 0x27, ";", ":"},
        {0x28, 0x28, "'", "\""},
        {0x29, 0x29, "`", "~"},
        {0x2B, 0x2B, "\\", "|"},
        {0x2C, 0x32, "zxcvbnm", "ZXCVBNM"},
        {0x33, 0x35, ",./", "<>?"},
        {0x39, 0x39, " ", " "},
    };
    const int scan = static_cast<int>(keyCode & 0xFF);
    const bool shifted = (keyCode & 0x100) != 0;
    for (const Range& range : kLayout)
        if (scan >= range.first && scan <= range.last)
            return (shifted ? range.shifted : range.plain)[scan - range.first];
    return 0;
}
