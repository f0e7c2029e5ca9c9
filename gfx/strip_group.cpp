#include "gfx/strip_group.h"

#include <cstring>

StripGroup::~StripGroup() {
    for (int i = 0; i < strips.Count(); ++i)
        delete strips.Get(i);
}

ImageStrip* StripGroup::Add(ImageStrip* strip) {
    if (!strip)
        return nullptr;
    return strips.Add(strip);
}

void StripGroup::SetOrigin(int newX, int newY) {
    x = newX;
    y = newY;
    for (int i = 0; i < strips.Count(); ++i)
        strips.Get(i)->SetOrigin(newX, newY);
}

void StripGroup::UpdateAll(int mouseX, int mouseY, int buttons) {
    for (int i = 0; i < strips.Count(); ++i)
        strips.Get(i)->UpdateWithMouse(mouseX, mouseY, buttons);
}

void StripGroup::DrawAll() {
    for (int i = 0; i < strips.Count(); ++i)
        strips.Get(i)->Redraw();
}

ImageStrip* StripGroup::FindByName(const char* stripName) const {
    if (!stripName)
        return nullptr;
    for (int i = 0; i < strips.Count(); ++i) {
        if (std::strcmp(strips.Get(i)->Name(), stripName) == 0)
            return strips.Get(i);
    }
    return nullptr;
}

ImageStrip* StripGroup::FindClicked() const {
    for (int i = 0; i < strips.Count(); ++i) {
        if (strips.Get(i)->WasClicked())
            return strips.Get(i);
    }
    return nullptr;
}

int StripGroup::WasNamedClicked(const char* stripName) const {
    ImageStrip* clicked = FindClicked();
    if (!clicked || !stripName || std::strcmp(clicked->Name(), stripName) != 0)
        return 0;
    return clicked->WasClicked();
}

void StripGroup::Remove(const char* stripName) {
    ImageStrip* strip = FindByName(stripName);
    if (!strip)
        return;
    strips.Remove(strip);
    delete strip;
}
