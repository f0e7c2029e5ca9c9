#include "screens/screen.h"

#include <climits>
#include <cstdio>
#include <cstring>

#include "core/mouse_cursor.h"
#include "gfx/dirty_rect_list.h"
#include "gfx/image_strip.h"
#include "gfx/strip_group.h"
#include "platform/profile.h"
#include "zel/zel.h"

namespace {
void CopyName(char (&field)[256], const char* text) {
    std::snprintf(field, sizeof field, "%s", text ? text : "");
}
} // namespace

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
    CopyName(name, text);
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

void Screen::SetDirtyTarget(Surface* surface) {
    dirtyRects.SetTarget(surface);
}

void Screen::SetDirtyBackground(Surface* surface) {
    dirtyRects.SetBackground(surface);
}

int Screen::LoadImageList(const char* iniPath) {
    for (int n = 1;; ++n) {
        char key[32];
        std::snprintf(key, sizeof key, "image%02d", n);
        char section[256];
        plat::GetProfileString("images", key, "none", section, sizeof section, iniPath);
        if (std::strcmp(section, "none") == 0)
            return 0;
        char file[256];
        plat::GetProfileString(section, "file", "none", file, sizeof file, iniPath);
        if (std::strcmp(file, "none") == 0)
            std::snprintf(file, sizeof file, "%.250s.bmp", section);
        auto* image = new Image(file);
        if (!images)
            images = new PtrArray<Image>;
        images->Add(image);
        CopyName(image->name, section);
        image->x = plat::GetProfileInt(section, "x", 0, INT_MIN, INT_MAX, iniPath);
        image->y = plat::GetProfileInt(section, "y", 0, INT_MIN, INT_MAX, iniPath);
    }
}

Image* Screen::FindImage(const char* imageName) {
    if (!images || !imageName)
        return nullptr;
    for (int i = 0; i < images->Count(); ++i)
        if (std::strcmp(images->Get(i)->name, imageName) == 0)
            return images->Get(i);
    return nullptr;
}

int Screen::DrawImage(Surface* surface, const char* imageName, int x, int y) {
    Image* image = FindImage(imageName);
    if (!image)
        return 0;
    image->Draw(surface, x, y);
    return 1;
}

int Screen::DrawImageAtHome(Surface* surface, const char* imageName) {
    Image* image = FindImage(imageName);
    if (!image)
        return 0;
    image->Draw(surface, image->x, image->y);
    return 1;
}

void Screen::SetUpStillPicture(const char* fileName) {
    targetImage = AddImage(fileName);
    SetDirtyTarget(targetImage ? targetImage->surface : nullptr);
    backgroundImage = AddImage(fileName);
    SetDirtyBackground(backgroundImage ? backgroundImage->surface : nullptr);
    dirtyRects.AddWholeTarget();
    // Without its picture the screen is black behind its buttons, not the last screen's.
    if (!targetImage)
        FillSurface(dirtyRects.BackSurface(), 0);
}

int Screen::Present() {
    if (presentDelegate)
        return presentDelegate->Present();
    int result = ZelFlip();
    mouseCursor.EndFrame();
    dirtyRects.FlipPage();
    dirtyRects.Restore(dirtyRects.BackSurface());
    return result;
}

void Screen::SetPresentDelegate(Screen* screen) {
    presentDelegate = screen;
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
