#pragma once
// Independent copies of prototype sprites, for effects that appear, animate and vanish. The
// list owns its copies; the copies share their prototypes' frames.
#include "core/ptr_array.h"
#include "gfx/sprite.h"

class SpriteList {
  public:
    SpriteList() = default;
    ~SpriteList();
    SpriteList(const SpriteList&) = delete;
    SpriteList& operator=(const SpriteList&) = delete;

    // Restarts the prototype's animation clock and range, then appends a copy of it.
    Sprite* AddCopy(Sprite* prototype);
    void UpdateAll(Surface* target);
    void StepAll();
    Sprite* FindByName(const char* spriteName) const;
    void Remove(const char* spriteName);

    int Count() const { return sprites ? sprites->Count() : 0; }
    Sprite* Get(int index) const { return sprites ? sprites->Get(index) : nullptr; }

  private:
    PtrArray<Sprite>* sprites = nullptr; // created on first use
};
