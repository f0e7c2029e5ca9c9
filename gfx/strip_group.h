#pragma once
// The strips of one screen: moved together by one origin, fed the mouse and redrawn together,
// and asked which one was clicked. The group owns its strips.
#include "core/ptr_array.h"
#include "gfx/image_strip.h"

class StripGroup {
  public:
    StripGroup() = default;
    ~StripGroup();
    StripGroup(const StripGroup&) = delete;
    StripGroup& operator=(const StripGroup&) = delete;

    ImageStrip* Add(ImageStrip* strip);
    void SetOrigin(int newX, int newY);
    void UpdateAll(int mouseX, int mouseY, int buttons);
    void DrawAll();
    ImageStrip* FindByName(const char* stripName) const;
    ImageStrip* FindClicked() const;
    // A click on an earlier strip hides a click on this one.
    int WasNamedClicked(const char* stripName) const;
    void Remove(const char* stripName);

    int X() const { return x; }
    int Y() const { return y; }
    int Count() const { return strips.Count(); }
    ImageStrip* Get(int index) const { return strips.Get(index); }

  private:
    PtrArray<ImageStrip> strips;
    int x = 0, y = 0;
};
