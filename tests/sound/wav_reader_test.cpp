// Reading WAV headers: what is accepted, what is refused, where the file is left, and how a
// sound that cannot be loaded is told.
#include <sys/stat.h>

#include <fstream>

#include "support/sound_fixture.h"
#include "support/temp_dir.h"

using namespace testing_support;

namespace {

// The reader on its own: a sample record, files from memory, no device needed.
class WavReader : public ::testing::Test {
  protected:
    void SetUp() override { MemoryFiles::Install(); }
    void TearDown() override {
        EXPECT_EQ(MemoryFiles::open.load(), 0);
        ZelSound::SetFileOpenFunc(nullptr);
        ZelSound::SetFileCloseFunc(nullptr);
    }
    // Opens `bytes` as a sound file; on success reads the first data byte and closes.
    bool Accepts(const Bytes& bytes, int* firstByte = nullptr) {
        MemoryFiles::store["t.wav"] = bytes;
        SNDFileHandle f = sample.OpenSoundFile("t.wav");
        if (f == SndInvalidHandle())
            return false;
        const int c = std::fgetc(f);
        if (firstByte)
            *firstByte = c;
        MemoryFiles::Close(f);
        return true;
    }
    SNDSample sample;
    const Format stereo8{2, 22050, 8};
    const Bytes fmt = Chunk("fmt ", FmtBody(stereo8));
};

TEST_F(WavReader, ReadsTheFormatFromChunksInAnyOrderAndStopsAtTheData) {
    const struct {
        const char* name;
        Bytes file;
    } cases[] = {{"plain", Wav(stereo8, {7, 8})},
                 {"other chunks between, data first",
                  Riff({Chunk("LIST", Bytes(10, 'x')), Chunk("data", {7, 8}), fmt,
                        Chunk("fact", Bytes(4, 0))})}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        sample.dwFlags = 0;
        int first = -1;
        ASSERT_TRUE(Accepts(c.file, &first));
        EXPECT_EQ(first, 7);
        EXPECT_EQ(sample.dwChannels.load(), 2u);
        EXPECT_EQ(sample.dwFrequency.load(), 22050u);
        EXPECT_EQ(sample.dwBitsPerSample.load(), 8u);
        EXPECT_EQ(sample.dwDataSize.load(), 2u);
        EXPECT_FALSE(sample.dwFlags & SNDF_LOOPED);
    }
}

TEST_F(WavReader, AnOddSizedChunkIsFollowedByAPadByte) {
    Bytes list = Chunk("LIST", Bytes(3, 'x'));
    list.push_back(0); // pad
    int first = -1;
    ASSERT_TRUE(Accepts(Riff({fmt, list, Chunk("data", {7, 8})}), &first));
    EXPECT_EQ(first, 7);
    EXPECT_EQ(sample.dwDataSize.load(), 2u);
    // Without its pad byte the next header is read one byte late: the file is damaged.
    EXPECT_FALSE(Accepts(Riff({fmt, Chunk("LIST", Bytes(3, 'x')), Chunk("data", {1, 2})})));
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
        EXPECT_FALSE(Accepts(c.file)) << c.name;
    EXPECT_TRUE(Accepts(Riff({fmt, Chunk("data", pcm, 100)})));
    EXPECT_EQ(sample.OpenSoundFile("absent.wav"), SndInvalidHandle());
}

TEST_F(WavReader, SamplerLoopIsCountedInFramesAndStoredInBytes) {
    ASSERT_TRUE(Accepts(Riff({fmt, Chunk("smpl", SmplBody(100, 300)), Chunk("data", Bytes(800))})));
    EXPECT_TRUE(sample.dwFlags & SNDF_LOOPED);
    EXPECT_EQ(sample.dwLoopStart.load(), 200u);
    EXPECT_EQ(sample.dwLoopEnd.load(), 600u);
}

// An open function may hand back a handle already placed at a WAV image inside a larger file.
TEST_F(WavReader, ReadsAnImageAtTheHandlesPosition) {
    Bytes archive(5, 'z');
    const Bytes image = Wav(stereo8, {0x33, 0x34});
    archive.insert(archive.end(), image.begin(), image.end());
    MemoryFiles::store["archive"] = archive;
    ZelSound::SetFileOpenFunc([](const char*) {
        SNDFileHandle f = MemoryFiles::Open("archive");
        std::fseek(f, 5, SEEK_SET);
        return f;
    });
    SNDFileHandle f = sample.OpenSoundFile("anything");
    ASSERT_NE(f, SndInvalidHandle());
    EXPECT_EQ(std::fgetc(f), 0x33);
    MemoryFiles::Close(f);
}

// Sounds read from disk through the library's own file functions: one that cannot be loaded is
// told on standard error with its name and the reason, so a broken install is not just silent.
class SoundFiles : public SoundTest {
  protected:
    void Put(const std::string& name, const Bytes& bytes) {
        std::ofstream(dir / name, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
    }
    TempDir dir;
};

TEST_F(SoundFiles, EachSoundThatCannotBeLoadedIsNamedWithItsReason) {
    ZelSound::SetFileOpenFunc(nullptr);
    ZelSound::SetFileCloseFunc(nullptr);
    Put("good.wav", ConstantWav(100, 64));
    Put("text.wav", Bytes{'n', 'o', 't', ' ', 'a', ' ', 'w', 'a', 'v'});
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
