#include "gfx/sprite.h"

#include "gfx/dirty_rect_list.h"
#include "gfx/error_box.h"
#include "zel/zel.h"

namespace {
// Float positions may run far beyond any surface (or be infinite, or not a number), where a
// plain conversion to int is undefined. Held at a distance that is off every surface, they
// still draw nothing, and a frame's size added to them stays inside int.
int PixelPosition(float position) {
    constexpr float kFar = 1 << 30;
    if (position >= kFar)
        return int(kFar);
    if (!(position > -kFar)) // not a number as well
        return -int(kFar);
    return static_cast<int>(position);
}
} // namespace

Sprite::Sprite(const Sprite& other) {
    // The surfaces are shared, not duplicated: the prototype keeps ownership.
    for (int i = 0; i < other.frames.Count(); ++i)
        AddFrame(other.frames.Get(i));
    x = other.x;
    y = other.y;
    width = other.width;
    height = other.height;
    current = other.current;
    frameTime = other.frameTime;
    markDirty = other.markDirty;
    sharedFrames = 1;
}

Sprite::~Sprite() {
    if (sharedFrames)
        return;
    for (int i = 0; i < frames.Count(); ++i)
        ::ReleaseSurface(frames.Get(i));
}

int Sprite::AddFrame(Surface* surface) {
    if (!surface)
        return 1;
    SetColorKeyRGB(surface, 0, 0, 255);
    frames.Add(surface);
    GetSurfaceSize(surface, &width, &height); // the last frame's size is the sprite's
    return 1;
}

int Sprite::AddFrameFromFile(const char* fileName) {
    Surface* surface = ZelLoadBitmap(fileName);
    if (!surface) {
        ShowFileErrorBox(fileName);
        return 1;
    }
    return AddFrame(surface);
}

void Sprite::SetPosition(int newX, int newY) {
    x = static_cast<float>(newX);
    y = static_cast<float>(newY);
}

void Sprite::DrawOnScreen() {
    Draw(dirtyRects.GetTarget());
}

void Sprite::Draw(Surface* target) {
    if (!HasFrame(current))
        return;
    const int drawX = PixelPosition(x);
    const int drawY = PixelPosition(y);
    if (target)
        BltSurface(frames.Get(current), target, drawX, drawY);
    if (markDirty) {
        SurfaceRect drawn{drawX, drawY, drawX + width, drawY + height};
        dirtyRects.AddBox(drawn, DIRTY_ONE_SHOT, DIRTY_FROM_TARGET);
    }
}

void Sprite::SetFrame(int n) {
    if (HasFrame(n))
        current = n;
}

void Sprite::SetCurrent(int n) {
    current = n;
}

int Sprite::LoadStrip(const char* fileName, int count, int vertical) {
    Surface* bitmap = ZelLoadBitmap(fileName);
    if (!bitmap)
        return 0;
    int bitmapWidth = 0, bitmapHeight = 0;
    GetSurfaceSize(bitmap, &bitmapWidth, &bitmapHeight);
    int frameWidth = 0, frameHeight = 0;
    if (count > 0) {
        frameWidth = vertical ? bitmapWidth : bitmapWidth / count;
        frameHeight = vertical ? bitmapHeight / count : bitmapHeight;
    }
    if (frameWidth < 1 || frameHeight < 1) {
        ::ReleaseSurface(bitmap);
        return 0;
    }
    SplitSurface(bitmap, &frames, frameWidth, frameHeight);
    // The whole bitmap's size: callers of a horizontal strip follow with FixFrameWidth.
    width = bitmapWidth;
    height = bitmapHeight;
    ::ReleaseSurface(bitmap);
    return frames.Count();
}

void Sprite::SetMarkDirty(int flag) {
    markDirty = flag;
}

void Sprite::FixFrameWidth() {
    if (frames.Count() > 0)
        width /= frames.Count();
}
