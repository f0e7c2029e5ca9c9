// The races between the main thread and the sound threads, provoked many times over: short
// sounds and tracks end under a mixer that pulls as fast as it can while the main thread looks
// up, chains, frees and controls them. Run under AddressSanitizer and ThreadSanitizer, where a
// buffer used after its release is reported.
#include "mixer_thread.h"
#include "sound_test_support.h"

namespace soundtest {
namespace {

class ThreadStress : public SoundTest {};

// A short track that does not loop ends by itself, its fill thread cleaning up, while the main
// thread changes its volume, fades it, pauses and resumes it, or stops it.
TEST_F(ThreadStress, StreamControlsRaceTheEndOfAShortTrack) {
    MemoryFiles::Add("short.wav", Wav({1, 44100, 16}, Bytes(2000, 1)));
    MixerThread mixer(0);
    for (int round = 0; round < 32; ++round) {
        ASSERT_EQ(zelSound.LoadStream("short.wav", 0), 1) << "round " << round;
        const long start = mixer.frames;
        // The track ends about eight quarter seconds (88200 frames) after it starts.
        const long stopAt = start + 80000 + (round * 2711) % 16000;
        zelSound.PlayStream(0);
        for (int i = 0; ZelSound::g_StreamInfo.dwFlags & SNDSTREAM_LOADED; ++i) {
            switch (round % 4) {
            case 0:
                ZelSound::SetStreamVolume(i & 0xFFFF);
                break;
            case 1:
                zelSound.FadeMusic(0, 0x8000, 1);
                break;
            case 2:
                zelSound.PauseStream();
                zelSound.PauseStream();
                break;
            default:
                if (mixer.frames >= stopAt)
                    zelSound.StopStream();
                break;
            }
            ASSERT_LT(mixer.frames - start, 2000000) << "round " << round << ": never ended";
        }
    }
    mixer.Stop();
    EXPECT_EQ(InUseSlots(), 0);
}

} // namespace
} // namespace soundtest
