// Chained samples: a follower starts, through the completion thread, when its leader stops.
#include <algorithm>

#include "support/sound_fixture.h"

using namespace testing_support;

namespace {

class Chains : public SoundTest {
  protected:
    // Pulls audio until `sample` has started (the completion thread starts a follower once its
    // leader has stopped), then checks that it sounds alone, at `level`.
    static void ExpectStartsAlone(SNDSample* sample, int16_t level) {
        ASSERT_TRUE(WaitUntil([&] {
            if (sample->SamplePlaying())
                return true;
            Pull(16);
            return false;
        })) << "follower never started";
        EXPECT_EQ(Pull(10), std::vector<int16_t>(20, level));
    }
};

// The leader is stopped, its first follower ends by itself; the links serve one stop each.
TEST_F(Chains, ChainAppendsAtTheEndFollowersTakeVolumeAndPanAndRunOnce) {
    LoadConstant(10, 1000, 5000);
    LoadConstant(11, 2000, 300);
    LoadConstant(12, 3000, 300);
    SNDSample* s1 = zelSound.FindSample(10);
    SNDSample* s2 = zelSound.FindSample(11);
    SNDSample* s3 = zelSound.FindSample(12);
    EXPECT_EQ(SNDSample::ChainSample(nullptr, s2), s2);
    EXPECT_EQ(SNDSample::ChainSample(s1, nullptr), nullptr);
    EXPECT_EQ(SNDSample::ChainSample(s1, s3), s1);
    EXPECT_EQ(SNDSample::ChainSample(s1, s2), s1); // after s3, which sounds first
    // A record follows one sample, once, and never goes round in a circle.
    for (SNDSample* other : {s3, s1, s2})
        EXPECT_EQ(SNDSample::ChainSample(s2, other), s2);
    EXPECT_EQ(s2->pNext.load(), nullptr);

    ASSERT_EQ(s1->PlaySample(16384, 0x4000), 1); // -20 dB
    EXPECT_EQ(Pull(10), std::vector<int16_t>(20, 100));
    s1->StopSample();
    ExpectStartsAlone(s3, 300);
    EXPECT_EQ(s3->nPan.load(), 0x4000);
    ExpectStartsAlone(s2, 200);
    Pull(300);
    EXPECT_TRUE(WaitUntil([&] { return !(s1->dwFlags & SNDF_NOTIFY); }));
    for (int i = 1; i < ZelSound::g_nMaxEventCount; ++i)
        EXPECT_EQ(ZelSound::g_EventList[i].pSample.load(), nullptr) << "slot " << i;
    ASSERT_EQ(zelSound.PlaySample(10, 65535, 0x8000), s1);
    s1->StopSample();
    plat::SleepMs(20);
    EXPECT_EQ(Pull(1)[0], 0) << "a follower started again";
}

// A follower is played by the completion thread; until then no lookup on the main thread may
// reuse it or free it as an idle duplicate, whoever handed it out.
TEST_F(Chains, AWaitingFollowerIsNeitherReusedNorReclaimed) {
    LoadConstant(10, 1000, 5000);
    LoadConstant(11, 2000, 100);
    LoadConstant(12, 3000, 100);
    SNDSample* master = zelSound.PlaySample(11, 65535, 0x8000);
    SNDSample* duplicate = zelSound.PlaySample(11, 65535, 0x8000);
    ASSERT_TRUE(duplicate && duplicate != master && (duplicate->dwFlags & SNDF_DUPE));
    Pull(200); // both have ended
    SNDSample* leader = zelSound.FindSample(10);
    SNDSample::ChainSample(leader, duplicate);
    zelSound.FindSample(12)->dwFlags &= ~SNDF_CLAIMED; // a walk that passes the duplicate
    EXPECT_NE(duplicate->lpBuffer.load(), nullptr) << "the waiting follower was reclaimed";
    EXPECT_NE(zelSound.FindSample(11), duplicate) << "the waiting follower was handed out";
    leader->PlaySample(65535, 0x8000);
    leader->StopSample();
    ExpectStartsAlone(duplicate, 2000);
    EXPECT_FALSE(duplicate->dwFlags & SNDF_CLAIMED);
}

// A follower is claimed by its chain; when its leader will not stop any more, the claim goes,
// so the record can be reused or reclaimed like any idle one.
TEST_F(Chains, AFollowerWhoseLeaderIsFreedOrSilencedIsReleased) {
    const std::pair<const char*, void (*)(SNDSample*)> cases[] = {
        {"freed before it plays", [](SNDSample* s) { zelSound.FreeSample(s); }},
        {"freed as it plays",
         [](SNDSample* s) {
             s->PlaySample(65535, 0x8000);
             zelSound.FreeSample(s);
         }},
        {"played with effects off",
         [](SNDSample* s) {
             zelSound.EnableSFX(0);
             s->PlaySample(65535, 0x8000);
             zelSound.EnableSFX(1);
         }},
    };
    LoadConstant(10, 1000, 5000);
    LoadConstant(11, 2000, 5000);
    zelSound.PlaySample(10, 65535, 0x8000); // both busy: leader and follower are duplicates
    zelSound.PlaySample(11, 65535, 0x8000);
    for (const auto& [name, end] : cases) {
        SCOPED_TRACE(name);
        SNDSample* leader = zelSound.FindSample(10);
        SNDSample* follower = zelSound.FindSample(11);
        ASSERT_TRUE(leader && follower && (follower->dwFlags & SNDF_DUPE));
        SNDSample::ChainSample(leader, follower);
        end(leader);
        plat::SleepMs(20);
        EXPECT_EQ(follower->SamplePlaying(), 0);
        zelSound.FlushSamples(); // reclaims it only once its claim has gone
        EXPECT_EQ(follower->dwFlags.load(), 0u) << "the idle follower was not reclaimed";
    }
}

TEST_F(Chains, SixtyThreeWaitAtOnceAndTheSixtyFourthPlaysWithoutItsFollower) {
    ASSERT_EQ(ZelSound::g_nMaxEventCount.load(), 64);
    std::vector<SNDSample*> leaders, followers;
    for (uint32_t i = 0; i < 64; ++i) {
        LoadConstant(10 + i, 10, 50);
        LoadConstant(100 + i, 10, 50);
        leaders.push_back(zelSound.FindSample(10 + i));
        followers.push_back(zelSound.FindSample(100 + i));
        SNDSample::ChainSample(leaders.back(), followers.back());
        ASSERT_EQ(leaders.back()->PlaySample(65535, 0x8000), 1);
    }
    EXPECT_EQ(Slots(SNDF_NOTIFY), 63);
    EXPECT_FALSE(leaders[63]->dwFlags & SNDF_NOTIFY);
    EXPECT_EQ(Pull(1)[0], 640) << "all 64 leaders sound";
    Pull(100);
    ASSERT_TRUE(WaitUntil([&] {
        return std::count_if(followers.begin(), followers.end(),
                             [](SNDSample* f) { return f->nVolume == 65535; }) == 63;
    }));
    EXPECT_EQ(Pull(1)[0], 630);
    EXPECT_EQ(followers[63]->nVolume.load(), 0) << "its leader had no completion slot";
    EXPECT_FALSE(followers[63]->dwFlags & SNDF_CLAIMED)
        << "a follower that cannot start is released";
}

} // namespace
