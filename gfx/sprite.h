#pragma once
// A moving, animated picture: a floating-point position and velocity, equal-sized frames, a
// timed animation over a range of frames, and drawing that tells the dirty-rectangle list what
// it covered. Clones made with the copy constructor share their prototype's frame surfaces.
#include "core/ptr_array.h"
#include "gfx/surface_functions.h"

constexpr int SPRITE_NAME_SIZE = 64;

// What Animate does when the frame leaves the range.
constexpr int SPRITE_END_HOLD_LAST = 0; // play once, keep the last frame
constexpr int SPRITE_END_LOOP = 1;
constexpr int SPRITE_END_BACK_TO_FIRST = 2; // play once, return to the first frame
constexpr int SPRITE_END_VANISH = 3;        // play once, then no frame (removed from a list)

struct SpriteBounds {
    int left, top, right, bottom;
};

class Sprite {
  public:
    Sprite() = default;
    Sprite(const Sprite& other);
    Sprite& operator=(const Sprite&) = delete;
    virtual ~Sprite();

    virtual void SetPosition(int newX, int newY);
    virtual void DrawOnScreen();
    virtual void Draw(Surface* target);
    virtual void Move();
    virtual void SetBounds(int left, int top, int right, int bottom);
    virtual void SetFrame(int n);
    virtual void SetVisible(int flag);
    virtual void SetDelay(int ms);
    virtual void SetFramesColorKey(int red, int green, int blue);
    virtual int Step();
    virtual void SetCurrent(int n);
    virtual int LoadStrip(const char* fileName, int count, int vertical);
    virtual int LoadFrames(const char* fileName, int frameWidth, int frameHeight);
    virtual void SetRange(int newFirst, int newEnd);
    virtual void SetName(const char* text);
    virtual void SetRunning(int flag);
    virtual void SetEndMode(int mode);
    virtual void SetMarkDirty(int flag);
    virtual void Animate();
    virtual void FixFrameWidth();

    int AddFrame(Surface* surface);
    int AddSharedFrame(Surface* surface);
    int AddFrameFromFile(const char* fileName);
    int FrameCount() const { return frames.Count(); }
    Surface* FrameSurface(int index) const { return frames.Get(index); }

    // Users of sprites move and configure them directly; the fields keep their documented
    // order and defaults.
    char name[SPRITE_NAME_SIZE] = {};
    float x = 0, y = 0;
    float vx = 0, vy = 0;
    int width = 0, height = 0;
    int endMode = SPRITE_END_HOLD_LAST;
    int running = 0;
    int current = 0; // -1 after a one-shot animation ended
    int sizeMismatch = 0;
    int centred = 0;
    SpriteBounds bounds = {0, 0, 0, 0};
    int delay = 0;
    int step = 1;
    int frameTime = 0; // tick of the last Animate step, or of the next Step
    int sharedFrames = 0;
    int first = -1, end = -1;
    int restoreBackground = 0;
    int markDirty = 1;
    int wrap = 0;
    int visible = 1;

  private:
    bool HasFrame(int index) const { return index >= 0 && index < frames.Count(); }

    PtrArray<Surface> frames; // owned unless sharedFrames
};
