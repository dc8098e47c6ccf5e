#pragma once

#include <array>
#include <functional>
#include <vector>

namespace scenegraph {
class TransformationNode;
}

namespace game {

// Cues looked at together: the oldest cue whose event has not fired and the
// four after it.
constexpr int kWindowSlots = 5;
// A click counts from this long before a cue's time to this long after it,
// on the judging clock.
constexpr double kHitToleranceMs = 250.0;
// Cues announce themselves this long before their time.
constexpr double kAnnounceAheadMs = 1500.0;
// A beat pulses at most this many cues.
constexpr int kPulsedCues = 10;

// The look of a cue, handed to model drawing.
constexpr int kCueBuilt = 4;
constexpr int kCueAnnounced = 6;
constexpr int kCueInWindow = 7;
constexpr int kCueMissed = 8;
// The node status of a hit cue: no longer drawn.
constexpr int kCueHitStatus = 5;
// announceState of a slot whose cue has been announced.
constexpr int kAnnounced = -1;

// The time of cue i in ms of music, -1.0 for an index that has none
// (negative, the last loaded cue, or past the end).
using CueTimes = std::function<double(int)>;
// Called for a cue at the moment it is hit or announced.
using CueAction = std::function<void(scenegraph::TransformationNode& cue)>;

// What the judging decided about one cue.
enum class Verdict {
    Hit,      // clicked inside its window
    TooEarly, // clicked before its window: spoilt for good
    Missed,   // left its window unclicked
};

struct Judgement {
    Verdict verdict;
    int cue;         // index into the track's cues
    double offsetMs; // judging clock minus the cue's time: negative is early
};

// Told of every verdict, once per cue.
using JudgementAction = std::function<void(const Judgement& judgement)>;

// The level's cues as judging and announcing see them: plain nodes with
// their draw mode, hit flag and status.
struct CueTrack {
    std::vector<scenegraph::TransformationNode*> cues; // one per loaded cue time, in time order
    int currentCue = 0;                                // oldest cue whose cue event has not fired
    std::array<int, kWindowSlots> announceState{};     // per slot: kAnnounced or not yet
    int hitCount = 0;                                  // cues hit so far

    int cueCount() const { return static_cast<int>(cues.size()); }
};

// How many window slots hold a cue that can be judged: the slots stop before
// the last loaded cue, which has no time, so with no cue at all there are none.
int judgedSlots(const CueTrack& track);

// Cues the game can judge: all but the last loaded one.
int judgeableCues(int cueCount);

// Judges the clicks of the window against the judging clock, a song
// position plus the lookahead, where the song position is moved back by the
// player's latency. A click is judged at clickedAtMs, the song position of
// its press, which came before this frame: inside a cue's window it hits the
// cue (onHit runs, the cue stops being drawn and counts), before it it marks
// the cue missed. A cue left unhit past its window at positionMs, the song
// position now, is marked missed. onJudged hears each of these verdicts once.
void judgeHits(CueTrack& track, double positionMs, double clickedAtMs, const CueTimes& cueTime,
               const CueAction& onHit, const JudgementAction& onJudged);

// The judging clock's song position at a press seen at pressedAtMs (steady
// clock, ms), from judgingMs read at readAtMs: the song runs on at `speed`
// between the two moments either way, and stands still while paused.
double judgingMsAtPress(double judgingMs, double readAtMs, double pressedAtMs, double speed,
                        bool paused);

// Announces the cue of window slot `slot` once it is due, kAnnounceAheadMs
// ahead of its time on the judging clock's song position (as judgeHits takes
// it): it takes the announced look and onAnnounce runs. A slot
// announces once until a cue event moves a new cue into it.
void announceSlot(CueTrack& track, int slot, double positionMs, const CueTimes& cueTime,
                  const CueAction& onAnnounce);

// A cue event: the window moves on by one cue (never past the last one) and
// the slot entering it starts unannounced.
void advanceWindow(CueTrack& track);

// How many cues from currentCue on a beat pulses.
int pulsedCues(const CueTrack& track);

} // namespace game
