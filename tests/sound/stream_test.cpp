// The music stream: a looping buffer of quarter-second segments refilled by the fill thread,
// how a track loops or ends, and the controls and fades of the main thread.
#include "platform/clock.h"
#include "support/sound_fixture.h"

using namespace testing_support;

namespace {

std::atomic<uint32_t> g_endedId{0xDEAD};
void RecordEnd(uint32_t id) {
    g_endedId = id;
}

// 44100 Hz 16-bit stereo: a segment is 11025 frames. Frame k holds (v, -v) with v unique
// over the track, so any gap, repeat or stale segment shows.
int16_t Level(int k) {
    return static_cast<int16_t>(k % 30011 + 1);
}

Bytes TrackWav(int frames) {
    std::vector<int16_t> s;
    for (int k = 0; k < frames; ++k) {
        s.push_back(Level(k));
        s.push_back(static_cast<int16_t>(-Level(k)));
    }
    return Wav({2, 44100, 16}, Pcm16(s));
}

class Streams : public SoundTest {
  protected:
    // Pulls audio the way the device would, giving the fill thread its turn after each segment
    // boundary the cursor passes (it refills the segment just left).
    std::vector<int16_t> PullStream(int frames) {
        std::vector<int16_t> all;
        const int segment = static_cast<int>(ZelSound::g_StreamInfo.dwSegmentSize / 4);
        while (frames > 0) {
            const int chunk = frames < 1000 ? frames : 1000;
            const _SNDStream& info = ZelSound::g_StreamInfo;
            const uint32_t before = info.dwBytesLeft;
            const uint32_t silentBefore = info.dwSilentSegments;
            const bool refillsData = before > 0 || (info.dwFlags & SNDSTREAM_LOOP);
            auto out = Pull(chunk);
            all.insert(all.end(), out.begin(), out.end());
            if (segment > 0 && (pulled + chunk) / segment != pulled / segment) {
                // The refill of the segment just left: more data, or silence after the last.
                if (refillsData)
                    EXPECT_TRUE(WaitUntil([&] { return info.dwBytesLeft != before; }));
                else
                    EXPECT_TRUE(WaitUntil([&] {
                        return info.dwSilentSegments != silentBefore || !info.pSample.load();
                    }));
            }
            pulled += chunk;
            frames -= chunk;
        }
        return all;
    }
    // Checks that output frames [from, from + count) of `out` (which starts at stream frame
    // `base`) are the track of `trackFrames` frames, repeating.
    static void ExpectTrack(const std::vector<int16_t>& out, int base, int trackFrames) {
        for (size_t i = 0; i < out.size() / 2; ++i) {
            const int k = static_cast<int>((base + i) % trackFrames);
            ASSERT_EQ(out[2 * i], Level(k)) << "output frame " << base + i;
            ASSERT_EQ(out[2 * i + 1], -Level(k)) << "output frame " << base + i;
        }
    }
    int pulled = 0;
};

TEST_F(Streams, SegmentIsAQuarterSecondRoundedUpToWholeFrames) {
    struct Case {
        Format format;
        uint32_t segment;
    } cases[] = {{{2, 22050, 16}, 22052},
                 {{2, 44100, 16}, 44100},
                 {{1, 22050, 8}, 5512},
                 {{1, 22050, 16}, 11026}};
    for (const Case& c : cases) {
        MemoryFiles::store["m.wav"] = Wav(c.format, Bytes(4000, 0));
        ASSERT_EQ(zelSound.LoadStream("m.wav", 0), 1);
        EXPECT_EQ(ZelSound::g_StreamInfo.dwSegmentSize.load(), c.segment);
        EXPECT_EQ(ZelSound::g_StreamInfo.dwBufferSize.load(), 8 * c.segment);
        EXPECT_EQ(zelSound.StopStream(), 1); // loaded but never played: still ends cleanly
        EXPECT_EQ(ZelSound::g_StreamInfo.pSample.load(), nullptr);
        EXPECT_EQ(ZelSound::g_FillThread.load(), nullptr);
    }
}

// The longer track ends 771 frames into the tenth segment; the shorter one fits the buffer.
TEST_F(Streams, ALoopingTrackGoesOnWithItsStartWithoutAGap) {
    for (int frames : {100000, 30000}) {
        SCOPED_TRACE(frames);
        MemoryFiles::store["music.wav"] = TrackWav(frames);
        ASSERT_EQ(zelSound.LoadStream("music.wav", 0), 1);
        ASSERT_EQ(zelSound.PlayStream(SNDSTREAM_LOOP), 1);
        EXPECT_EQ(zelSound.LoadStream("music.wav", 1), 0) << "one stream at a time";
        pulled = 0;
        ExpectTrack(PullStream(2 * frames + 30000), 0, frames);
        EXPECT_EQ(zelSound.StopStream(), 1);
    }
}

TEST_F(Streams, OneShotTrackPlaysOutThenEndsAndCallsTheNextFunction) {
    g_endedId = 0xDEAD;
    EXPECT_EQ(zelSound.SetStreamNextFunc(RecordEnd), nullptr);
    EXPECT_EQ(zelSound.GetStreamNextFunc(), RecordEnd);
    const int frames = 120000; // longer than the two-second buffer
    MemoryFiles::store["once.wav"] = TrackWav(frames);
    ASSERT_EQ(zelSound.LoadStream("once.wav", 42), 1);
    EXPECT_EQ(ZelSound::GetStreamID(), 42u);
    zelSound.PlayStream(0);
    auto out = PullStream(frames + 1000);
    out.resize(2 * frames);
    ExpectTrack(out, 0, frames); // every queued byte is heard
    for (int i = 0; i < 40 && g_endedId == 0xDEAD; ++i) {
        for (int16_t v : PullStream(11025))
            ASSERT_EQ(v, 0);
    }
    ASSERT_TRUE(WaitUntil([] { return g_endedId == 42; }));
    EXPECT_TRUE(WaitUntil([] { return !(ZelSound::g_StreamInfo.dwFlags & SNDSTREAM_FILLTHREAD); }));
    EXPECT_EQ(ZelSound::g_StreamInfo.pSample.load(), nullptr);
    EXPECT_EQ(Slots(), 0);
}

TEST_F(Streams, StopStreamCallsTheNextFunctionWithTheId) {
    g_endedId = 0xDEAD;
    zelSound.SetStreamNextFunc(RecordEnd);
    MemoryFiles::store["m.wav"] = TrackWav(50000);
    ASSERT_EQ(zelSound.LoadStream("m.wav", 7), 1);
    zelSound.PlayStream(SNDSTREAM_LOOP);
    PullStream(5000);
    EXPECT_EQ(zelSound.StopStream(), 1);
    EXPECT_EQ(g_endedId.load(), 7u);
    EXPECT_EQ(ZelSound::GetStreamID(), 0u);
    for (int16_t v : Pull(100))
        ASSERT_EQ(v, 0);
}

TEST_F(Streams, PausedStreamStaysLoadedAndResumesWhereItPaused) {
    MemoryFiles::store["m.wav"] = TrackWav(100000);
    ASSERT_EQ(zelSound.LoadStream("m.wav", 0), 1);
    zelSound.PlayStream(SNDSTREAM_LOOP);
    PullStream(30000);
    zelSound.PauseStream();
    for (int16_t v : Pull(500))
        ASSERT_EQ(v, 0);
    plat::SleepMs(30); // time for the fill thread to (wrongly) take the stop as the end
    EXPECT_TRUE(ZelSound::g_StreamInfo.dwFlags & SNDSTREAM_LOADED);
    ASSERT_NE(ZelSound::g_StreamInfo.pSample.load(), nullptr);
    zelSound.PauseStream();
    ExpectTrack(PullStream(30000), 30000, 100000);
}

TEST_F(Streams, WhatCannotStreamIsRefusedAndLeavesNothingBehind) {
    MemoryFiles::store["m.wav"] = TrackWav(1000);
    zelSound.EnableMusic(0);
    EXPECT_EQ(zelSound.LoadStream("m.wav", 0), 0);
    EXPECT_EQ(zelSound.PlayStream(SNDSTREAM_LOOP), 1);
    EXPECT_EQ(zelSound.StopStream(), 1);
    zelSound.EnableMusic(1);
    EXPECT_EQ(zelSound.LoadStream("missing.wav", 0), 0);
    // A sampler loop shorter than a segment.
    MemoryFiles::store["loop.wav"] =
        Riff({Chunk("fmt ", FmtBody({2, 44100, 16})), Chunk("smpl", SmplBody(0, 1000)),
              Chunk("data", Bytes(44100 * 4, 0))});
    EXPECT_EQ(zelSound.LoadStream("loop.wav", 0), 0);
    EXPECT_EQ(Slots(), 0);
    EXPECT_EQ(ZelSound::g_FillThread.load(), nullptr);
}

TEST_F(Streams, FadesEndAtTheirFinalVolume) {
    MemoryFiles::store["m.wav"] = Wav({2, 44100, 16}, Bytes(400000, 0));
    EXPECT_EQ(ZelSound::GetStreamVolume(), 0); // nothing loaded
    ASSERT_EQ(zelSound.LoadStream("m.wav", 0), 1);
    auto decibels = [] {
        int32_t db = 0;
        plat::GetBufferVolume(ZelSound::g_StreamInfo.pSample.load()->lpBuffer, &db);
        return db;
    };
    ZelSound::SetStreamVolume(32767);
    EXPECT_EQ(ZelSound::GetStreamVolume(), 32767);
    zelSound.FadeMusic(1000, 12345, 0); // no time: at once
    EXPECT_EQ(ZelSound::GetStreamVolume(), 12345);
    zelSound.FadeMusicOut(0);
    EXPECT_EQ(decibels(), -10000);
    const uint32_t start = plat::GetTickCount();
    zelSound.FadeMusicIn(40); // to the music level, 0x8000
    EXPECT_GE(plat::GetTickCount() - start, 40u);
    EXPECT_EQ(ZelSound::GetStreamVolume(), 0x8000);
    EXPECT_EQ(decibels(), -1000);
}

} // namespace
