#include "gfx/sprite_list.h"

#include <cstring>

#include "core/timer_service.h"

SpriteList::~SpriteList() {
    if (!sprites)
        return;
    for (int i = 0; i < sprites->Count(); ++i)
        delete sprites->Get(i);
    delete sprites;
}

Sprite* SpriteList::AddCopy(Sprite* prototype) {
    if (!prototype)
        return nullptr;
    if (!sprites)
        sprites = new PtrArray<Sprite>();
    prototype->frameTime = GetTicks();
    prototype->current = prototype->first == -1 ? 0 : prototype->first;
    return sprites->Add(new Sprite(*prototype));
}

void SpriteList::UpdateAll(Surface* target) {
    if (!sprites)
        return;
    for (int i = 0; i < sprites->Count(); ++i) {
        Sprite* sprite = sprites->Get(i);
        sprite->Animate();
        if (sprite->first <= sprite->current && sprite->current < sprite->end)
            sprite->Draw(target);
    }
    // Vanishing effects that finished leave the list.
    for (int i = 0; i < sprites->Count();) {
        Sprite* sprite = sprites->Get(i);
        bool finished = sprite->endMode == SPRITE_END_VANISH &&
                        (sprite->current < sprite->first || sprite->current >= sprite->end);
        if (finished) {
            sprites->Remove(sprite);
            delete sprite;
        } else {
            ++i;
        }
    }
}

void SpriteList::StepAll() {
    if (!sprites)
        return;
    for (int i = 0; i < sprites->Count(); ++i) {
        Sprite* sprite = sprites->Get(i);
        if (sprite->Step() == 1)
            sprite->DrawOnScreen();
    }
}

Sprite* SpriteList::FindByName(const char* spriteName) const {
    if (!sprites || !spriteName)
        return nullptr;
    for (int i = 0; i < sprites->Count(); ++i) {
        if (std::strcmp(sprites->Get(i)->name, spriteName) == 0)
            return sprites->Get(i);
    }
    return nullptr;
}

void SpriteList::Remove(const char* spriteName) {
    Sprite* sprite = FindByName(spriteName);
    if (!sprite)
        return;
    sprites->Remove(sprite);
    delete sprite;
}
