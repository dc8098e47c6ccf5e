#include "app/accuracy.h"
#include "game/cue_judging.h"
#include "game/rota.h"
#include "game/time_controller.h"
#include "scenegraph/transformation_node.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

using namespace game;

constexpr double lookahead = util::TimeController::lookaheadMs;

// Cues 1000 ms apart from 1000 ms on; the last loaded one has no time, as
// the time controller reports it.
class CueJudging : public ::testing::Test {
protected:
    void build(int count) {
        nodes.clear();
        track = CueTrack{};
        for (int i = 0; i < count; ++i) {
            nodes.push_back(std::make_unique<scenegraph::TransformationNode>("cue", "OBJ"));
            nodes.back()->setDrawMode(kCueBuilt);
            track.cues.push_back(nodes.back().get());
        }
        times = [count](int index) {
            return index < 0 || index + 1 >= count ? -1.0 : 1000.0 * (index + 1);
        };
    }

    // Judges with the event clock at `now`, for a player whose clicks come
    // `latency` ms late.
    void judgeAt(double now, double latency = 0.0) { judgeClickAt(now, now, latency); }

    // The same for clicks whose press came at `pressed` on the event clock.
    void judgeClickAt(double now, double pressed, double latency = 0.0) {
        judgeHits(
            track, now - lookahead - latency, pressed - lookahead - latency, times,
            [this](scenegraph::TransformationNode& cue) { exploded.push_back(&cue); },
            [this](const Judgement& judgement) { judgements.push_back(judgement); });
    }

    void expectJudgements(const std::vector<Judgement>& expected) {
        ASSERT_EQ(judgements.size(), expected.size());
        for (std::size_t i = 0; i < expected.size(); ++i) {
            EXPECT_EQ(judgements[i].verdict, expected[i].verdict) << i;
            EXPECT_EQ(judgements[i].cue, expected[i].cue) << i;
            EXPECT_DOUBLE_EQ(judgements[i].offsetMs, expected[i].offsetMs) << i;
        }
    }

    scenegraph::TransformationNode& cue(int index) {
        return *nodes[static_cast<std::size_t>(index)];
    }

    std::vector<std::unique_ptr<scenegraph::TransformationNode>> nodes;
    CueTrack track;
    CueTimes times;
    std::vector<scenegraph::TransformationNode*> exploded;
    std::vector<Judgement> judgements;
};

TEST_F(CueJudging, AClickAtTheWindowsOpeningHitsTheCueAndOneMillisecondBeforeSpoilsIt) {
    build(3);
    cue(0).setHit(true);
    judgeAt(1000.0 - 251.0);
    EXPECT_EQ(cue(0).getDrawMode(), kCueMissed);
    EXPECT_FALSE(cue(0).isHit());
    EXPECT_EQ(track.hitCount, 0);
    EXPECT_TRUE(exploded.empty());
    build(3);
    cue(0).setHit(true);
    judgeAt(1000.0 - 250.0);
    EXPECT_EQ(track.hitCount, 1);
    EXPECT_EQ(cue(0).status, kCueHitStatus);
    EXPECT_FALSE(cue(0).isHit());
    ASSERT_EQ(exploded.size(), 1u);
    EXPECT_EQ(exploded[0], &cue(0));
}

TEST_F(CueJudging, UnclickedCuesInTheirWindowShowIt) {
    build(3);
    judgeAt(1000.0 + 50.0);
    EXPECT_EQ(cue(0).getDrawMode(), kCueInWindow);
    EXPECT_EQ(cue(1).getDrawMode(), kCueBuilt);
    cue(1).setDrawMode(kCueMissed);
    judgeAt(2000.0);
    EXPECT_EQ(cue(1).getDrawMode(), kCueMissed);
}

TEST_F(CueJudging, APreviousCueIsHitUpToTwoHundredFiftyAfterItsEventThenMissed) {
    build(4);
    advanceWindow(track);
    cue(0).setHit(true);
    judgeAt(1000.0 + 250.0);
    EXPECT_EQ(track.hitCount, 1);
    EXPECT_EQ(cue(0).status, kCueHitStatus);
    // Later on the hit cue is marked missed with the rest, but stays hit.
    judgeAt(1000.0 + 251.0);
    EXPECT_EQ(cue(0).getDrawMode(), kCueMissed);
    EXPECT_EQ(cue(0).status, kCueHitStatus);
    // Left unclicked, it is missed from 251 after as well.
    build(4);
    advanceWindow(track);
    judgeAt(1000.0 + 250.0);
    EXPECT_EQ(cue(0).getDrawMode(), kCueInWindow);
    judgeAt(1000.0 + 251.0);
    EXPECT_EQ(cue(0).getDrawMode(), kCueMissed);
    EXPECT_EQ(track.hitCount, 0);
}

TEST_F(CueJudging, APreviousCueClickedWhileTheNextWindowIsOpenIsStillHit) {
    build(4);
    // One beat at 126 BPM apart: the windows share the 24 ms before 1250.
    times = [](int index) { return index == 0 ? 1000.0 : index == 1 ? 1476.0 : -1.0; };
    advanceWindow(track);
    cue(0).setHit(true);
    judgeAt(1240.0);
    EXPECT_EQ(cue(1).getDrawMode(), kCueInWindow);
    EXPECT_EQ(track.hitCount, 1);
    EXPECT_EQ(cue(0).status, kCueHitStatus);
}

TEST_F(CueJudging, CuesThreeHundredApartAreEachHitInTheirOwnWindowInEitherOrder) {
    build(4);
    // The windows of 1000 and 1300 share 1050 to 1250 on the event clock.
    times = [](int index) { return index < 3 ? 1000.0 + 300.0 * index : -1.0; };
    advanceWindow(track); // the 1000 cue's event has fired
    cue(1).setHit(true);
    judgeAt(1060.0);
    cue(0).setHit(true);
    judgeAt(1240.0);
    advanceWindow(track);
    cue(2).setHit(true);
    judgeAt(1360.0);
    EXPECT_EQ(track.hitCount, 3);
    ASSERT_EQ(exploded.size(), 3u);
    EXPECT_EQ(exploded[0], &cue(1));
    EXPECT_EQ(exploded[1], &cue(0));
    EXPECT_EQ(exploded[2], &cue(2));
}

TEST_F(CueJudging, EachCueGetsOneVerdictWithItsOffset) {
    build(5);
    cue(0).setHit(true);
    judgeAt(1000.0 - 30.0);
    cue(1).setHit(true);
    judgeAt(2000.0 - 300.0);
    advanceWindow(track);
    advanceWindow(track);
    judgeAt(2300.0); // the spoilt cue leaves its window: no second verdict
    advanceWindow(track);
    judgeAt(3251.0);
    judgeAt(3300.0);
    expectJudgements(
        {{Verdict::Hit, 0, -30.0}, {Verdict::TooEarly, 1, -300.0}, {Verdict::Missed, 2, 251.0}});
}

TEST_F(CueJudging, AClickIsJudgedAtItsPressNotAtTheFrameThatJudgesIt) {
    // Pressed 30 ms before the cue, judged a slow frame later.
    build(3);
    cue(0).setHit(true);
    judgeClickAt(1050.0, 970.0);
    expectJudgements({{Verdict::Hit, 0, -30.0}});
    // Pressed inside the window's last moment, judged after it closed: a hit.
    build(3);
    judgements.clear();
    cue(0).setHit(true);
    judgeClickAt(1300.0, 1240.0);
    expectJudgements({{Verdict::Hit, 0, 240.0}});
    EXPECT_EQ(track.hitCount, 1);
    // Pressed before the window opened, judged once it had: too early.
    build(3);
    judgements.clear();
    cue(0).setHit(true);
    judgeClickAt(760.0, 740.0);
    expectJudgements({{Verdict::TooEarly, 0, -260.0}});
    EXPECT_EQ(track.hitCount, 0);
}

TEST_F(CueJudging, APressIsPlacedOnTheSongAsItRanOrStoodStill) {
    // Read at 10,000 ms on the steady clock; pressed 12 ms before that.
    EXPECT_DOUBLE_EQ(judgingMsAtPress(5000.0, 10000.0, 9988.0, 1.0, false), 4988.0);
    EXPECT_DOUBLE_EQ(judgingMsAtPress(5000.0, 10000.0, 9988.0, 0.5, false), 4994.0)
        << "a slowed practice";
    EXPECT_DOUBLE_EQ(judgingMsAtPress(5000.0, 10000.0, 14000.0, 1.0, true), 5000.0)
        << "paused: the song stands still";
}

// A latency moves the windows off the cue events, which still fire near the
// cues' own times: a window must count whole on either side of its event.
TEST_F(CueJudging, ALatencyMovesEachWholeWindowEitherWay) {
    for (double latency : {100.0, -100.0}) {
        SCOPED_TRACE(latency);
        build(5);
        judgements.clear();
        cue(0).setHit(true);
        judgeAt(1000.0 - 251.0 + latency, latency);
        advanceWindow(track);
        // Cue 1 clicked as its event fires: judged as the previous cue when
        // the player is late, as the current one when early.
        if (latency > 0.0) {
            advanceWindow(track);
        }
        cue(1).setHit(true);
        judgeAt(2000.0, latency);
        if (latency < 0.0) {
            advanceWindow(track);
        }
        advanceWindow(track);
        judgeAt(3250.0 + latency, latency);
        judgeAt(3251.0 + latency, latency);
        expectJudgements({{Verdict::TooEarly, 0, -251.0},
                          {Verdict::Hit, 1, -latency},
                          {Verdict::Missed, 2, 251.0}});
    }
}

TEST_F(CueJudging, TheLastLoadedCueIsNeverJudgedAndTheRatingLeavesItOut) {
    build(3);
    track.currentCue = 1;
    EXPECT_EQ(judgedSlots(track), 1);
    advanceWindow(track);
    EXPECT_EQ(track.currentCue, 2);
    advanceWindow(track);
    EXPECT_EQ(track.currentCue, 2) << "the window never moves past the last cue";
    EXPECT_EQ(judgedSlots(track), 0);
    cue(2).setHit(true);
    judgeAt(3000.0);
    EXPECT_EQ(track.hitCount, 0);
    EXPECT_EQ(judgeableCues(3), 2);
}

// The last judged cue keeps the late half of its window after its event,
// like every other cue, though no slot follows it.
TEST_F(CueJudging, TheLastJudgedCueIsHitOrMissedAfterItsEvent) {
    build(3);
    advanceWindow(track);
    advanceWindow(track);
    cue(1).setHit(true);
    judgeAt(2000.0 + 100.0);
    expectJudgements({{Verdict::Hit, 1, 100.0}});
    build(3);
    advanceWindow(track);
    advanceWindow(track);
    judgements.clear();
    judgeAt(2000.0 + 251.0);
    expectJudgements({{Verdict::Missed, 1, 251.0}});
}

TEST_F(CueJudging, WithoutCuesNothingIsJudgedAnnouncedOrPulsedAndTheRatingIsZero) {
    build(0);
    EXPECT_EQ(judgedSlots(track), 0);
    EXPECT_EQ(pulsedCues(track), 0);
    judgeAt(0.0);
    advanceWindow(track);
    EXPECT_EQ(track.currentCue, 0);
    EXPECT_EQ(judgeableCues(0), 0);
    EXPECT_EQ(accuracyText(0, judgeableCues(0)), "ACCURACY: 0\\nJust let my cat play");
    build(1);
    EXPECT_EQ(judgedSlots(track), 0);
    EXPECT_EQ(judgeableCues(1), 0);
}

TEST_F(CueJudging, CuesAnnounceOnceFifteenHundredAheadAndMarkersGoRoundInTurn) {
    build(12);
    Rota<int, 5> markers{std::array<int, 5>{0, 1, 2, 3, 4}};
    std::vector<int> used;
    const CueAction mark = [&](scenegraph::TransformationNode&) { used.push_back(markers.take()); };
    announceSlot(track, 0, 1000.0 - 1500.0, times, mark);
    EXPECT_TRUE(used.empty()) << "due only strictly after 1500 ms ahead";
    for (int slot = 0; slot < kWindowSlots; ++slot) {
        announceSlot(track, slot, 5000.0, times, mark);
        announceSlot(track, slot, 5000.0, times, mark);
    }
    EXPECT_EQ(used, (std::vector<int>{0, 1, 2, 3, 4}));
    EXPECT_EQ(cue(4).getDrawMode(), kCueAnnounced);
    cue(5).setDrawMode(kCueMissed);
    advanceWindow(track);
    advanceWindow(track);
    EXPECT_EQ(track.announceState,
              (std::array<int, kWindowSlots>{kAnnounced, kAnnounced, kAnnounced, 0, 0}));
    announceSlot(track, 3, 5000.0, times, mark);
    EXPECT_EQ(used.back(), 0) << "the sixth announced cue takes the first marker again";
    EXPECT_EQ(cue(5).getDrawMode(), kCueMissed) << "a spoilt cue keeps its look";
}

TEST_F(CueJudging, ABeatPulsesAtMostTenCuesBeforeTheLast) {
    build(20);
    EXPECT_EQ(pulsedCues(track), kPulsedCues);
    track.currentCue = 15;
    EXPECT_EQ(pulsedCues(track), 4);
}

} // namespace
