// Reading WAV headers: what is accepted, what is refused, where the file is left, and how a
// sound that cannot be loaded is told.
#include <sys/stat.h>

#include "support/sound_fixture.h"
#include "support/temp_dir.h"

using namespace testing_support;

namespace {

// The reader on its own: a sample record and files from memory.
class WavReader : public SoundTest {
  protected:
    // Opens `bytes` as a sound file: the first data byte it is left at, or -1 when refused.
    int FirstDataByte(const Bytes& bytes) {
        MemoryFiles::store["t.wav"] = bytes;
        sample.dwFlags = 0;
        SNDFileHandle f = sample.OpenSoundFile("t.wav");
        if (f == SndInvalidHandle())
            return -1;
        const int c = std::fgetc(f);
        MemoryFiles::Close(f);
        return c;
    }
    SNDSample sample;
    const Format stereo8{2, 22050, 8};
    const Bytes fmt = Chunk("fmt ", FmtBody(stereo8));
};

TEST_F(WavReader, ReadsTheFormatAndLoopFromChunksInAnyOrderAndStopsAtTheData) {
    // Other chunks between, the data before the format.
    const Bytes shuffled =
        Riff({Chunk("LIST", Bytes(10, 'x')), Chunk("data", {7, 8}), fmt, Chunk("fact", {0, 0})});
    EXPECT_EQ(FirstDataByte(shuffled), 7);
    EXPECT_EQ((std::vector<uint32_t>{sample.dwChannels, sample.dwFrequency, sample.dwBitsPerSample,
                                     sample.dwDataSize}),
              (std::vector<uint32_t>{2, 22050, 8, 2}));
    EXPECT_FALSE(sample.dwFlags & SNDF_LOOPED);
    // A sampler loop is counted in frames and stored in bytes.
    EXPECT_EQ(FirstDataByte(Riff({fmt, Chunk("smpl", SmplBody(100, 300)), Chunk("data", {7, 8})})),
              7);
    EXPECT_TRUE(sample.dwFlags & SNDF_LOOPED);
    EXPECT_EQ((std::vector<uint32_t>{sample.dwLoopStart, sample.dwLoopEnd}),
              (std::vector<uint32_t>{200, 600}));
}

TEST_F(WavReader, AnOddSizedChunkIsFollowedByAPadByte) {
    Bytes padded = Chunk("LIST", Bytes(3, 'x'));
    padded.push_back(0);
    EXPECT_EQ(FirstDataByte(Riff({fmt, padded, Chunk("data", {7, 8})})), 7);
    // Without its pad byte the next header is read one byte late: the file is damaged.
    EXPECT_EQ(FirstDataByte(Riff({fmt, Chunk("LIST", Bytes(3, 'x')), Chunk("data", {1, 2})})), -1);
}

TEST_F(WavReader, RefusesWhatIsNotWholePlainPcm) {
    Format adpcm = stereo8;
    adpcm.tag = 2;
    Bytes notRiff = Wav(stereo8, {1, 2});
    notRiff[0] = 'X';
    const Bytes pcm(100, 0x80);
    const struct {
        const char* name;
        Bytes file;
    } cases[] = {{"ADPCM", Wav(adpcm, {1, 2})},
                 {"not RIFF", notRiff},
                 {"not WAVE", Riff({fmt, Chunk("data", {1, 2})}, "AVI ")},
                 {"no format", Riff({Chunk("data", {1, 2})})},
                 {"no data", Riff({fmt})},
                 {"cut short", Bytes{'R', 'I', 'F', 'F', 0, 0}},
                 {"no channels", Wav({0, 22050, 16}, {1, 2})},
                 {"no frequency", Wav({1, 0, 16}, {1, 2})},
                 {"less than a byte a frame", Wav({1, 22050, 4}, {1, 2})},
                 {"data larger than the file", Riff({fmt, Chunk("data", pcm, 101)})},
                 {"data larger than any sane size", Riff({fmt, Chunk("data", pcm, 0xFFFFFFF0)})}};
    for (const auto& c : cases)
        EXPECT_EQ(FirstDataByte(c.file), -1) << c.name;
    EXPECT_EQ(FirstDataByte(Riff({fmt, Chunk("data", pcm, 100)})), 0x80);
}

// Sounds read from disk through the library's own file functions: one that cannot be loaded is
// told on standard error with its name and the reason, so a broken install is not just silent.
class SoundFiles : public SoundTest {};

TEST_F(SoundFiles, EachSoundThatCannotBeLoadedIsNamedWithItsReason) {
    ZelSound::SetFileOpenFunc(nullptr);
    ZelSound::SetFileCloseFunc(nullptr);
    TempDir dir;
    const Bytes good = ConstantWav(100, 64);
    WriteBytes(dir / "good.wav", std::string(good.begin(), good.end()));
    WriteBytes(dir / "text.wav", "not a wav");
    ASSERT_EQ(mkfifo((dir / "pipe.wav").c_str(), 0600), 0);
    testing::internal::CaptureStderr();
    EXPECT_EQ(zelSound.LoadSample((dir / "good.wav").c_str(), 10), 1);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    const std::pair<const char*, const char*> failures[] = {
        {"absent.wav", "No such file or directory"},
        {"text.wav", "not a PCM WAV sound, or damaged"},
        {"pipe.wav", "not a regular file"}};
    uint32_t id = 11;
    for (const auto& [name, reason] : failures) {
        const std::string file = dir / name;
        testing::internal::CaptureStderr();
        EXPECT_EQ(zelSound.LoadSample(file.c_str(), id++), 0) << name;
        EXPECT_EQ(testing::internal::GetCapturedStderr(),
                  "cannot load sound \"" + file + "\": " + reason + "\n");
    }
    // The music takes the same way in.
    const std::string music = dir / "music.wav";
    testing::internal::CaptureStderr();
    EXPECT_EQ(zelSound.LoadStream(music.c_str(), 0), 0);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "cannot load sound \"" + music + "\": No such file or directory\n");
}

} // namespace
