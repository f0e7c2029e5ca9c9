// One whole frame on the null backend: the flip's upload of what changed plus the restore of a
// full page of dirty rectangles from the composed picture.
#include <benchmark/benchmark.h>

#include "gfx/dirty_rect_list.h"
#include "platform/backend.h"
#include "zel/zel.h"

namespace {
void FillPattern(Surface* s, int seed) {
    auto* p = static_cast<uint16_t*>(LockSurface(s));
    for (int y = 0; y < s->height; ++y)
        for (int x = 0; x < s->width; ++x)
            p[y * (s->pitch / 2) + x] = static_cast<uint16_t>((x * 7 + y * 13 + seed) | 1);
    UnlockSurface(s);
}

void BM_WholeFrame(benchmark::State& state) {
    plat::SelectBackend(plat::BackendKind::Null);
    ZelInitDirectX(nullptr, 800, 600);
    Surface* back = dirtyRects.BackSurface();
    Surface* target = MakeSurface(800, 600);
    Surface* background = MakeSurface(800, 600);
    FillPattern(target, 0);
    FillPattern(background, 0);
    dirtyRects.SetTarget(target);
    dirtyRects.SetBackground(background);
    Surface* sprite = MakeSurface(70, 90);
    FillPattern(sprite, 5);
    const int rects = static_cast<int>(state.range(0));
    int frame = 0;
    for (auto _ : state) {
        // Something moves each frame, and a full page of rectangles is scheduled.
        BltSurface(sprite, back, (frame * 37) % 730, (frame * 23) % 510);
        for (int i = 0; i < rects; ++i)
            dirtyRects.AddRectFlags((i % 10) * 80, (i / 10 % 10) * 60, 80, 60, DIRTY_ONE_SHOT,
                                    DIRTY_FROM_TARGET);
        ZelFlip();
        dirtyRects.FlipPage();
        dirtyRects.Restore(back);
        ++frame;
    }
    dirtyRects.Clear();
    ReleaseSurface(sprite);
    ReleaseSurface(target);
    ReleaseSurface(background);
    ZelFreeDirectX();
}
// 100 rectangles of 80 by 60 tile the whole 800 by 600 page.
BENCHMARK(BM_WholeFrame)->Arg(100)->Unit(benchmark::kMicrosecond);
} // namespace

BENCHMARK_MAIN();
