#include "menu/text_field.h"

#include <cstring>

#include "core/timer_service.h"
#include "screens/key_queue.h"

TextField::~TextField() {
    delete[] text;
    delete cursor;
    if (!fontsShared) {
        for (int i = 0; i < fonts.Count(); ++i)
            delete fonts.Get(i);
    }
}

void TextField::SetCapacity(int n) {
    delete[] text;
    text = n > 0 ? new char[n]() : nullptr;
    capacity = n > 0 ? n : 0;
    length = 0;
    blinkOn = 1;
}

void TextField::AddFont(BitmapFont* font) {
    if (!font)
        return;
    fonts.Add(font);
    height = font->height;
    fontsShared = 1;
}

void TextField::SetCursorImage(const char* fileName) {
    delete cursor;
    cursor = new Sprite();
    cursor->AddFrameFromFile(fileName);
    cursor->y = static_cast<float>(y + originY);
    cursor->frameTime = 0;
}

void TextField::SetRect(int newX, int newY, int newWidth, int newHeight) {
    x = newX;
    y = newY;
    width = newWidth;
    height = newHeight;
}

void TextField::SetOrigin(int newOriginX, int newOriginY) {
    originX = newOriginX;
    originY = newOriginY;
}

void TextField::SetActive(int flag) {
    if (!active)
        keyQueue.Clear();
    active = flag;
}

void TextField::SetText(const char* s) {
    if (!s || !text)
        return;
    size_t size = std::strlen(s);
    if (size >= static_cast<size_t>(capacity))
        return;
    std::memcpy(text, s, size + 1);
    length = static_cast<int>(size);
}

bool TextField::Contains(int mouseX, int mouseY) const {
    int px = mouseX - originX, py = mouseY - originY;
    return x <= px && px <= x + width && y <= py && py <= y + height;
}

int TextField::Click(int mouseX, int mouseY) {
    bool inside = Contains(mouseX, mouseY);
    if (!selectMode) {
        SetActive(inside ? 1 : 0);
    } else if (!inside) {
        SetActive(0);
        selected = 0;
    } else if (selected && !active) {
        SetActive(1);
    } else {
        selected = 1;
        SetActive(0);
    }
    return active;
}

int TextField::ProcessKeys() {
    if (!active || !showCursor)
        return 0;
    for (;;) {
        uint32_t code = keyQueue.Pop();
        if (code == 0)
            return 0;
        if (char c = KeyQueue::KeyToChar(code)) {
            AddChar(c);
            continue;
        }
        // The whole code is compared: with Shift held these keys carry bit 8 and are dropped.
        if (code == KEY_BACKSPACE) {
            RemoveLastChar();
        } else if (code == KEY_ENTER) {
            SetActive(0);
            return KEY_ENTER;
        } else if (code == KEY_TAB) {
            return KEY_TAB;
        }
    }
}

void TextField::AddChar(char c) {
    // Room for at most capacity - 2 characters.
    if (!text || length + 1 >= capacity - 1)
        return;
    BitmapFont* font = Font(0);
    int widthAfter = font ? font->TextWidth(text) + font->CharAdvance(c) : 0;
    if (widthAfter >= width)
        return;
    text[length++] = c;
    text[length] = '\0';
}

void TextField::RemoveLastChar() {
    if (length > 0)
        text[--length] = '\0';
}

void TextField::Draw(Surface* surface) {
    BitmapFont* font = Font(selected && fonts.Count() > 1 ? 1 : 0);
    int left = x + originX, top = y + originY;
    if (font)
        font->DrawText(surface, Text(), left, top, ALIGN_LEFT, left + width);
    if (!cursor)
        return;
    int now = GetTicks();
    if (cursor->frameTime < now) {
        cursor->frameTime = now + TEXT_CURSOR_BLINK_MS;
        blinkOn = !blinkOn;
    }
    if (showCursor && active && blinkOn) {
        cursor->SetPosition(left + (font ? font->TextWidth(Text()) : 0), top);
        cursor->Draw(surface);
    }
}
