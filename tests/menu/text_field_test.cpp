#include "menu/text_field.h"

#include <gtest/gtest.h>

#include <string>

#include "support/font_bitmap.h"
#include "support/null_display.h"
#include "support/typing.h"

using namespace testing_support;

namespace {

using TextFieldTest = NullDisplayTest;

TEST_F(TextFieldTest, KeysEditAnActiveFieldWithinItsCapacityAndWidthAndClicksSelectIt) {
    BitmapFont font;
    ASSERT_EQ(font.LoadFontSurface(MakeFontBitmap(UniformLayout(4))), 1);
    font.SetGap(2); // every glyph advances 6
    TextField field;
    field.AddFont(&font);
    const struct {
        const char* name;
        int width, active, showCursor;
        std::string typed;
        int result;
        std::string text;
        int activeAfter;
        char left; // the next key still queued, as a character
    } rows[] = {
        // clang-format off
        {"a capacity of 64 takes 62 characters", 100000, 1, 1, std::string(63, 'a'), 0, std::string(62, 'a'), 1, 0},
        {"a character that would fill the width exactly is refused", 12, 1, 1, "aaa", 0, "a", 1, 0},
        {"one pixel more takes it", 13, 1, 1, "aaa", 0, "aa", 1, 0},
        {"backspace removes the last character", 300, 1, 1, "ab\bc", 0, "ac", 1, 0},
        {"backspace stops at empty", 300, 1, 1, "a\b\b\bb", 0, "b", 1, 0},
        {"enter ends editing and leaves later keys queued", 300, 1, 1, "a\nb", KEY_ENTER, "a", 0, 'b'},
        {"tab is reported with the field still active", 300, 1, 1, "\ta", KEY_TAB, "", 1, 'a'},
        {"an inactive field leaves the queue alone", 300, 0, 1, "a", 0, "", 0, 'a'},
        {"so does a field without a cursor", 300, 1, 0, "a", 0, "", 1, 'a'},
        // clang-format on
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        keyQueue.Reset();
        field.SetCapacity(64);
        field.SetRect(0, 0, row.width, 20);
        field.SetActive(row.active);
        field.SetShowCursor(row.showCursor);
        TypeText(row.typed);
        EXPECT_EQ(field.ProcessKeys(), row.result);
        EXPECT_EQ(field.Text(), row.text);
        EXPECT_EQ(field.IsActive(), row.activeAfter);
        EXPECT_EQ(KeyQueue::KeyToChar(keyQueue.Pop()), row.left);
    }
    field.SetText(std::string(63, 'b').c_str());
    field.SetText(std::string(64, 'c').c_str());
    EXPECT_EQ(field.Text(), std::string(63, 'b')) << "a text is taken only whole";

    // A first click selects, the next one activates; in edit mode, with the field moved by
    // (10, 20), its edges count.
    field.SetRect(100, 50, 300, 8);
    field.SetActive(0);
    const int clicks[][3] = {{110, 55, 0}, {110, 55, 1}, {500, 500, 0}};
    for (const auto& [x, y, active] : clicks)
        EXPECT_EQ(field.Click(x, y) * 2 + field.IsSelected(), active * 2 + (x == 110));
    field.SetSelectMode(0);
    field.SetOrigin(10, 20);
    const int editClicks[][3] = {{110, 70, 1}, {410, 78, 1}, {411, 78, 0}, {410, 79, 0}};
    for (const auto& [x, y, active] : editClicks)
        EXPECT_EQ(field.Click(x, y), active) << x << "," << y;
    keyQueue.Reset();
}

} // namespace
