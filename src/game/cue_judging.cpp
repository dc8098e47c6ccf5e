#include "game/cue_judging.h"

#include "game/time_controller.h"
#include "scenegraph/transformation_node.h"

#include <algorithm>

namespace game {

namespace {

void showInWindow(scenegraph::TransformationNode& cue) {
    if (cue.getDrawMode() < kCueMissed) {
        cue.setDrawMode(kCueInWindow);
    }
}

bool inWindow(double cueTimeMs, double now) {
    return cueTimeMs - kHitToleranceMs <= now && now <= cueTimeMs + kHitToleranceMs;
}

// The judging of one frame: the clocks and what to tell.
struct Judging {
    double now;       // the judging clock at this frame
    double clickedAt; // the judging clock at the press of this frame's clicks
    const CueAction& onHit;
    const JudgementAction& onJudged;
};

void hit(CueTrack& track, int index, double cueTimeMs, const Judging& judging) {
    scenegraph::TransformationNode& cue = *track.cues[static_cast<std::size_t>(index)];
    cue.setHit(false);
    judging.onHit(cue);
    cue.status = kCueHitStatus;
    track.hitCount += 1;
    judging.onJudged({Verdict::Hit, index, judging.clickedAt - cueTimeMs});
}

// Shows the cue's window while it is open and hits the cue if it was
// clicked while it was.
void judgeInWindow(CueTrack& track, int index, double cueTimeMs, const Judging& judging) {
    scenegraph::TransformationNode& cue = *track.cues[static_cast<std::size_t>(index)];
    if (inWindow(cueTimeMs, judging.now)) {
        showInWindow(cue);
    }
    if (cue.isHit() && inWindow(cueTimeMs, judging.clickedAt)) {
        hit(track, index, cueTimeMs, judging);
    }
}

// Whether the cue's window is open now or was at the press.
bool inReach(double cueTimeMs, const Judging& judging) {
    return inWindow(cueTimeMs, judging.now) || inWindow(cueTimeMs, judging.clickedAt);
}

void judgeSlot(CueTrack& track, int index, const CueTimes& cueTime, const Judging& judging) {
    scenegraph::TransformationNode& cue = *track.cues[static_cast<std::size_t>(index)];
    // A hit cue needs no judging, but the cue before it still does: with
    // windows that overlap, a player may hit the later cue first.
    const bool inPlay = cue.getStatus() != kCueHitStatus;
    const double now = judging.now;
    const double t = cueTime(index);
    const double previousTime = cueTime(index - 1);
    scenegraph::TransformationNode* previous =
        index > 0 ? track.cues[static_cast<std::size_t>(index - 1)] : nullptr;
    // A cue is judged over its whole window both before and after its cue
    // event moves it from current to previous: with the player's latency
    // taken off the clock, the event no longer falls near the window's
    // middle. Both windows are looked at, as cues closer than two tolerances
    // apart have windows that overlap, and a click on the previous cue must
    // not be passed over only because the next one's has opened (it would
    // never be judged again).
    if (inPlay && inReach(t, judging)) {
        judgeInWindow(track, index, t, judging);
    }
    if (previous != nullptr && inReach(previousTime, judging)) {
        judgeInWindow(track, index - 1, previousTime, judging);
    }
    if (inPlay && t - kHitToleranceMs > judging.clickedAt && cue.isHit()) {
        cue.setDrawMode(kCueMissed);
        cue.setHit(false);
        judging.onJudged({Verdict::TooEarly, index, judging.clickedAt - t});
    }
    if (previous != nullptr && previousTime + kHitToleranceMs < now && !cue.isHit()) {
        // Hit cues take the missed look too, unseen; only a cue that leaves
        // its window unhit is a miss, and only the first time.
        const bool missed =
            previous->getStatus() != kCueHitStatus && previous->getDrawMode() != kCueMissed;
        previous->setDrawMode(kCueMissed);
        if (missed) {
            judging.onJudged({Verdict::Missed, index - 1, now - previousTime});
        }
    }
}

} // namespace

int judgedSlots(const CueTrack& track) {
    return std::clamp(track.cueCount() - 1 - track.currentCue, 0, kWindowSlots);
}

int judgeableCues(int cueCount) {
    return std::max(cueCount - 1, 0);
}

void judgeHits(CueTrack& track, double positionMs, double clickedAtMs, const CueTimes& cueTime,
               const CueAction& onHit, const JudgementAction& onJudged) {
    const double lookahead = util::TimeController::lookaheadMs;
    const Judging judging{positionMs + lookahead, clickedAtMs + lookahead, onHit, onJudged};
    const int slots = judgedSlots(track);
    for (int slot = 0; slot < slots; ++slot) {
        judgeSlot(track, track.currentCue + slot, cueTime, judging);
    }
    // Once the last judged cue's event has moved the window onto the last
    // loaded cue, which has no slot, that slot is still looked at for the
    // cue before it: the late half of its window counts like every other
    // cue's, and leaving it unhit is a miss.
    if (slots == 0 && track.currentCue > 0 && track.currentCue == track.cueCount() - 1) {
        judgeSlot(track, track.currentCue, cueTime, judging);
    }
}

double judgingMsAtPress(double judgingMs, double readAtMs, double pressedAtMs, double speed,
                        bool paused) {
    return paused ? judgingMs : judgingMs + (pressedAtMs - readAtMs) * speed;
}

void announceSlot(CueTrack& track, int slot, double positionMs, const CueTimes& cueTime,
                  const CueAction& onAnnounce) {
    const int index = track.currentCue + slot;
    int& state = track.announceState[static_cast<std::size_t>(slot)];
    if (state == kAnnounced || !(positionMs + kAnnounceAheadMs > cueTime(index))) {
        return;
    }
    scenegraph::TransformationNode& cue = *track.cues[static_cast<std::size_t>(index)];
    if (cue.getDrawMode() < kCueAnnounced) {
        cue.setDrawMode(kCueAnnounced);
    }
    onAnnounce(cue);
    state = kAnnounced;
}

void advanceWindow(CueTrack& track) {
    std::rotate(track.announceState.begin(), track.announceState.begin() + 1,
                track.announceState.end());
    track.announceState.back() = 0;
    if (track.currentCue + 1 < track.cueCount()) {
        track.currentCue += 1;
    }
}

int pulsedCues(const CueTrack& track) {
    return std::clamp(track.cueCount() - 1 - track.currentCue, 0, kPulsedCues);
}

} // namespace game
