#pragma once
// A thread that pulls audio from the in-memory device the way the device's callback would,
// so that buffers end, notifications fire and the library's threads run as in the programs.
#include <atomic>
#include <thread>
#include <vector>

#include "platform/audio.h"
#include "platform/sync.h"

namespace soundtest {

class MixerThread {
  public:
    // `pauseMs` between pulls of 512 frames: 6 is about twice real time, 0 as fast as it goes.
    explicit MixerThread(int pauseMs = 6) : pause(pauseMs), thread([this] { Run(); }) {}
    ~MixerThread() { Stop(); }
    void Stop() {
        running = false;
        if (thread.joinable())
            thread.join();
    }
    std::atomic<long> frames{0};
    std::atomic<long> loudFrames{0};

  private:
    void Run() {
        std::vector<int16_t> out(2 * 512);
        while (running) {
            const int got = plat::MixNullAudio(out.data(), 512);
            long loud = 0;
            for (int i = 0; i < got; ++i)
                loud += out[2 * i] != 0 ? 1 : 0;
            loudFrames += loud;
            frames += got;
            if (pause > 0)
                plat::SleepMs(pause);
            else
                std::this_thread::yield();
        }
    }
    const int pause;
    std::atomic<bool> running{true};
    std::thread thread;
};

} // namespace soundtest
