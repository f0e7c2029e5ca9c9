#include "gfx/dirty_rect_list.h"

#include "zel/zel.h"

DirtyRectList dirtyRects;

namespace {
void CopyRegion(Surface* from, Surface* to, int x, int y, int w, int h) {
    if (!from || !to)
        return;
    BltRegion(from, x, y, w, h, to, x, y);
}

void FreeEntries(PtrArray<DirtyRect>& list) {
    while (list.Count() > 0) {
        DirtyRect* entry = list.Get(list.Count() - 1);
        list.Remove(entry);
        delete entry;
    }
}
} // namespace

DirtyRectList::~DirtyRectList() {
    Clear();
}

void DirtyRectList::Clear() {
    FreeEntries(lists[0]);
    FreeEntries(lists[1]);
    target = nullptr;
    background = nullptr;
    page = 0;
}

Surface* DirtyRectList::BackSurface() const {
    Surface* primary = nullptr;
    Surface* back = nullptr;
    ZelGetDDInfo(&primary, &back);
    return back;
}

void DirtyRectList::SetTarget(Surface* surface) {
    DropOneShot();
    target = surface;
}

void DirtyRectList::DropOneShot() {
    PtrArray<DirtyRect>& list = lists[page];
    for (int i = 0; i < list.Count();) {
        DirtyRect* entry = list.Get(i);
        if (entry->flags & DIRTY_ONE_SHOT) {
            list.Remove(entry);
            delete entry;
        } else {
            ++i;
        }
    }
}

void DirtyRectList::AddRect(int x, int y, int w, int h) {
    CopyRegion(background, target, x, y, w, h);
    Add(new DirtyRect{x, y, w, h, DIRTY_ONE_SHOT | DIRTY_FROM_TARGET, nullptr});
}

void DirtyRectList::AddWholeTarget() {
    int w = 0, h = 0;
    if (target)
        GetSurfaceSize(target, &w, &h);
    if (background && target)
        CopyRegion(background, target, 0, 0, w, h);
    Add(new DirtyRect{0, 0, w, h, DIRTY_ONE_SHOT | DIRTY_FROM_TARGET, nullptr});
}

void DirtyRectList::AddRectFlags(int x, int y, int w, int h, int flags, int moreFlags) {
    Add(new DirtyRect{x, y, w, h, flags | moreFlags, nullptr});
}

void DirtyRectList::AddBox(const SurfaceRect& r, int flags, int moreFlags) {
    AddRectFlags(r.left, r.top, r.right - r.left, r.bottom - r.top, flags, moreFlags);
}

void DirtyRectList::Add(DirtyRect* entry) {
    entry->stampedTarget = target;
    lists[page].Add(entry);
}

void DirtyRectList::Restore(Surface* backSurface) {
    PtrArray<DirtyRect>& list = lists[page];
    for (int i = 0; i < list.Count();) {
        DirtyRect* entry = list.Get(i);
        if ((entry->flags & DIRTY_FROM_TARGET) && entry->stampedTarget == target)
            CopyRegion(target, backSurface, entry->x, entry->y, entry->w, entry->h);
        if (entry->flags & DIRTY_ONE_SHOT) {
            list.Remove(entry);
            delete entry;
        } else {
            ++i;
        }
    }
}
