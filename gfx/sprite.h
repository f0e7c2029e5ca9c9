#pragma once
// A picture at a floating-point position, drawn from one of its equal-sized frames, whose
// drawing tells the dirty-rectangle list what it covered. Clones made with the copy constructor
// share their prototype's frame surfaces.
#include "core/ptr_array.h"
#include "gfx/surface_functions.h"

class Sprite {
  public:
    Sprite() = default;
    Sprite(const Sprite& other);
    Sprite& operator=(const Sprite&) = delete;
    virtual ~Sprite();

    virtual void SetPosition(int newX, int newY);
    virtual void DrawOnScreen();
    virtual void Draw(Surface* target);
    virtual void SetFrame(int n);
    virtual void SetCurrent(int n);
    virtual int LoadStrip(const char* fileName, int count, int vertical);
    virtual void SetMarkDirty(int flag);
    virtual void FixFrameWidth();

    int AddFrame(Surface* surface);
    int AddFrameFromFile(const char* fileName);
    int FrameCount() const { return frames.Count(); }
    Surface* FrameSurface(int index) const { return frames.Get(index); }

    // Users of sprites move and configure them directly.
    float x = 0, y = 0;
    int width = 0, height = 0;
    int current = 0;
    int frameTime = 0; // free for the sprite's user, e.g. a blink clock
    int sharedFrames = 0;
    int markDirty = 1;

  private:
    bool HasFrame(int index) const { return index >= 0 && index < frames.Count(); }

    PtrArray<Surface> frames; // owned unless sharedFrames
};
