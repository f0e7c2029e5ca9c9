// Sounds read from disk through the library's own file functions: one that cannot be loaded is
// told on standard error with its name and the reason, so a broken install is not just silent.
#include "sound_test_support.h"

#include "support/temp_dir.h"

#include <sys/stat.h>

#include <fstream>

namespace soundtest {
namespace {

class SoundFiles : public SoundTest {
  protected:
    void SetUp() override {
        SoundTest::SetUp();
        ZelSound::SetFileOpenFunc(nullptr);
        ZelSound::SetFileCloseFunc(nullptr);
    }
    void Put(const std::string& name, const Bytes& bytes) {
        std::ofstream(dir / name, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
    }
    testing_support::TempDir dir;
};

TEST_F(SoundFiles, EachSoundThatCannotBeLoadedIsNamedWithItsReason) {
    Put("good.wav", ConstantWav(100, 64));
    Put("text.wav", Bytes{'n', 'o', 't', ' ', 'a', ' ', 'w', 'a', 'v'});
    ASSERT_EQ(mkfifo((dir / "pipe.wav").c_str(), 0600), 0);
    testing::internal::CaptureStderr();
    EXPECT_EQ(zelSound.LoadSample((dir / "good.wav").c_str(), 10), 1);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");

    const struct {
        const char* name;
        const char* reason;
    } failures[] = {{"absent.wav", "No such file or directory"},
                    {"text.wav", "not a PCM WAV sound, or damaged"},
                    {"pipe.wav", "not a regular file"}};
    uint32_t id = 11;
    for (const auto& f : failures) {
        const std::string file = dir / f.name;
        testing::internal::CaptureStderr();
        EXPECT_EQ(zelSound.LoadSample(file.c_str(), id++), 0) << f.name;
        EXPECT_EQ(testing::internal::GetCapturedStderr(),
                  "cannot load sound \"" + file + "\": " + f.reason + "\n");
    }
    // The music takes the same way in.
    const std::string music = dir / "music.wav";
    testing::internal::CaptureStderr();
    EXPECT_EQ(zelSound.LoadStream(music.c_str(), 0), 0);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "cannot load sound \"" + music + "\": No such file or directory\n");
}

} // namespace
} // namespace soundtest
