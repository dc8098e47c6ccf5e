#pragma once

#include <string>
#include <vector>

// Practising a passage: the level loops a stretch of the song, with a run-in
// before it, at a speed the player chooses.

namespace game {

// The loop starts this long before the passage, so the player finds the beat.
constexpr double kPracticeRunInMs = 2000.0;
// ... and goes on this long after it, so the last cue's window closes (a
// quarter second after its moment) before the loop starts again.
constexpr double kPracticeRunOutMs = 400.0;
// The speeds the player may choose, and one step of the - and + keys.
constexpr double kSlowestSpeed = 0.5;
constexpr double kFastestSpeed = 1.0;
constexpr double kSpeedStep = 0.05;

// The passage, in ms of the song, and the speed it plays at.
struct PracticeRange {
    double fromMs = 0.0;
    double toMs = 0.0;
    double speed = 1.0;

    // Where the song's loop starts and ends again.
    double loopStartMs() const;
    double loopEndMs() const;
    // Whether the cue heard at this song moment is practised: those in the
    // run-in and after the passage are not shown or judged.
    bool practises(double songMs) const;
};

// A passage the library offers to practise: this long, at this speed.
constexpr double kOfferedPassageMs = 12000.0;
constexpr double kOfferedSpeed = 0.75;

// The kOfferedPassageMs of the song that hold the most of `missesMs` (the
// moments of the cues the player missed, in any order), starting at the
// earliest such miss; without a miss, the one from `fallbackMs` (the song's
// loudest stretch, say). Both kept inside the song's `lengthMs`.
PracticeRange offeredPassage(std::vector<double> missesMs, double fallbackMs, double lengthMs);

// The speed `steps` steps of kSpeedStep away, on the steps' grid and
// within kSlowestSpeed to kFastestSpeed.
double steppedSpeed(double speed, int steps);

// "0.75", "0.5", "1": the speed as the screen and the log show it.
std::string speedText(double speed);

} // namespace game
