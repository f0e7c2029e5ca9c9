#include "menu/text_field.h"

#include <gtest/gtest.h>

#include <string>

#include "screens/key_queue.h"
#include "support/bmp_file.h"
#include "support/font_bitmap.h"
#include "support/null_display.h"

using namespace testing_support;

namespace {

constexpr uint8_t kScanA = 0x1E;
constexpr uint8_t kScanB = 0x30;
constexpr uint8_t kLeftShift = 0x2A;

class TextFieldTest : public NullDisplayTest {
  protected:
    void SetUp() override {
        NullDisplayTest::SetUp();
        keyQueue.Reset();
        ASSERT_EQ(font.LoadFontSurface(MakeFontBitmap(UniformLayout(4))), 1);
        font.SetGap(2); // every glyph advances 6
        field.SetCapacity(64);
        field.SetRect(100, 50, 300, 20);
        field.AddFont(&font);
    }
    void TearDown() override {
        keyQueue.Reset();
        NullDisplayTest::TearDown();
    }
    // One press and release of a key, as the message pump would feed it.
    static void Type(uint8_t scanCode, bool shift = false) {
        unsigned char keys[256] = {};
        if (shift)
            keys[kLeftShift] = 0x80;
        keys[scanCode] = 0x80;
        keyQueue.Feed(keys);
        unsigned char none[256] = {};
        keyQueue.Feed(none);
    }
    static void TypeMany(uint8_t scanCode, int count) {
        for (int i = 0; i < count; ++i)
            Type(scanCode);
    }
    void Activate() { field.SetActive(1); }

    BitmapFont font;
    TextField field;
};

TEST_F(TextFieldTest, CapacityLeavesRoomForTwoBytes) {
    field.SetRect(0, 0, 100000, 20);
    Activate();
    TypeMany(kScanA, 63);
    EXPECT_EQ(field.ProcessKeys(), 0);
    EXPECT_EQ(field.Length(), 62);
    EXPECT_EQ(std::string(field.Text()), std::string(62, 'a'));

    // SetText takes anything shorter than the capacity, and nothing longer.
    field.SetText(std::string(63, 'b').c_str());
    EXPECT_EQ(field.Length(), 63);
    field.SetText(std::string(64, 'c').c_str());
    EXPECT_EQ(field.Length(), 63);
    EXPECT_EQ(field.Text()[0], 'b');
}

TEST_F(TextFieldTest, ACharacterThatWouldFillTheWidthExactlyIsRefused) {
    field.SetRect(0, 0, 12, 20);
    Activate();
    TypeMany(kScanA, 3);
    field.ProcessKeys();
    EXPECT_STREQ(field.Text(), "a");

    field.SetRect(0, 0, 13, 20);
    TypeMany(kScanA, 3);
    field.ProcessKeys();
    EXPECT_STREQ(field.Text(), "aa");
}

TEST_F(TextFieldTest, BackspaceRemovesTheLastCharacterAndStopsAtEmpty) {
    Activate();
    Type(kScanA);
    Type(kScanB);
    Type(KEY_BACKSPACE);
    field.ProcessKeys();
    EXPECT_STREQ(field.Text(), "a");
    TypeMany(KEY_BACKSPACE, 3);
    field.ProcessKeys();
    EXPECT_STREQ(field.Text(), "");
    EXPECT_EQ(field.Length(), 0);
    Type(kScanB);
    field.ProcessKeys();
    EXPECT_STREQ(field.Text(), "b");
}

TEST_F(TextFieldTest, EnterEndsEditingAndLeavesLaterKeysQueued) {
    Activate();
    Type(kScanA);
    Type(KEY_ENTER);
    Type(kScanB);
    EXPECT_EQ(field.ProcessKeys(), KEY_ENTER);
    EXPECT_EQ(field.IsActive(), 0);
    EXPECT_STREQ(field.Text(), "a");
    EXPECT_EQ(keyQueue.Pop(), kScanB);
}

TEST_F(TextFieldTest, TabIsReportedWithTheFieldStillActive) {
    Activate();
    Type(KEY_TAB);
    Type(kScanA);
    EXPECT_EQ(field.ProcessKeys(), KEY_TAB);
    EXPECT_EQ(field.IsActive(), 1);
    EXPECT_EQ(field.ProcessKeys(), 0);
    EXPECT_STREQ(field.Text(), "a");
}

TEST_F(TextFieldTest, ShiftedControlKeysAreDroppedAndShiftedLettersTyped) {
    Activate();
    Type(KEY_ENTER, true);
    Type(KEY_TAB, true);
    Type(KEY_BACKSPACE, true);
    Type(kScanA, true);
    EXPECT_EQ(field.ProcessKeys(), 0);
    EXPECT_EQ(field.IsActive(), 1);
    EXPECT_STREQ(field.Text(), "A");
}

TEST_F(TextFieldTest, ActivationDropsKeysTypedBefore) {
    field.SetSelectMode(0);
    Type(kScanA);
    EXPECT_EQ(field.Click(110, 55), 1);
    EXPECT_EQ(field.ProcessKeys(), 0);
    EXPECT_STREQ(field.Text(), "");
    // Clicking into a field that is already active keeps what was typed since.
    Type(kScanB);
    field.Click(110, 55);
    field.ProcessKeys();
    EXPECT_STREQ(field.Text(), "b");
}

TEST_F(TextFieldTest, AnInactiveOrCursorlessFieldLeavesTheQueueAlone) {
    Type(kScanA);
    EXPECT_EQ(field.ProcessKeys(), 0);
    EXPECT_EQ(keyQueue.Pop(), kScanA);

    Activate();
    field.SetShowCursor(0);
    Type(kScanB);
    EXPECT_EQ(field.ProcessKeys(), 0);
    EXPECT_EQ(keyQueue.Pop(), kScanB);
}

TEST_F(TextFieldTest, SelectModeSelectsThenActivates) {
    EXPECT_EQ(field.Click(110, 55), 0);
    EXPECT_EQ(field.IsSelected(), 1);
    EXPECT_EQ(field.Click(110, 55), 1);
    EXPECT_EQ(field.IsSelected(), 1);
    // A third press inside goes back to selected only.
    EXPECT_EQ(field.Click(110, 55), 0);
    EXPECT_EQ(field.IsSelected(), 1);
    field.Click(110, 55);
    EXPECT_EQ(field.Click(500, 500), 0);
    EXPECT_EQ(field.IsSelected(), 0);
}

TEST_F(TextFieldTest, EditModeActivatesOnlyInsideAndEdgesCount) {
    field.SetSelectMode(0);
    field.SetOrigin(10, 20);
    // The font, added after the rectangle, made the field 8 high: it covers (110, 70) to
    // (410, 78) on the screen, edges included.
    EXPECT_TRUE(field.Contains(110, 70));
    EXPECT_TRUE(field.Contains(410, 78));
    EXPECT_FALSE(field.Contains(411, 78));
    EXPECT_FALSE(field.Contains(410, 79));
    EXPECT_FALSE(field.Contains(110, 69));
    EXPECT_EQ(field.Click(410, 78), 1);
    EXPECT_EQ(field.IsSelected(), 0);
    EXPECT_EQ(field.Click(109, 80), 0);
}

TEST_F(TextFieldTest, DrawsTextWithTheHighlightFontWhenSelected) {
    BitmapFont narrow;
    ASSERT_EQ(narrow.LoadFontSurface(MakeFontBitmap(UniformLayout(1))), 1);
    field.AddFont(&narrow);
    field.SetOrigin(10, 20);
    field.SetText("ab");
    field.Draw(Back());
    EXPECT_EQ(BackPixel(113, 70), kWhite); // 4 columns wide
    EXPECT_EQ(BackPixel(114, 70), kBlack);

    FillSurface(Back(), kBlack);
    field.SetSelected(1);
    field.Draw(Back());
    // 1 column wide and no gap: "ab" covers 110 and 111 only.
    EXPECT_EQ(BackPixel(111, 70), kWhite);
    EXPECT_EQ(BackPixel(112, 70), kBlack);
    EXPECT_EQ(BackPixel(116, 70), kBlack);
}

TEST_F(TextFieldTest, TextIsCutAtTheFieldsRightEdge) {
    field.SetRect(0, 0, 12, 20);
    field.SetText("aaaa");
    field.Draw(Back());
    EXPECT_EQ(BackPixel(0, 0), kWhite);
    EXPECT_EQ(BackPixel(6, 0), kBlack); // the second "a" would reach the edge
}

class TextFieldCursorTest : public TextFieldTest {
  protected:
    void SetUp() override {
        TextFieldTest::SetUp();
        WriteSolidBmp(dir / "cursor.bmp", 4, 10, {0, 255, 0});
        field.SetCursorImage((dir / "cursor.bmp").c_str());
        field.SetText("ab");
    }
    bool CursorShown() {
        FillSurface(Back(), kBlack);
        field.Draw(Back());
        return BackPixel(112, 50) == kGreen; // just behind "ab"
    }
    TempDir dir;
};

TEST_F(TextFieldCursorTest, CursorBlinksEveryHalfSecondBehindTheText) {
    Activate();
    ASSERT_NE(field.Cursor(), nullptr);
    EXPECT_TRUE(CursorShown()); // the blink clock starts at 0, the clock too
    Wait(10);
    EXPECT_FALSE(CursorShown());
    Wait(500);
    EXPECT_FALSE(CursorShown()); // 510: not before the clock yet
    Wait(10);
    EXPECT_TRUE(CursorShown());
    EXPECT_EQ(BackPixel(111, 50), kBlack);
}

TEST_F(TextFieldCursorTest, CursorNeedsAnActiveFieldAndShowCursor) {
    EXPECT_FALSE(CursorShown()); // inactive
    Activate();
    field.SetShowCursor(0);
    Wait(10);
    EXPECT_FALSE(CursorShown());
    Wait(510);
    EXPECT_FALSE(CursorShown());
    field.SetShowCursor(1);
    EXPECT_TRUE(CursorShown());
}

TEST_F(TextFieldCursorTest, MissingCursorImageShowsTheErrorBox) {
    TextField other;
    other.SetCursorImage((dir / "nothing.bmp").c_str());
    ASSERT_EQ(plat::null::MessageBoxes().size(), 1u);
    EXPECT_EQ(plat::null::MessageBoxes()[0].rfind("ERROR: can't find file!|", 0), 0u);
    other.Draw(Back()); // no capacity, no font, no frame: draws nothing
    EXPECT_STREQ(other.Text(), "");
}

} // namespace
