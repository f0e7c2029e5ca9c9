#include <functional>

#include "support/sound_fixture.h"

using namespace testing_support;

namespace {

class Chains : public SoundTest {
  protected:
    // Pulls audio while `sample` plays (it must have started), checking its level.
    void ExpectPlaysAtLevel(SNDSample* sample, int level) {
        ASSERT_TRUE(WaitUntil([&] { return sample->SamplePlaying() != 0; }))
            << "follower never started";
        bool heard = false;
        for (int i = 0; i < 100 && sample->SamplePlaying(); ++i) {
            for (int16_t v : Pull(64)) {
                if (v != 0) {
                    ASSERT_EQ(v, level);
                    heard = true;
                }
            }
        }
        EXPECT_TRUE(heard);
        EXPECT_EQ(sample->SamplePlaying(), 0);
    }
};

TEST_F(Chains, ChainAppendsAtTheEndAndFollowersTakeVolumeAndPan) {
    LoadConstant(10, 1000, 300);
    LoadConstant(11, 2000, 300);
    LoadConstant(12, 3000, 300);
    SNDSample* s1 = zelSound.FindSample(10);
    SNDSample* s2 = zelSound.FindSample(11);
    SNDSample* s3 = zelSound.FindSample(12);
    EXPECT_EQ(SNDSample::ChainSample(nullptr, s2), s2);
    EXPECT_EQ(SNDSample::ChainSample(s1, nullptr), nullptr);
    EXPECT_EQ(SNDSample::ChainSample(s1, s3), s1);
    EXPECT_EQ(SNDSample::ChainSample(s1, s2), s1);
    EXPECT_EQ(s1->pNext.load(), s3);
    EXPECT_EQ(s3->pNext.load(), s2);
    // A record follows one sample, once, and never goes round in a circle.
    EXPECT_EQ(SNDSample::ChainSample(s2, s3), s2);
    EXPECT_EQ(SNDSample::ChainSample(s2, s1), s2);
    EXPECT_EQ(SNDSample::ChainSample(s2, s2), s2);
    EXPECT_EQ(s2->pNext.load(), nullptr);

    ASSERT_EQ(s1->PlaySample(16384, 0x4000), 1); // -20 dB
    EXPECT_TRUE(s1->dwFlags & SNDF_NOTIFY);
    ExpectPlaysAtLevel(s1, 100);
    ExpectPlaysAtLevel(s3, 300);
    EXPECT_EQ(s3->nVolume.load(), 16384);
    EXPECT_EQ(s3->nPan.load(), 0x4000);
    ExpectPlaysAtLevel(s2, 200);
    EXPECT_EQ(s2->nVolume.load(), 16384);
    plat::SleepMs(20);
    EXPECT_EQ(s1->SamplePlaying() + s2->SamplePlaying() + s3->SamplePlaying(), 0);
    EXPECT_TRUE(WaitUntil([&] { return !(s1->dwFlags & SNDF_NOTIFY); }));
    for (int i = 1; i < ZelSound::g_nMaxEventCount; ++i)
        EXPECT_EQ(ZelSound::g_EventList[i].pSample.load(), nullptr) << "slot " << i;
}

TEST_F(Chains, StoppingAChainedSampleStartsItsFollower) {
    LoadConstant(10, 1000, 5000);
    LoadConstant(11, 2000, 100);
    SNDSample* s1 = zelSound.FindSample(10);
    SNDSample* s2 = zelSound.FindSample(11);
    SNDSample::ChainSample(s1, s2);
    s1->PlaySample(65535, 0x8000);
    Pull(10);
    s1->StopSample();
    ExpectPlaysAtLevel(s2, 2000);
}

// A follower is played by the completion thread; until then no lookup on the main thread may
// reuse it or free it as an idle duplicate, whoever handed it out.
TEST_F(Chains, AWaitingFollowerIsNeitherReusedNorReclaimed) {
    LoadConstant(10, 1000, 5000);
    LoadConstant(11, 2000, 100);
    LoadConstant(12, 3000, 100);
    SNDSample* master = zelSound.PlaySample(11, 65535, 0x8000);
    SNDSample* duplicate = zelSound.PlaySample(11, 65535, 0x8000);
    ASSERT_NE(duplicate, master);
    ASSERT_TRUE(duplicate->dwFlags & SNDF_DUPE);
    ASSERT_TRUE(WaitUntil([&] {
        Pull(64);
        return !duplicate->SamplePlaying() && !master->SamplePlaying();
    }));
    SNDSample* leader = zelSound.FindSample(10);
    SNDSample::ChainSample(leader, duplicate);
    EXPECT_TRUE(duplicate->dwFlags & SNDF_CLAIMED);
    zelSound.FindSample(12)->dwFlags &= ~SNDF_CLAIMED; // a walk that passes the duplicate
    EXPECT_NE(duplicate->lpBuffer.load(), nullptr) << "the waiting follower was reclaimed";
    EXPECT_NE(zelSound.FindSample(11), duplicate) << "the waiting follower was handed out";
    leader->PlaySample(65535, 0x8000);
    leader->StopSample();
    ExpectPlaysAtLevel(duplicate, 2000);
    EXPECT_FALSE(duplicate->dwFlags & SNDF_CLAIMED);
}

// The link from a sample to its follower serves one stop: played again, the sample has none.
TEST_F(Chains, AChainRunsOnce) {
    LoadConstant(10, 1000, 100);
    LoadConstant(11, 2000, 100);
    SNDSample* leader = zelSound.FindSample(10);
    SNDSample* follower = zelSound.FindSample(11);
    SNDSample::ChainSample(leader, follower);
    leader->PlaySample(65535, 0x8000);
    ExpectPlaysAtLevel(leader, 1000);
    ExpectPlaysAtLevel(follower, 2000);
    EXPECT_EQ(leader->pNext.load(), nullptr);
    ASSERT_TRUE(WaitUntil([&] { return !(leader->dwFlags & SNDF_NOTIFY); }));
    ASSERT_EQ(zelSound.PlaySample(10, 65535, 0x8000), leader);
    Pull(200);
    plat::SleepMs(20);
    EXPECT_EQ(Pull(1)[0], 0) << "the follower started again";
    EXPECT_EQ(follower->SamplePlaying(), 0);
}

// A follower is claimed by its chain; when its leader will not stop any more, the claim goes,
// so the record can be reused or reclaimed like any idle one.
TEST_F(Chains, AFollowerWhoseLeaderIsFreedOrSilencedIsReleased) {
    struct Case {
        const char* name;
        std::function<void(SNDSample*)> end;
    } cases[] = {
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
    LoadConstant(12, 3000, 100);
    zelSound.PlaySample(10, 65535, 0x8000); // both busy: leader and follower are duplicates
    zelSound.PlaySample(11, 65535, 0x8000);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SNDSample* leader = zelSound.FindSample(10);
        SNDSample* follower = zelSound.FindSample(11);
        ASSERT_TRUE(leader && follower && (follower->dwFlags & SNDF_DUPE));
        SNDSample::ChainSample(leader, follower);
        c.end(leader);
        plat::SleepMs(20);
        EXPECT_EQ(follower->SamplePlaying(), 0);
        EXPECT_FALSE(follower->dwFlags & SNDF_CLAIMED);
        zelSound.FlushSamples();
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
    }
    for (SNDSample* l : leaders)
        ASSERT_EQ(l->PlaySample(65535, 0x8000), 1);
    for (int i = 0; i < 63; ++i)
        EXPECT_TRUE(leaders[i]->dwFlags & SNDF_NOTIFY) << i;
    EXPECT_FALSE(leaders[63]->dwFlags & SNDF_NOTIFY);
    auto out = Pull(1);
    EXPECT_EQ(out[0], 640) << "all 64 leaders sound";
    Pull(100);
    auto started = [&] {
        int n = 0;
        for (SNDSample* f : followers)
            n += f->nVolume == 65535 ? 1 : 0;
        return n;
    };
    ASSERT_TRUE(WaitUntil([&] { return started() == 63; }));
    EXPECT_EQ(followers[63]->nVolume.load(), 0) << "its leader had no completion slot";
    EXPECT_FALSE(followers[63]->dwFlags & SNDF_CLAIMED)
        << "a follower that cannot start is released";
    EXPECT_EQ(Pull(1)[0], 630);
}

} // namespace
