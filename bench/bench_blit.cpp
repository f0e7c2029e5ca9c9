// Colour-keyed blits of a 70x90 tile and of a whole 800x600 picture onto an 800x600 back
// surface: ours (plat::Blt with the source key) against SDL's SDL_BlitSurface on RGB565
// surfaces with SDL_SetColorKey, on identical pixels. About 30 % of the source is the key.
// "Runs" content has transparent stretches like real sprites (borders, holes); "Scattered"
// has key pixels strewn at random, the worst case for per-pixel branches.
#include <SDL.h>
#include <benchmark/benchmark.h>

#include <cstring>
#include <random>

#include "platform/surface.h"

namespace {

constexpr uint16_t kKey = plat::kBlueKey;

enum class Content { Runs, Scattered };

void Paint(plat::Surface* s, Content content) {
    std::mt19937 random(1234);
    for (int y = 0; y < s->height; ++y) {
        auto* row = reinterpret_cast<uint16_t*>(s->pixels + y * s->pitch);
        int x = 0;
        while (x < s->width) {
            if (content == Content::Scattered) {
                row[x] = random() % 10 < 3 ? kKey : uint16_t(0x0020 + random() % 0xFF00);
                ++x;
                continue;
            }
            // Runs averaging 12 pixels, three in ten of them transparent.
            const bool hole = random() % 10 < 3;
            const int length = 1 + int(random() % 23);
            for (int i = 0; i < length && x < s->width; ++i, ++x)
                row[x] = hole ? kKey : uint16_t(0x0020 + random() % 0xFF00);
        }
    }
}

struct Pair {
    plat::Surface* ours = nullptr;
    SDL_Surface* sdl = nullptr;
};

Pair MakePair(int w, int h, Content content, bool keyed) {
    Pair p;
    p.ours = plat::CreateSurface(w, h, 16);
    if (keyed)
        Paint(p.ours, content);
    p.sdl = SDL_CreateRGBSurfaceWithFormat(0, w, h, 16, SDL_PIXELFORMAT_RGB565);
    for (int y = 0; y < h; ++y)
        std::memcpy(static_cast<uint8_t*>(p.sdl->pixels) + y * p.sdl->pitch,
                    p.ours->pixels + y * p.ours->pitch, size_t(w) * 2);
    if (keyed) {
        plat::SetColorKey(p.ours, kKey);
        SDL_SetColorKey(p.sdl, SDL_TRUE, kKey);
    }
    return p;
}

void FreePair(Pair& p) {
    plat::ReleaseSurface(p.ours);
    SDL_FreeSurface(p.sdl);
}

enum class Engine { Ours, Sdl, SdlRle };

void KeyedBlit(benchmark::State& state, int w, int h, Content content, Engine engine) {
    Pair source = MakePair(w, h, content, true);
    Pair target = MakePair(800, 600, content, false);
    if (engine == Engine::SdlRle)
        SDL_SetSurfaceRLE(source.sdl, 1);
    const int x = (800 - w) / 2, y = (600 - h) / 2;
    const plat::Rect to{x, y, x + w, y + h};
    for (auto _ : state) {
        if (engine == Engine::Ours) {
            plat::Blt(target.ours, &to, source.ours, nullptr, plat::BLT_KEYSRC | plat::BLT_WAIT);
            benchmark::DoNotOptimize(target.ours->pixels);
        } else {
            SDL_Rect place{x, y, w, h};
            SDL_BlitSurface(source.sdl, nullptr, target.sdl, &place);
            benchmark::DoNotOptimize(target.sdl->pixels);
        }
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * int64_t(w) * h);
    // Both engines must draw the same picture.
    if (engine != Engine::Ours) {
        plat::Blt(target.ours, &to, source.ours, nullptr, plat::BLT_KEYSRC);
        for (int row = 0; row < 600; ++row)
            if (std::memcmp(target.ours->pixels + row * target.ours->pitch,
                            static_cast<uint8_t*>(target.sdl->pixels) + row * target.sdl->pitch,
                            800 * 2) != 0) {
                state.SkipWithError("SDL and ours drew different pictures");
                break;
            }
    }
    FreePair(source);
    FreePair(target);
}

void Register() {
    struct Size {
        const char* name;
        int w, h;
    };
    const Size sizes[] = {{"Tile70x90", 70, 90}, {"Picture800x600", 800, 600}};
    const std::pair<const char*, Content> contents[] = {{"Runs", Content::Runs},
                                                        {"Scattered", Content::Scattered}};
    const std::pair<const char*, Engine> engines[] = {
        {"Ours", Engine::Ours}, {"SDL", Engine::Sdl}, {"SDL_RLE", Engine::SdlRle}};
    for (const Size& size : sizes)
        for (const auto& [contentName, content] : contents)
            for (const auto& [engineName, engine] : engines) {
                const std::string name =
                    std::string("KeyedBlit/") + size.name + "/" + contentName + "/" + engineName;
                benchmark::RegisterBenchmark(name.c_str(), KeyedBlit, size.w, size.h, content,
                                             engine);
            }
}

} // namespace

int main(int argc, char** argv) {
    Register();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
