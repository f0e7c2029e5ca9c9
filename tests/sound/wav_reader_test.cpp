#include "sound_test_support.h"

namespace soundtest {
namespace {

// The reader on its own: a sample record, files from memory, no device needed.
class WavReader : public ::testing::Test {
  protected:
    void SetUp() override {
        MemoryFiles::Store().clear();
        MemoryFiles::Open() = 0;
        ZelSound::SetFileOpenFunc(MemoryFiles::OpenFile);
        ZelSound::SetFileCloseFunc(MemoryFiles::CloseFile);
    }
    void TearDown() override {
        EXPECT_EQ(MemoryFiles::Open().load(), 0);
        ZelSound::SetFileOpenFunc(nullptr);
        ZelSound::SetFileCloseFunc(nullptr);
    }
    // Opens `bytes` as a sound file; on success reads the first data byte and closes.
    bool Accepts(const Bytes& bytes, int* firstByte = nullptr) {
        MemoryFiles::Add("t.wav", bytes);
        SNDFileHandle f = sample.OpenSoundFile("t.wav");
        if (f == SndInvalidHandle())
            return false;
        const int c = std::fgetc(f);
        if (firstByte)
            *firstByte = c;
        MemoryFiles::CloseFile(f);
        return true;
    }
    SNDSample sample;
    Format stereo8{2, 22050, 8};
};

TEST_F(WavReader, ReadsFormatAndLeavesTheFileAtTheData) {
    int first = -1;
    ASSERT_TRUE(Accepts(Wav(stereo8, {0x42, 0x43}), &first));
    EXPECT_EQ(first, 0x42);
    EXPECT_EQ(sample.dwChannels.load(), 2u);
    EXPECT_EQ(sample.dwFrequency.load(), 22050u);
    EXPECT_EQ(sample.dwBitsPerSample.load(), 8u);
    EXPECT_EQ(sample.dwDataSize.load(), 2u);
    EXPECT_TRUE(sample.dwFlags & SNDF_FORMAT);
    EXPECT_FALSE(sample.dwFlags & SNDF_LOOPED);
}

TEST_F(WavReader, ChunksMayComeInAnyOrderWithOthersBetween) {
    // A 16-byte "fmt " chunk: the 20 bytes read run into the next header, harmlessly.
    Bytes bytes = Riff({Chunk("LIST", Bytes(10, 'x')), Chunk("data", {7, 8}),
                        Chunk("fmt ", FmtBody(stereo8, 16)), Chunk("fact", Bytes(4, 0))});
    int first = -1;
    ASSERT_TRUE(Accepts(bytes, &first));
    EXPECT_EQ(first, 7);
    EXPECT_EQ(sample.dwChannels.load(), 2u);
}

TEST_F(WavReader, AnOddSizedChunkIsFollowedByAPadByte) {
    Bytes list = Chunk("LIST", Bytes(3, 'x'));
    list.push_back(0); // pad
    int first = -1;
    ASSERT_TRUE(
        Accepts(Riff({Chunk("fmt ", FmtBody(stereo8)), list, Chunk("data", {7, 8})}), &first));
    EXPECT_EQ(first, 7);
    EXPECT_EQ(sample.dwDataSize.load(), 2u);
    // Without its pad byte the next header is read one byte late: the file is damaged.
    EXPECT_FALSE(Accepts(Riff(
        {Chunk("fmt ", FmtBody(stereo8)), Chunk("LIST", Bytes(3, 'x')), Chunk("data", {1, 2})})));
}

TEST_F(WavReader, RefusesWhatIsNotPlainPcmWave) {
    Format adpcm = stereo8;
    adpcm.tag = 2;
    EXPECT_FALSE(Accepts(Wav(adpcm, {1, 2})));
    Bytes notRiff = Wav(stereo8, {1, 2});
    notRiff[0] = 'X';
    EXPECT_FALSE(Accepts(notRiff));
    EXPECT_FALSE(Accepts(Riff({Chunk("fmt ", FmtBody(stereo8)), Chunk("data", {1, 2})}, "AVI ")));
    EXPECT_FALSE(Accepts(Riff({Chunk("data", {1, 2})})));           // no format
    EXPECT_FALSE(Accepts(Riff({Chunk("fmt ", FmtBody(stereo8))}))); // no data
    EXPECT_FALSE(Accepts(Bytes{'R', 'I', 'F', 'F', 0, 0}));         // cut short
    EXPECT_FALSE(Accepts(Wav({0, 22050, 16}, {1, 2})));             // no channels
    EXPECT_FALSE(Accepts(Wav({1, 0, 16}, {1, 2})));                 // no frequency
    EXPECT_FALSE(Accepts(Wav({1, 22050, 4}, {1, 2})));              // less than a byte a frame
    EXPECT_EQ(sample.OpenSoundFile("absent.wav"), SndInvalidHandle());
}

TEST_F(WavReader, RefusesDataLargerThanTheFileOrAnySaneSize) {
    Bytes pcm(100, 0x80);
    EXPECT_FALSE(Accepts(Riff({Chunk("fmt ", FmtBody(stereo8)), Chunk("data", pcm, 101)})));
    EXPECT_FALSE(Accepts(Riff({Chunk("fmt ", FmtBody(stereo8)), Chunk("data", pcm, 0xFFFFFFF0)})));
    EXPECT_TRUE(Accepts(Riff({Chunk("fmt ", FmtBody(stereo8)), Chunk("data", pcm, 100)})));
}

TEST_F(WavReader, SamplerLoopIsCountedInFramesAndStoredInBytes) {
    Bytes bytes = Riff({Chunk("fmt ", FmtBody(stereo8)), Chunk("smpl", SmplBody(100, 300)),
                        Chunk("data", Bytes(800, 0x80))});
    ASSERT_TRUE(Accepts(bytes));
    EXPECT_TRUE(sample.dwFlags & SNDF_LOOPED);
    EXPECT_EQ(sample.dwLoopStart.load(), 200u);
    EXPECT_EQ(sample.dwLoopEnd.load(), 600u);
}

TEST_F(WavReader, FindRiffChunkStopsAtTheBodyOfTheChunk) {
    Bytes bytes = Riff({Chunk("fmt ", FmtBody(stereo8)), Chunk("abcd", {9, 9, 9})});
    MemoryFiles::Add("t.wav", bytes);
    SNDFileHandle f = MemoryFiles::OpenFile("t.wav");
    _ChunkHeader h{};
    ASSERT_EQ(SNDSample::FindRiffChunk(f, SndFourCC('a', 'b', 'c', 'd'), &h, 12), 1);
    EXPECT_EQ(h.dwSize, 3u);
    EXPECT_EQ(std::ftell(f), 12 + 8 + 16 + 8);
    EXPECT_EQ(SNDSample::FindRiffChunk(f, SndFourCC('z', 'z', 'z', 'z'), &h, 12), 0);
    MemoryFiles::CloseFile(f);
}

// An open function may hand back a handle already placed at a WAV image inside a larger file.
SNDFileHandle OpenInsideArchive(const char*) {
    SNDFileHandle f = MemoryFiles::OpenFile("archive");
    if (f != SndInvalidHandle())
        std::fseek(f, 5, SEEK_SET);
    return f;
}

TEST_F(WavReader, ReadsAnImageAtTheHandlesPosition) {
    Bytes archive(5, 'z');
    Bytes image = Wav(stereo8, {0x33, 0x34});
    archive.insert(archive.end(), image.begin(), image.end());
    MemoryFiles::Add("archive", archive);
    ZelSound::SetFileOpenFunc(OpenInsideArchive);
    SNDFileHandle f = sample.OpenSoundFile("anything");
    ASSERT_NE(f, SndInvalidHandle());
    EXPECT_EQ(std::fgetc(f), 0x33);
    MemoryFiles::CloseFile(f);
}

} // namespace
} // namespace soundtest
