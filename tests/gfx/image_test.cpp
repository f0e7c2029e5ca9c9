#include "gfx/image.h"

#include <gtest/gtest.h>

#include <string>

#include "support/bmp_builder.h"
#include "support/temp_dir.h"

namespace {

TEST(ImageTest, LoadKeysBlueAndAFailedLoadKeepsNameAndSizeAndLongNamesAreCut) {
    testing_support::TempDir dir;
    const std::string path = dir / "pic.bmp";
    ASSERT_TRUE(bmp::Write(
        path, bmp::Build(6, 3, 24, [](int x, int) { return x % 2 ? 0x000000u : 0x0000FFu; })));
    Image image(path.c_str());
    ASSERT_NE(image.surface, nullptr);
    EXPECT_EQ(std::string(image.name), path);
    EXPECT_EQ(std::pair(image.width, image.height), std::pair(6, 3));
    Surface* target = MakeSurface(10, 10);
    FillSurface(target, 0xFFFF);
    image.Draw(target, 2, 2);
    EXPECT_EQ(GetPixelValue(target, 2, 2), 0xFFFF); // blue: transparent
    EXPECT_EQ(GetPixelValue(target, 3, 2), 0x0000); // black: drawn
    image.SetKeyColor(0, 0, 0);
    image.Draw(target, 2, 5);
    EXPECT_EQ(GetPixelValue(target, 2, 5), 0x001F);
    EXPECT_EQ(GetPixelValue(target, 3, 5), 0xFFFF);

    EXPECT_EQ(image.Load((dir / "absent.bmp").c_str()), nullptr);
    EXPECT_EQ(image.surface, nullptr);
    EXPECT_EQ(std::string(image.name), path);
    EXPECT_EQ(image.width, 6);
    plat::ClearWritten(target);
    image.SetKeyColor(0, 0, 255); // no picture: nothing to key
    image.Draw(target, 0, 0);
    EXPECT_FALSE(plat::HasWritten(target));
    ReleaseSurface(target);

    image.Load(nullptr);
    EXPECT_EQ(std::pair(image.width, image.height), std::pair(0, 0));
    EXPECT_EQ(image.name[0], '\0');
    image.SetName(std::string(400, 'n').c_str()); // cut to its field, and ended
    EXPECT_EQ(std::string(image.name), std::string(sizeof(image.name) - 1, 'n'));
}

// One test owns the log: the file is created once per run.
TEST(LogMessageTest, SilentByDefaultThenStartsAFreshFile) {
    testing_support::CurrentDirGuard keep;
    testing_support::TempDir dir;
    std::filesystem::current_path(dir.path());
    LogMessage("Unable to use timers on this system");
    EXPECT_FALSE(std::filesystem::exists(dir / "debug.log"));

    testing_support::WriteBytes(dir / "debug.log", "old text from an earlier run\n");
    debugLogEnabled = 1;
    LogMessage("Unable to use timers on this system");
    debugLogEnabled = 0;
    EXPECT_EQ(testing_support::ReadBytes(dir / "debug.log"), "Unable to use timers on this system");
}

} // namespace
