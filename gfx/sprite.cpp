#include "gfx/sprite.h"

#include <cstdio>

#include "core/timer_service.h"
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
    step = other.step;
    current = other.current;
    sizeMismatch = other.sizeMismatch;
    centred = other.centred;
    vx = other.vx;
    vy = other.vy;
    frameTime = other.frameTime;
    delay = other.delay;
    first = other.first;
    end = other.end;
    restoreBackground = other.restoreBackground;
    markDirty = other.markDirty;
    wrap = other.wrap;
    endMode = other.endMode;
    running = other.running;
    visible = other.visible;
    SetName(other.name);
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
    int w = 0, h = 0;
    GetSurfaceSize(surface, &w, &h);
    SetBounds(0, 0, w, h);
    frames.Add(surface);
    first = 0;
    end = frames.Count();
    if (w != width || h != height)
        sizeMismatch = 1;
    width = w;
    height = h;
    return 1;
}

int Sprite::AddSharedFrame(Surface* surface) {
    sharedFrames = 1;
    return AddFrame(surface);
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
    if (restoreBackground)
        dirtyRects.AddSpriteArea(this);
    if (!HasFrame(current))
        return;
    int drawX = PixelPosition(x);
    int drawY = PixelPosition(y);
    if (centred) {
        drawX = PixelPosition(x - static_cast<float>(width / 2));
        drawY = PixelPosition(y - static_cast<float>(height / 2));
    }
    if (visible && target)
        BltSurface(frames.Get(current), target, drawX, drawY);
    if (markDirty) {
        SurfaceRect drawn{drawX, drawY, drawX + width, drawY + height};
        dirtyRects.AddBox(drawn, DIRTY_ONE_SHOT, DIRTY_FROM_TARGET);
    }
}

void Sprite::Move() {
    x += vx;
    y += vy;
}

void Sprite::SetBounds(int left, int top, int right, int bottom) {
    bounds = SpriteBounds{left, top, right, bottom};
}

void Sprite::SetFrame(int n) {
    if (HasFrame(n))
        current = n;
}

void Sprite::SetVisible(int flag) {
    visible = flag;
}
void Sprite::SetDelay(int ms) {
    delay = ms;
}

void Sprite::SetFramesColorKey(int red, int green, int blue) {
    for (int i = 0; i < frames.Count(); ++i)
        SetColorKeyRGB(frames.Get(i), red, green, blue);
}

int Sprite::Step() {
    int now = GetTicks();
    if (frameTime >= now)
        return 0;
    int next = current + step;
    if (HasFrame(next))
        current = next;
    else if (wrap)
        current = step == 1 ? 0 : frames.Count() - 1;
    frameTime = now + delay;
    return 1;
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
    first = 0;
    end = frames.Count();
    ::ReleaseSurface(bitmap);
    return frames.Count();
}

int Sprite::LoadFrames(const char* fileName, int frameWidth, int frameHeight) {
    if (frameWidth < 1 || frameHeight < 1)
        return 0;
    if (!::LoadFrames(fileName, &frames, frameWidth, frameHeight))
        return 0;
    width = frameWidth;
    height = frameHeight;
    first = 0;
    end = frames.Count();
    return 1;
}

void Sprite::SetRange(int newFirst, int newEnd) {
    first = newFirst;
    end = newEnd;
}

void Sprite::SetName(const char* text) {
    std::snprintf(name, sizeof name, "%s", text ? text : "");
}

void Sprite::SetRunning(int flag) {
    running = flag;
}
void Sprite::SetEndMode(int mode) {
    endMode = mode;
}
void Sprite::SetMarkDirty(int flag) {
    markDirty = flag;
}

void Sprite::Animate() {
    if (first == -1)
        return;
    if (TicksSince(frameTime) <= delay)
        return;
    frameTime = GetTicks();
    if (running == 1) {
        current += step;
        SetFrame(current);
    }
    if (current >= end) {
        if (endMode == SPRITE_END_LOOP) {
            current = 0;
        } else {
            running = 0;
            current = endMode == SPRITE_END_HOLD_LAST ? end - 1
                      : endMode == SPRITE_END_VANISH  ? -1
                                                      : first;
        }
    }
    if (current < 0) {
        if (endMode == SPRITE_END_LOOP) {
            current = end - 1;
        } else {
            running = 0;
            current = endMode == SPRITE_END_VANISH ? -1 : first;
        }
    }
}

void Sprite::FixFrameWidth() {
    if (frames.Count() > 0)
        width /= frames.Count();
}

void DirtyRectList::AddSpriteArea(const Sprite* sprite) {
    if (!sprite)
        return;
    AddRect(PixelPosition(sprite->x), PixelPosition(sprite->y), sprite->width, sprite->height);
}
