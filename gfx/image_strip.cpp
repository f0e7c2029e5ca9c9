#include "gfx/image_strip.h"

#include <cstdio>

#include "gfx/dirty_rect_list.h"
#include "platform/messages.h"
#include "zel/zel.h"

namespace {
constexpr int kLeftButtonBit = 0x1;
} // namespace

ImageStrip::ImageStrip() = default;

ImageStrip::ImageStrip(int x, int y) : x(x), y(y), hitX(x), hitY(y) {}

ImageStrip::ImageStrip(int x, int y, int width, int height)
    : x(x), y(y), width(width), height(height), hitX(x), hitY(y), hitWidth(width),
      hitHeight(height) {}

ImageStrip::~ImageStrip() {
    for (int i = 0; i < frames.Count(); ++i) {
        StripFrame* frame = frames.Get(i);
        ::ReleaseSurface(frame->surface);
        delete frame;
    }
}

Surface* ImageStrip::FrameSurface(int index) const {
    StripFrame* frame = frames.Get(index);
    return frame ? frame->surface : nullptr;
}

int ImageStrip::FrameToDraw() const {
    if (frames.Count() == 0)
        return -1;
    if (isStatic)
        return 0;
    int index = state + frameBase;
    if (index >= frames.Count())
        return frames.Count() - 1;
    return index < 0 ? 0 : index;
}

void ImageStrip::AddFrame(int id, Surface* surface) {
    if (!surface)
        return;
    SetColorKeyRGB(surface, 0, 0, 255);
    frames.Add(new StripFrame{id, surface});
    GetSurfaceSize(surface, &width, &height);
    hitWidth = width;
    hitHeight = height;
}

int ImageStrip::AddFrameFromFile(int id, const char* fileName) {
    Surface* surface = ZelLoadBitmap(fileName, 16);
    if (!surface)
        return 0;
    AddFrame(id, surface);
    return 1;
}

void ImageStrip::LoadStrip(const char* fileName, int count, int vertical) {
    if (count < 1)
        return;
    Surface* bitmap = ZelLoadBitmap(fileName);
    if (!bitmap)
        return;
    int bitmapWidth = 0, bitmapHeight = 0;
    GetSurfaceSize(bitmap, &bitmapWidth, &bitmapHeight);
    int frameWidth = vertical ? bitmapWidth : bitmapWidth / count;
    int frameHeight = vertical ? bitmapHeight / count : bitmapHeight;
    PtrArray<Surface> cut;
    if (frameWidth > 0 && frameHeight > 0)
        SplitSurface(bitmap, &cut, frameWidth, frameHeight);
    // A bitmap that does not cut into exactly the frames asked for gives none at all, so a
    // button never shows a frame from the wrong slice of its picture.
    bool exact = cut.Count() == count;
    for (int i = 0; i < cut.Count(); ++i) {
        if (exact)
            AddFrame(i, cut.Get(i));
        else
            ::ReleaseSurface(cut.Get(i));
    }
    ::ReleaseSurface(bitmap);
}

bool ImageStrip::ContainsExclusive(int mouseX, int mouseY) const {
    int left = originX + hitX, top = originY + hitY;
    return left <= mouseX && mouseX < left + hitWidth && top <= mouseY && mouseY < top + hitHeight;
}

bool ImageStrip::ContainsInclusive(int mouseX, int mouseY) const {
    int left = originX + hitX, top = originY + hitY;
    return left <= mouseX && mouseX <= left + hitWidth && top <= mouseY &&
           mouseY <= top + hitHeight;
}

bool ImageStrip::OverPicture(int mouseX, int mouseY) const {
    Surface* picture = FrameSurface(0);
    if (!picture)
        return false;
    int frameX = mouseX - originX - hitX, frameY = mouseY - originY - hitY;
    int pictureWidth = 0, pictureHeight = 0;
    GetSurfaceSize(picture, &pictureWidth, &pictureHeight);
    // A hit rectangle larger than the picture is transparent where the picture is not.
    if (frameX < 0 || frameY < 0 || frameX >= pictureWidth || frameY >= pictureHeight)
        return false;
    return GetPixelValue(picture, frameX, frameY) != RGBToPixel(picture, 0, 0, 255);
}

void ImageStrip::SetStateAndDraw(int newState) {
    SetState(newState);
    Draw(nullptr);
}

int ImageStrip::UpdateWithMouse(int mouseX, int mouseY, int buttons) {
    if (!active)
        return state;
    bool inside = ContainsExclusive(mouseX, mouseY);
    clicked = 0;
    clickKind = 0;
    if (buttons & kLeftButtonBit) {
        if (!inside) {
            if (state != STRIP_NORMAL)
                SetStateAndDraw(STRIP_NORMAL);
        } else if (state != STRIP_PRESSED && (!pixelHit || OverPicture(mouseX, mouseY))) {
            SetStateAndDraw(STRIP_PRESSED);
        }
        return state;
    }
    if (!inside) {
        if (state != STRIP_NORMAL)
            SetStateAndDraw(STRIP_NORMAL);
    } else if (pixelHit && !OverPicture(mouseX, mouseY)) {
        SetStateAndDraw(STRIP_NORMAL);
    } else {
        if (state == STRIP_PRESSED) {
            clicked = 1;
            clickKind = CLICK_LEFT;
        }
        if (state != STRIP_HOVER)
            SetStateAndDraw(STRIP_HOVER);
    }
    return state;
}

int ImageStrip::HandleMouseMessage(unsigned message, uintptr_t /*wParam*/, intptr_t lParam) {
    if (!active)
        return state;
    int mouseX = static_cast<int>(plat::LowWord(static_cast<uintptr_t>(lParam)));
    int mouseY = static_cast<int>(plat::HighWord(static_cast<uintptr_t>(lParam)));
    bool inside = ContainsInclusive(mouseX, mouseY);
    clicked = 0;
    clickKind = 0;
    int leaveState = state != STRIP_NORMAL && !inside;
    switch (message) {
    case plat::WM_MOUSEMOVE:
        if (inside && state != STRIP_HOVER && state != STRIP_PRESSED)
            SetStateAndDraw(STRIP_HOVER);
        else if (leaveState)
            SetStateAndDraw(STRIP_NORMAL);
        break;
    case plat::WM_LBUTTONDOWN:
        if (inside && state != STRIP_PRESSED)
            SetStateAndDraw(STRIP_PRESSED);
        else if (leaveState)
            SetStateAndDraw(STRIP_NORMAL);
        break;
    case plat::WM_LBUTTONUP:
        if (inside) {
            clicked = 1;
            clickKind = CLICK_LEFT;
            if (state != STRIP_HOVER)
                SetStateAndDraw(STRIP_HOVER);
        } else if (leaveState) {
            SetStateAndDraw(STRIP_NORMAL);
        }
        break;
    case plat::WM_RBUTTONUP:
        if (inside) {
            clicked = 1;
            clickKind = CLICK_RIGHT;
        }
        break;
    default:
        break;
    }
    return state;
}

void ImageStrip::Draw(Surface* target) {
    DrawTo(target ? target : dirtyRects.BackSurface());
}

void ImageStrip::SetFrameBase(int n) {
    frameBase = n;
    Redraw();
}

void ImageStrip::DrawTo(Surface* target) {
    int index = FrameToDraw();
    if (index < 0 || !target)
        return;
    SurfaceRect rect{originX + x, originY + y, originX + x + width, originY + y + height};
    if (trackDirty)
        dirtyRects.AddBox(rect, DIRTY_ONE_SHOT, DIRTY_FROM_TARGET);
    // Not clipped: a rectangle reaching outside the target is refused by the blitter.
    plat::Blt(target, &rect, FrameSurface(index), nullptr, plat::BLT_KEYSRC | plat::BLT_WAIT);
}

void ImageStrip::Redraw() {
    if (active)
        DrawTo(dirtyRects.BackSurface());
}

int ImageStrip::WasClicked() {
    return clicked;
}

void ImageStrip::Reset() {
    SetState(STRIP_NORMAL);
    Redraw();
}

void ImageStrip::SetName(const char* text) {
    std::snprintf(name, sizeof name, "%s", text ? text : "");
}

void ImageStrip::SetOrigin(int newOriginX, int newOriginY) {
    originX = newOriginX;
    originY = newOriginY;
}

void ImageStrip::SetActive(int flag) {
    active = flag;
}

void ImageStrip::Show(int flag) {
    if (!flag)
        return;
    // Drawn into both still pictures, so restoring dirty rectangles keeps it on the screen.
    if (Surface* background = dirtyRects.GetBackground())
        Draw(background);
    if (Surface* target = dirtyRects.GetTarget())
        Draw(target);
}

void ImageStrip::SwapFrames() {
    if (frames.Count() >= 2) {
        StripFrame swapped = *frames.Get(0);
        *frames.Get(0) = *frames.Get(1);
        *frames.Get(1) = swapped;
    }
    Redraw();
}

void ImageStrip::SetStatic(int flag) {
    isStatic = flag;
}
void ImageStrip::SetState(int newState) {
    state = newState;
}
int ImageStrip::GetState() {
    return state;
}

void ImageStrip::SetHitRect(int newHitX, int newHitY, int w, int h) {
    hitX = newHitX;
    hitY = newHitY;
    hitWidth = w;
    hitHeight = h;
}

void ImageStrip::SetTrackDirty(int flag) {
    trackDirty = flag;
}
void ImageStrip::SetPixelHit(int flag) {
    pixelHit = flag;
}
