#pragma once
// A rectangle on the screen drawn from one of several equal pictures (frames): buttons with
// normal, hover and pressed frames, on/off switches, digits. It follows the mouse by itself,
// either polled once per frame or from window mouse messages, and reports completed clicks.
#include <cstdint>

#include "core/ptr_array.h"
#include "gfx/surface_functions.h"

constexpr int STRIP_NAME_SIZE = 64;

// States of a strip; the frame drawn is state + frameBase.
constexpr int STRIP_NORMAL = 0;
constexpr int STRIP_HOVER = 1;
constexpr int STRIP_PRESSED = 2;

// Which button completed a click.
constexpr int CLICK_LEFT = 1;
constexpr int CLICK_RIGHT = 2;

struct StripFrame {
    int id;
    Surface* surface; // owned
};

class ImageStrip {
  public:
    ImageStrip();
    ImageStrip(int x, int y);
    ImageStrip(int x, int y, int width, int height);
    virtual ~ImageStrip();
    ImageStrip(const ImageStrip&) = delete;
    ImageStrip& operator=(const ImageStrip&) = delete;

    virtual void AddFrame(int id, Surface* surface);
    virtual int AddFrameFromFile(int id, const char* fileName);
    virtual void LoadStrip(const char* fileName, int count, int vertical);
    virtual int HandleMouseMessage(unsigned message, uintptr_t wParam, intptr_t lParam);
    virtual int UpdateWithMouse(int mouseX, int mouseY, int buttons);
    virtual void Draw(Surface* target);
    virtual void SetFrameBase(int n);
    virtual void DrawTo(Surface* target);
    virtual void Redraw();
    virtual int WasClicked();
    virtual void Reset();
    virtual void SetName(const char* text);
    virtual void SetOrigin(int newOriginX, int newOriginY);
    virtual void SetActive(int flag);
    virtual void Show(int flag);
    virtual void SwapFrames();
    virtual void SetStatic(int flag);
    virtual void SetState(int newState);
    virtual int GetState();
    virtual void SetHitRect(int newHitX, int newHitY, int w, int h);
    virtual void SetTrackDirty(int flag);
    virtual void SetPixelHit(int flag);

    const char* Name() const { return name; }
    int X() const { return x; }
    int Y() const { return y; }
    int Width() const { return width; }
    int Height() const { return height; }
    int OriginX() const { return originX; }
    int OriginY() const { return originY; }
    int ClickKind() const { return clickKind; }
    int IsActive() const { return active; }
    int FrameCount() const { return frames.Count(); }
    Surface* FrameSurface(int index) const;
    // The frame DrawTo would draw now, or -1 when there is none.
    int FrameToDraw() const;

  protected:
    bool ContainsExclusive(int mouseX, int mouseY) const;
    bool ContainsInclusive(int mouseX, int mouseY) const;
    // With pixelHit set, whether the pointer is over a non-transparent pixel of frame 0.
    bool OverPicture(int mouseX, int mouseY) const;
    void SetStateAndDraw(int newState);

    int x = 0, y = 0;
    int width = 0, height = 0;
    int hitX = 0, hitY = 0, hitWidth = 0, hitHeight = 0;
    int originX = 0, originY = 0;
    int state = STRIP_NORMAL;
    int frameBase = 0;
    PtrArray<StripFrame> frames;
    int clicked = 0;
    int clickKind = 0;
    char name[STRIP_NAME_SIZE] = {};
    int active = 1;
    int isStatic = 0;
    int trackDirty = 0;
    int pixelHit = 0;
};
