#pragma once
// The menu's one-line text box drawn with bitmap fonts. In edit mode a click activates it; in
// select mode a first click highlights it and a second activates it. Typed characters come from
// the key queue, never from window messages; the field keeps no surface of its own.
#include "core/ptr_array.h"
#include "gfx/bitmap_font.h"
#include "gfx/sprite.h"

// Key codes the field answers to (scan code; bit 8 would mean shift was down).
constexpr int KEY_BACKSPACE = 0x0E;
constexpr int KEY_TAB = 0x0F;
constexpr int KEY_ENTER = 0x1C;

// How long the block cursor is shown, then hidden.
constexpr int TEXT_CURSOR_BLINK_MS = 500;

class TextField {
  public:
    TextField() = default;
    ~TextField();
    TextField(const TextField&) = delete;
    TextField& operator=(const TextField&) = delete;

    void SetCapacity(int n);
    void AddFont(BitmapFont* font); // the caller keeps the font
    void SetCursorImage(const char* fileName);
    void SetRect(int newX, int newY, int newWidth, int newHeight);
    void SetOrigin(int newOriginX, int newOriginY);
    // Activating an inactive field drops every key typed before.
    void SetActive(int flag);
    void SetSelected(int flag) { selected = flag; }
    void SetSelectMode(int flag) { selectMode = flag; }
    void SetShowCursor(int flag) { showCursor = flag; }
    // A text that does not fit the capacity is not taken.
    void SetText(const char* s);

    const char* Text() const { return text ? text : ""; }
    int Length() const { return length; }
    int IsActive() const { return active; }
    int IsSelected() const { return selected; }
    int BlinkOn() const { return blinkOn; }
    Sprite* Cursor() const { return cursor; }

    bool Contains(int mouseX, int mouseY) const;
    int Click(int mouseX, int mouseY);
    // Consumes the key queue: 0 when it ran dry, or KEY_ENTER / KEY_TAB for the caller.
    int ProcessKeys();
    void Draw(Surface* surface);

  private:
    void AddChar(char c);
    void RemoveLastChar();
    BitmapFont* Font(int index) const { return fonts.Get(index); }

    int x = 0, y = 0;
    int originX = 0, originY = 0;
    int width = 0, height = 0;
    char* text = nullptr; // capacity bytes, NUL-terminated
    PtrArray<BitmapFont> fonts;
    int capacity = 0;
    int length = 0;
    Sprite* cursor = nullptr; // its frameTime is the blink clock
    int blinkOn = 0;
    int active = 0;
    int selected = 0;
    int fontsShared = 0;
    int selectMode = 1;
    int showCursor = 1;
};
