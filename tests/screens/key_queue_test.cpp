#include "screens/key_queue.h"

#include <gtest/gtest.h>

#include <map>
#include <sstream>
#include <string>
#include <tuple>

#include "platform/window.h"
#include "screens/message_pump.h"
#include "support/null_display.h"

namespace {

using MessagePumpTest = testing_support::NullDisplayTest;

// Typed keys as the queue gives them, translated: '?' for a key that types nothing.
std::string Typed(KeyQueue& queue) {
    std::string typed;
    for (uint32_t code = queue.Pop(); code != 0; code = queue.Pop())
        typed += KeyQueue::KeyToChar(code) ? KeyQueue::KeyToChar(code) : '?';
    return typed;
}

// Scan codes of the keys the cases below hold down: '^' left Shift, '>' right Shift.
const std::map<char, int> kScan = {{'1', 0x02}, {'a', 0x1E}, {'s', 0x1F},
                                   {' ', 0x39}, {'^', 0x2A}, {'>', 0x36}};

// Feeds of the keyboard state, '|' between them, each naming the keys then down; "!" is a feed
// without a state, "#" clears the queue.
TEST(KeyQueueTest, KeysAreQueuedOncePerPressWithTheShiftOfTheirFeed) {
    const struct {
        const char *name, *feeds, *typed;
    } cases[] = {
        {"held key once, again after a release", "a|a|a||a", "aa"},
        {"one feed in scan code order", " s1", "1s "},
        {"a missing state is no release", "a|!|a", "a"},
        {"left Shift counts while down in the same feed", "^a|^|s|^1", "A?s!?"},
        {"right Shift counts from the previous feed only", ">a|>s|a|s", "a?SAs"},
        {"clearing drops unread keys; held keys stay held", "as|#|as ", " "},
    };
    for (const auto& c : cases) {
        KeyQueue queue;
        std::istringstream feeds(c.feeds);
        for (std::string feed; std::getline(feeds, feed, '|');) {
            unsigned char state[256] = {};
            for (char key : feed)
                state[kScan.count(key) ? kScan.at(key) : 0] = 0x80;
            if (feed == "#")
                queue.Clear();
            else
                queue.Feed(feed == "!" ? nullptr : state);
        }
        EXPECT_EQ(Typed(queue), c.typed) << c.name;
    }
}

TEST(KeyQueueTest, TheQueueHoldsUpTo255UnreadKeys) {
    KeyQueue queue;
    for (int presses : {255, 256}) {
        for (int i = 0; i <= presses; ++i) {
            unsigned char state[256] = {};
            state[i % 2 ? 0x1E : 0x1F] = i < presses ? 0x80 : 0; // then all up
            queue.Feed(state);
        }
        EXPECT_EQ(Typed(queue).size(), presses == 255 ? 255u : 0u) << presses;
    }
}

TEST(KeyQueueTest, EveryScanCodeTypesItsCharacterOfTheUnitedStatesLayout) {
    // Scan codes 0x00 to 0x39 without and with Shift; '_' types nothing, as every later code.
    const std::string plain = "__1234567890_=__qwertyuiop[]__asdfghjkl;'`_\\zxcvbnm,./___ ";
    const std::string shifted = "__!@#$%^&*()_+__QWERTYUIOP{}__ASDFGHJKL:\"~_|ZXCVBNM<>?___ ";
    for (uint32_t scan = 0; scan < 256; ++scan) {
        const char p = scan < plain.size() && plain[scan] != '_' ? plain[scan] : 0;
        const char s = scan < shifted.size() && shifted[scan] != '_' ? shifted[scan] : 0;
        EXPECT_EQ(KeyQueue::KeyToChar(scan), p) << std::hex << scan;
        EXPECT_EQ(KeyQueue::KeyToChar(scan | 0x100), s) << std::hex << scan;
        EXPECT_EQ(KeyQueue::KeyToChar(scan | 0x200), p) << "bits above Shift count for nothing";
    }
}

void Key(uint32_t message, int scan) {
    plat::PostMessage(nullptr, message, 0, plat::KeyLParam(scan));
}

// The message pump feeds the key queue once per message taken, and leaves a quit posted for
// each enclosing loop.
TEST_F(MessagePumpTest, KeysBetweenFramesAreQueuedAndAQuitIsLeftForTheEnclosingLoop) {
    keyQueue.Reset();
    for (int scan : {0x2A, 0x1E, 0x1F})
        Key(plat::WM_KEYDOWN, scan);
    for (int scan : {0x1E, 0x2A, 0x1F})
        Key(plat::WM_KEYUP, scan);
    Key(plat::WM_KEYDOWN, 0x02);
    EXPECT_EQ(PumpMessages(), 0);
    EXPECT_EQ(Typed(keyQueue), "?AS1");
    plat::PostQuitMessage(3);
    EXPECT_EQ(PumpMessages(), 1);
    plat::Message m{};
    ASSERT_TRUE(plat::PeekMessage(&m));
    EXPECT_EQ(std::tuple(m.message, m.wParam), std::tuple(plat::WM_QUIT, 3u));
    ZelFreeDirectInput(); // without a keyboard nothing is queued
    Key(plat::WM_KEYDOWN, 0x1E);
    EXPECT_EQ(PumpMessages(), 0);
    EXPECT_EQ(keyQueue.Pop(), 0u);
}

} // namespace
