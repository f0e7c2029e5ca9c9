// One playing frame of Kestrin with a full table on the null backend: the game screen's update
// (buttons, the game's step with the score panel, clock bar and floating points) and the present
// with its dirty rectangles. The pictures are the suite folder's: run it from the build folder
// (build/bench/bench_game_frame) or set KESTRIN_FOLDER to a game folder.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>

#include "core/mouse_cursor.h"
#include "core/timer_service.h"
#include "game/card_game.h"
#include "game/game_screen.h"
#include "game/pause.h"
#include "platform/backend.h"
#include "platform/input.h"
#include "zel/zel.h"

namespace {

void AdvanceClock(int ms) {
    for (int t = 0; t < ms; t += 10)
        TimerEvent();
}

void BM_PlayingFrame(benchmark::State& state) {
    // The benchmark runs more than once: the folder is found from where the program started.
    static const std::filesystem::path folder = std::filesystem::absolute(
        std::getenv("KESTRIN_FOLDER") ? std::getenv("KESTRIN_FOLDER") : "suite/Kestrin");
    std::error_code error;
    std::filesystem::current_path(folder, error);
    if (error) {
        state.SkipWithError("no game folder: run from the build folder or set KESTRIN_FOLDER");
        return;
    }
    plat::SelectBackend(plat::BackendKind::Null);
    ZelInitDirectX(nullptr, 800, 600);
    ZelInitMouse();
    ZelAcquireMouse(1);
    SetPauseSleeper(AdvanceClock); // the deal's waits pass at once
    gameScreen.Enter(nullptr, nullptr);
    mouseCursor.SetPosition(40, 490); // "newgame", tapped
    plat::NoteMouseButton(1, true);
    TimerEvent();
    plat::NoteMouseButton(1, false);
    TimerEvent();
    gameScreen.Update(1);
    gameScreen.Update(1);
    if (cardGame.GetState() != GAME_PLAYING)
        state.SkipWithError("the game did not start");
    mouseCursor.SetPosition(400, 590); // over nothing
    for (auto _ : state) {
        TimerEvent(); // the clock runs down as in a game
        if (GetCountdown() < 10)
            SetCountdown(150);
        benchmark::DoNotOptimize(gameScreen.Update(1));
    }
    gameScreen.Leave();
    cardGame.Release();
    SetPauseSleeper(nullptr);
    ZelFreeDirectX();
}
BENCHMARK(BM_PlayingFrame)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
