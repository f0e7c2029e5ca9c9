#pragma once
// Remembers which rectangles of the back surface were drawn over and, after each flip, copies
// them back from the composed still picture (the target). One list per display page.
#include "core/ptr_array.h"
#include "gfx/surface_functions.h"

class Sprite;
class PopupScreen;

constexpr int DIRTY_ONE_SHOT = 0x1;
constexpr int DIRTY_FROM_TARGET = 0x1000;

struct DirtyRect {
    int x, y, w, h;
    int flags;
    Surface* stampedTarget;
};

class DirtyRectList {
  public:
    DirtyRectList() = default;
    ~DirtyRectList();

    void SetTarget(Surface* surface);
    Surface* GetTarget() const { return target; }
    void SetBackground(Surface* surface) { background = surface; }
    Surface* GetBackground() const { return background; }
    Surface* BackSurface() const; // the program's back surface
    void DropOneShot();
    void AddRect(int x, int y, int w, int h);
    void AddWholeTarget();
    void AddRectFlags(int x, int y, int w, int h, int flags, int moreFlags);
    void AddBox(const SurfaceRect& rect, int flags, int moreFlags);
    void AddSpriteArea(const Sprite* sprite);
    void AddPopupArea(const PopupScreen* popup);
    void Add(DirtyRect* entry);
    void FlipPage() { page = 1 - page; }
    void Restore(Surface* backSurface);

    int Page() const { return page; }
    const PtrArray<DirtyRect>& List(int p) const { return lists[p]; }
    void Clear(); // drops every entry and both pictures (tests, shutdown)

  private:
    int page = 0;
    PtrArray<DirtyRect> lists[2];
    Surface* target = nullptr;
    Surface* background = nullptr;
};

extern DirtyRectList dirtyRects;
