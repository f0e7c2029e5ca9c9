#include "screens/key_queue.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "platform/backend.h"
#include "platform/null_backend.h"
#include "platform/window.h"
#include "screens/message_pump.h"
#include "zel/zel.h"

namespace {

constexpr int kLeftShift = 0x2A;
constexpr int kRightShift = 0x36;
constexpr int kA = 0x1E;
constexpr int kS = 0x1F;
constexpr uint32_t kShifted = 0x100;

class KeyQueueTest : public ::testing::Test {
  protected:
    // Feeds a state in which exactly the given keys are down.
    void FeedDown(std::initializer_list<int> down) {
        unsigned char state[256] = {};
        for (int key : down)
            state[key] = 0x80;
        queue.Feed(state);
    }
    std::vector<uint32_t> Drain() {
        std::vector<uint32_t> out;
        for (uint32_t code = queue.Pop(); code != 0; code = queue.Pop())
            out.push_back(code);
        return out;
    }

    KeyQueue queue;
};

TEST_F(KeyQueueTest, EmptyQueuePopsZero) {
    EXPECT_EQ(queue.Pop(), 0u);
    queue.Feed(nullptr);
    EXPECT_EQ(queue.Pop(), 0u);
}

TEST_F(KeyQueueTest, HeldKeyIsQueuedOnceAndAgainAfterARelease) {
    FeedDown({kA});
    FeedDown({kA});
    FeedDown({kA});
    EXPECT_EQ(Drain(), std::vector<uint32_t>{kA});
    FeedDown({});
    FeedDown({kA});
    EXPECT_EQ(Drain(), std::vector<uint32_t>{kA});
    // Only bit 7 means down.
    unsigned char state[256] = {};
    state[kS] = 0x7F;
    queue.Feed(state);
    EXPECT_EQ(queue.Pop(), 0u);
}

TEST_F(KeyQueueTest, MissingStateChangesNothing) {
    FeedDown({kA});
    queue.Feed(nullptr); // not a release
    FeedDown({kA});
    EXPECT_EQ(Drain(), std::vector<uint32_t>{kA});
}

TEST_F(KeyQueueTest, KeysOfOneFeedQueueInScanCodeOrder) {
    FeedDown({0x39, kS, 0x02});
    EXPECT_EQ(Drain(), (std::vector<uint32_t>{0x02, kS, 0x39}));
}

TEST_F(KeyQueueTest, LeftShiftCountsWhenDownInTheSameFeed) {
    FeedDown({kLeftShift, kA});
    // The shift key itself is queued too, shifted like every key of that feed.
    EXPECT_EQ(Drain(), (std::vector<uint32_t>{kA | kShifted, kLeftShift | kShifted}));
    FeedDown({kLeftShift});
    FeedDown({kS}); // released in this feed: no longer counts
    EXPECT_EQ(Drain(), std::vector<uint32_t>{kS});
    // Any non-zero byte of left Shift counts, even without bit 7.
    unsigned char state[256] = {};
    state[kLeftShift] = 0x01;
    state[kA] = 0x80;
    queue.Feed(state);
    EXPECT_EQ(Drain(), std::vector<uint32_t>{kA | kShifted});
}

TEST_F(KeyQueueTest, RightShiftCountsOnlyFromThePreviousFeed) {
    FeedDown({kRightShift, kA});
    EXPECT_EQ(Drain(), (std::vector<uint32_t>{kA, kRightShift}));
    FeedDown({kRightShift, kS});
    EXPECT_EQ(Drain(), std::vector<uint32_t>{kS | kShifted});
    FeedDown({kA}); // released now, but down at the previous feed
    EXPECT_EQ(Drain(), std::vector<uint32_t>{kA | kShifted});
    FeedDown({kS});
    EXPECT_EQ(Drain(), std::vector<uint32_t>{kS});
}

TEST_F(KeyQueueTest, UnreadPressesWrapAfter256) {
    for (int i = 0; i < 255; ++i) {
        FeedDown({kA});
        FeedDown({});
    }
    std::vector<uint32_t> got = Drain();
    EXPECT_EQ(got.size(), 255u);

    for (int i = 0; i < 256; ++i) {
        FeedDown({i % 2 ? kA : kS});
    }
    EXPECT_EQ(queue.Pop(), 0u); // 256 unread presses read as an empty queue
    FeedDown({});
    FeedDown({0x39});
    EXPECT_EQ(Drain(), std::vector<uint32_t>{0x39});
}

TEST_F(KeyQueueTest, ClearDropsUnreadPressesButKeepsHeldKeysHeld) {
    FeedDown({kA, kS});
    queue.Clear();
    EXPECT_EQ(queue.Pop(), 0u);
    FeedDown({kA, kS, 0x39});
    EXPECT_EQ(Drain(), std::vector<uint32_t>{0x39});
}

TEST(KeyToCharTest, LayoutTableWithAndWithoutShift) {
    struct Row {
        int first;
        const char* plain;
        const char* shifted;
    };
    const Row rows[] = {
        {0x02, "1234567890", "!@#$%^&*()"},
        {0x0D, "=", "+"},
        {0x10, "qwertyuiop", "QWERTYUIOP"},
        {0x1A, "[]", "{}"},
        {0x1E, "asdfghjkl", "ASDFGHJKL"},
        {0x27, ";", ":"},
        {0x28, "'", "\""},
        {0x29, "`", "~"},
        {0x2B, "\\", "|"},
        {0x2C, "zxcvbnm", "ZXCVBNM"},
        {0x33, ",./", "<>?"},
        {0x39, " ", " "},
    };
    std::map<int, std::pair<char, char>> expected;
    for (const Row& row : rows)
        for (size_t i = 0; row.plain[i]; ++i)
            expected[row.first + static_cast<int>(i)] = {row.plain[i], row.shifted[i]};
    ASSERT_EQ(expected.size(), 47u);
    for (int scan = 0; scan < 256; ++scan) {
        auto it = expected.find(scan);
        const char plain = it == expected.end() ? 0 : it->second.first;
        const char shifted = it == expected.end() ? 0 : it->second.second;
        EXPECT_EQ(KeyQueue::KeyToChar(static_cast<uint32_t>(scan)), plain) << std::hex << scan;
        EXPECT_EQ(KeyQueue::KeyToChar(static_cast<uint32_t>(scan) | kShifted), shifted)
            << std::hex << scan;
    }
}

TEST(KeyToCharTest, KeysThatTypeNothing) {
    EXPECT_EQ(KeyQueue::KeyToChar(0x1C), 0); // Enter
    EXPECT_EQ(KeyQueue::KeyToChar(0x0C), 0); // minus: neither - nor _
    EXPECT_EQ(KeyQueue::KeyToChar(0x0C | 0x100), 0);
    EXPECT_EQ(KeyQueue::KeyToChar(0x0E), 0); // Backspace
    EXPECT_EQ(KeyQueue::KeyToChar(0x0F), 0); // Tab
    EXPECT_EQ(KeyQueue::KeyToChar(0x127), ':');
    EXPECT_EQ(KeyQueue::KeyToChar(0x27), ';');
    EXPECT_EQ(KeyQueue::KeyToChar(0x201E), 'a'); // bits above the shift bit are ignored
}

// The message pump hands the keyboard state to the key queue once per message taken.
class MessagePumpTest : public ::testing::Test {
  protected:
    void SetUp() override {
        plat::SelectBackend(plat::BackendKind::Null);
        plat::null::Reset();
        keyQueue.Reset();
        ZelInitKeyboard();
        ASSERT_TRUE(plat::RegisterWindowClass("Pump Test", CountingProc));
        plat::WindowOptions options{"Pump Test", "t", 0, 0, 800, 600, false};
        if (!window)
            window = plat::CreateMainWindow(options);
        ASSERT_NE(window, nullptr);
        dispatched.clear();
    }
    void TearDown() override {
        ZelFreeDirectInput();
        keyQueue.Reset();
        plat::null::Reset();
    }
    static plat::LRESULT CountingProc(plat::Window*, uint32_t message, plat::WPARAM, plat::LPARAM) {
        dispatched.push_back(message);
        return 0;
    }
    static void Key(uint32_t message, int scan) {
        plat::PostMessage(window, message, 0, plat::KeyLParam(scan));
    }

    static inline std::vector<uint32_t> dispatched;
    static inline plat::Window* window = nullptr;
};

TEST_F(MessagePumpTest, KeysPressedAndReleasedBetweenFramesAreQueued) {
    Key(plat::WM_KEYDOWN, kLeftShift);
    Key(plat::WM_KEYDOWN, kA);
    Key(plat::WM_KEYUP, kA);
    Key(plat::WM_KEYUP, kLeftShift);
    Key(plat::WM_KEYDOWN, kS);
    Key(plat::WM_KEYUP, kS);
    EXPECT_EQ(PumpMessages(), 0);
    EXPECT_EQ(dispatched.size(), 6u);
    EXPECT_EQ(keyQueue.Pop(), kLeftShift | kShifted);
    EXPECT_EQ(keyQueue.Pop(), kA | kShifted);
    EXPECT_EQ(keyQueue.Pop(), static_cast<uint32_t>(kS));
    EXPECT_EQ(keyQueue.Pop(), 0u);
}

TEST_F(MessagePumpTest, QuitIsReportedAndPostedAgainForTheEnclosingLoop) {
    plat::PostMessage(window, 0x7777, 0, 0);
    plat::PostQuitMessage(3);
    EXPECT_EQ(PumpMessages(), 1);
    EXPECT_EQ(dispatched, std::vector<uint32_t>{0x7777});
    EXPECT_EQ(PumpMessages(), 1); // the enclosing loop sees it too
    plat::Message m{};
    ASSERT_TRUE(plat::PeekMessage(&m));
    EXPECT_EQ(m.message, plat::WM_QUIT);
    EXPECT_EQ(m.wParam, 3u);
    EXPECT_EQ(PumpMessages(), 0);
}

TEST_F(MessagePumpTest, WithoutAKeyboardNothingIsQueued) {
    ZelFreeDirectInput();
    Key(plat::WM_KEYDOWN, kA);
    EXPECT_EQ(PumpMessages(), 0);
    EXPECT_EQ(keyQueue.Pop(), 0u);
}

} // namespace
