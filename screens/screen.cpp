#include "screens/screen.h"

#include <cstdio>

#include "core/mouse_cursor.h"
#include "gfx/dirty_rect_list.h"
#include "gfx/image_strip.h"
#include "gfx/strip_group.h"
#include "zel/zel.h"

Screen::Screen() : strips(new StripGroup), images(new PtrArray<Image>) {}

Screen::~Screen() {
    BaseLeave();
}

void Screen::Init() {
    if (!images)
        images = new PtrArray<Image>;
    if (!strips)
        strips = new StripGroup;
}

void Screen::Enter(plat::Display* dd, Surface* back) {
    directDraw = dd;
    backSurface = back;
    Init();
}

void Screen::Leave() {
    BaseLeave();
}

void Screen::BaseLeave() {
    delete strips;
    strips = nullptr;
    FreeImages();
}

int Screen::HandleMessage(plat::Window*, unsigned, uintptr_t, intptr_t) {
    return 1;
}

int Screen::Update(int) {
    return 1;
}

void Screen::SetName(const char* text) {
    std::snprintf(name, sizeof name, "%s", text ? text : "");
}

const char* Screen::GetName() {
    return name;
}

Image* Screen::AddImage(const char* fileName) {
    auto* image = new Image(fileName);
    if (!image->surface) {
        delete image;
        return nullptr;
    }
    if (!images)
        images = new PtrArray<Image>;
    images->Add(image);
    return image;
}

void Screen::FreeImages() {
    if (!images)
        return;
    for (int i = 0; i < images->Count(); ++i) {
        images->Get(i)->Free();
        delete images->Get(i);
    }
    delete images;
    images = nullptr;
    // The pictures they pointed to are gone; the next Enter sets them again.
    targetImage = nullptr;
    backgroundImage = nullptr;
}

void Screen::SetUpStillPicture(const char* fileName) {
    targetImage = AddImage(fileName);
    dirtyRects.SetTarget(targetImage ? targetImage->surface : nullptr);
    backgroundImage = AddImage(fileName);
    dirtyRects.SetBackground(backgroundImage ? backgroundImage->surface : nullptr);
    dirtyRects.AddWholeTarget();
    // Without its picture the screen is black behind its buttons, not the last screen's.
    if (!targetImage)
        FillSurface(dirtyRects.BackSurface(), 0);
}

int Screen::Present() {
    int result = ZelFlip();
    mouseCursor.EndFrame();
    dirtyRects.FlipPage();
    dirtyRects.Restore(dirtyRects.BackSurface());
    return result;
}

void Screen::AddStrip(ImageStrip* strip) {
    if (!strip)
        return;
    if (!strips)
        strips = new StripGroup;
    strip->SetOrigin(strips->X(), strips->Y());
    strips->Add(strip);
}

ImageStrip* Screen::AddButton(const char* stripName, int x, int y, const char* fileName,
                              int frames) {
    auto* strip = new ImageStrip(x, y);
    strip->LoadStrip(fileName, frames, 0);
    strip->SetName(stripName);
    AddStrip(strip);
    return strip;
}

void Screen::UpdateStrips(int* xOut, int* yOut, int* buttonsOut) {
    int x = 0, y = 0, buttons = 0;
    mouseCursor.GetFrameState(&x, &y, &buttons);
    if (strips) {
        strips->UpdateAll(x, y, buttons);
        strips->DrawAll();
    }
    if (xOut)
        *xOut = x;
    if (yOut)
        *yOut = y;
    if (buttonsOut)
        *buttonsOut = buttons;
}
