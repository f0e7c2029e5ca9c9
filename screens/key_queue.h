#pragma once
// Typed keys, queued from the raw keyboard state (not from character messages) and translated
// with a fixed United States layout. Key code: scan code in the low 8 bits, bit 8 = shift.
#include <cstdint>

class KeyQueue {
  public:
    void Feed(const unsigned char* keyState);
    uint32_t Pop();
    void Clear();
    static char KeyToChar(uint32_t keyCode);
    void Reset(); // empty queue, every key up (tests)

  private:
    void Push(uint32_t code);
    uint32_t items[256] = {};
    int writePos = 0;
    int readPos = 0;
    bool wasDown[256] = {};
};

extern KeyQueue keyQueue;
