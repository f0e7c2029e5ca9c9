// The music stream: a looping buffer of quarter-second segments refilled by the fill thread,
// how a track loops or ends, and the controls and fades of the main thread.
#include <algorithm>

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
    Bytes pcm;
    for (int k = 0; k < frames; ++k) {
        PutLE(pcm, static_cast<uint16_t>(Level(k)), 2);
        PutLE(pcm, static_cast<uint16_t>(-Level(k)), 2);
    }
    return Wav({2, 44100, 16}, pcm);
}

class Streams : public SoundTest {
  protected:
    // Pulls audio the way the device would, giving the fill thread its turn after each segment
    // boundary the cursor passes: it refills the segment just left with more data, or with
    // silence after the last.
    std::vector<int16_t> PullStream(int frames) {
        std::vector<int16_t> all;
        const _SNDStream& info = ZelSound::g_StreamInfo;
        const int segment = static_cast<int>(info.dwSegmentSize / 4);
        for (int chunk = 1000; frames > 0; frames -= chunk, pulled += chunk) {
            chunk = std::min(chunk, frames);
            const uint32_t bytesBefore = info.dwBytesLeft, silentBefore = info.dwSilentSegments;
            const auto out = Pull(chunk);
            all.insert(all.end(), out.begin(), out.end());
            if (segment > 0 && (pulled + chunk) / segment != pulled / segment) {
                EXPECT_TRUE(WaitUntil([&] {
                    return info.dwBytesLeft != bytesBefore ||
                           info.dwSilentSegments != silentBefore || !info.pSample.load();
                }));
            }
        }
        return all;
    }
    // Checks that `out`, which starts at stream frame `base`, is the track of `trackFrames`
    // frames, repeating.
    static void ExpectTrack(const std::vector<int16_t>& out, int base, int trackFrames) {
        for (size_t i = 0; i < out.size(); ++i) {
            const int16_t v = Level(static_cast<int>((base + i / 2) % trackFrames));
            ASSERT_EQ(out[i], i % 2 ? -v : v) << "output frame " << base + i / 2;
        }
    }
    int pulled = 0;
};

TEST_F(Streams, SegmentsAreAQuarterSecondInWholeFramesAndWhatCannotStreamIsRefused) {
    const std::pair<Format, uint32_t> sizes[] = {{{2, 22050, 16}, 22052},
                                                 {{2, 44100, 16}, 44100},
                                                 {{1, 22050, 8}, 5512},
                                                 {{1, 22050, 16}, 11026}};
    for (const auto& [format, segment] : sizes) {
        MemoryFiles::store["m.wav"] = Wav(format, Bytes(4000, 0));
        ASSERT_EQ(zelSound.LoadStream("m.wav", 0), 1);
        EXPECT_EQ(ZelSound::g_StreamInfo.dwSegmentSize.load(), segment);
        EXPECT_EQ(ZelSound::g_StreamInfo.dwBufferSize.load(), 8 * segment);
        EXPECT_EQ(zelSound.StopStream(), 1); // loaded but never played: still ends cleanly
    }
    zelSound.EnableMusic(0);
    EXPECT_EQ(zelSound.LoadStream("m.wav", 0), 0);
    EXPECT_EQ(zelSound.PlayStream(SNDSTREAM_LOOP), 1);
    EXPECT_EQ(zelSound.StopStream(), 1);
    zelSound.EnableMusic(1);
    // A sampler loop shorter than a segment.
    MemoryFiles::store["loop.wav"] =
        Riff({Chunk("fmt ", FmtBody({2, 44100, 16})), Chunk("smpl", SmplBody(0, 1000)),
              Chunk("data", Bytes(44100 * 4, 0))});
    EXPECT_EQ(zelSound.LoadStream("loop.wav", 0), 0);
    EXPECT_EQ(Slots(), 0);
    EXPECT_EQ(ZelSound::g_FillThread.load(), nullptr);
}

// The longer track ends 771 frames into the tenth segment; the shorter one fits the buffer.
// A stop ends the stream and tells the next-stream function its ID.
TEST_F(Streams, ALoopingTrackGoesOnWithItsStartWithoutAGapUntilStopped) {
    EXPECT_EQ(zelSound.SetStreamNextFunc(RecordEnd), nullptr);
    EXPECT_EQ(zelSound.GetStreamNextFunc(), RecordEnd);
    for (int frames : {100000, 30000}) {
        SCOPED_TRACE(frames);
        MemoryFiles::store["music.wav"] = TrackWav(frames);
        ASSERT_EQ(zelSound.LoadStream("music.wav", frames), 1);
        ASSERT_EQ(zelSound.PlayStream(SNDSTREAM_LOOP), 1);
        EXPECT_EQ(zelSound.LoadStream("music.wav", 1), 0) << "one stream at a time";
        pulled = 0;
        ExpectTrack(PullStream(2 * frames + 30000), 0, frames);
        EXPECT_EQ(zelSound.StopStream(), 1);
        EXPECT_EQ(g_endedId.load(), static_cast<uint32_t>(frames));
        EXPECT_EQ(Pull(100), std::vector<int16_t>(200, 0));
    }
}

// A pause holds the place and keeps the stream loaded; the track then plays out, is followed
// by silence and ends by itself.
TEST_F(Streams, OneShotTrackResumesWhereItPausedPlaysOutThenEndsAndCallsTheNextFunction) {
    g_endedId = 0xDEAD;
    zelSound.SetStreamNextFunc(RecordEnd);
    const int frames = 120000; // longer than the two-second buffer
    MemoryFiles::store["once.wav"] = TrackWav(frames);
    ASSERT_EQ(zelSound.LoadStream("once.wav", 42), 1);
    EXPECT_EQ(ZelSound::GetStreamID(), 42u);
    zelSound.PlayStream(0);
    auto out = PullStream(30000);
    zelSound.PauseStream();
    EXPECT_EQ(Pull(500), std::vector<int16_t>(1000, 0));
    plat::SleepMs(30); // time for the fill thread to (wrongly) take the stop as the end
    ASSERT_TRUE(ZelSound::g_StreamInfo.dwFlags & SNDSTREAM_LOADED);
    zelSound.PauseStream();
    const auto rest = PullStream(frames - 30000 + 1000);
    out.insert(out.end(), rest.begin(), rest.end() - 2000);
    ExpectTrack(out, 0, frames); // every queued byte is heard
    for (int i = 0; i < 40 && g_endedId == 0xDEAD; ++i)
        ASSERT_EQ(PullStream(11025), std::vector<int16_t>(22050, 0));
    ASSERT_TRUE(WaitUntil([] { return g_endedId == 42; }));
    EXPECT_TRUE(WaitUntil([] { return !(ZelSound::g_StreamInfo.dwFlags & SNDSTREAM_FILLTHREAD); }));
    EXPECT_EQ(Slots(), 0) << "the stream's record was kept";
}

TEST_F(Streams, FadesEndAtTheirFinalVolume) {
    EXPECT_EQ(ZelSound::GetStreamVolume(), 0); // nothing loaded
    MemoryFiles::store["m.wav"] = Wav({2, 44100, 16}, Bytes(400000, 0));
    ASSERT_EQ(zelSound.LoadStream("m.wav", 0), 1);
    plat::SoundBuffer* buffer = ZelSound::g_StreamInfo.pSample.load()->lpBuffer;
    int32_t decibels = 0;
    zelSound.FadeMusic(1000, 12345, 0); // no time: at once
    EXPECT_EQ(ZelSound::GetStreamVolume(), 12345);
    zelSound.FadeMusicOut(0);
    EXPECT_TRUE(plat::GetBufferVolume(buffer, &decibels) && decibels == -10000) << decibels;
    const uint32_t start = plat::GetTickCount();
    zelSound.FadeMusicIn(40); // to the music level, 0x8000
    EXPECT_GE(plat::GetTickCount() - start, 40u);
    EXPECT_EQ(ZelSound::GetStreamVolume(), 0x8000);
    EXPECT_TRUE(plat::GetBufferVolume(buffer, &decibels) && decibels == -1000) << decibels;
}

} // namespace
