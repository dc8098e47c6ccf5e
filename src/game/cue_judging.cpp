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

void hit(CueTrack& track, scenegraph::TransformationNode& cue, const CueAction& onHit) {
    cue.setHit(false);
    onHit(cue);
    cue.status = kCueHitStatus;
    track.hitCount += 1;
}

void judgeSlot(CueTrack& track, int index, double now, const CueTimes& cueTime,
               const CueAction& onHit) {
    scenegraph::TransformationNode& cue = *track.cues[static_cast<std::size_t>(index)];
    // A hit cue needs no judging, but the cue before it still does: with
    // windows that overlap, a player may hit the later cue first.
    const bool inPlay = cue.getStatus() != kCueHitStatus;
    const double t = cueTime(index);
    const double previousTime = cueTime(index - 1);
    scenegraph::TransformationNode* previous =
        index > 0 ? track.cues[static_cast<std::size_t>(index - 1)] : nullptr;
    if (inPlay && t - kHitToleranceMs <= now && now <= t + kWindowOverlapMs) {
        showInWindow(cue);
        if (cue.isHit()) {
            hit(track, cue, onHit);
        }
    }
    // Both windows are looked at: cues closer than two tolerances apart have
    // windows that overlap, and a click on the previous cue inside its own
    // window must not be passed over only because the next one's has opened
    // (it would never be judged again).
    if (previous != nullptr && previousTime - kWindowOverlapMs <= now &&
        now <= previousTime + kHitToleranceMs) {
        showInWindow(*previous);
        if (previous->isHit()) {
            hit(track, *previous, onHit);
        }
    }
    if (inPlay && t - kHitToleranceMs > now && cue.isHit()) {
        cue.setDrawMode(kCueMissed);
        cue.setHit(false);
    }
    if (previous != nullptr && previousTime + kHitToleranceMs < now && !cue.isHit()) {
        previous->setDrawMode(kCueMissed);
    }
}

} // namespace

int judgedSlots(const CueTrack& track) {
    return std::clamp(track.cueCount() - 1 - track.currentCue, 0, kWindowSlots);
}

int judgeableCues(int cueCount) {
    return std::max(cueCount - 1, 0);
}

void judgeHits(CueTrack& track, double positionMs, const CueTimes& cueTime,
               const CueAction& onHit) {
    const double now = positionMs + util::TimeController::lookaheadMs;
    const int slots = judgedSlots(track);
    for (int slot = 0; slot < slots; ++slot) {
        judgeSlot(track, track.currentCue + slot, now, cueTime, onHit);
    }
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
