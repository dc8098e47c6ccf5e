#pragma once

#include "game/cue_judging.h"
#include "game/rota.h"
#include "game/timing_stats.h"

#include <glm/glm.hpp>

#include <array>
#include <optional>
#include <string>

namespace game {

// How a judged click reads at a glance.
enum class ClickLook {
    Early,
    Late,
    Precise, // within kPreciseMs of the moment, either way
};

constexpr double kPreciseMs = 30.0;
// How long, in ms of song, a click's offset and a miss mark stay on screen.
constexpr double kReadoutShownMs = 500.0;
constexpr double kMissMarkShownMs = 600.0;
// The error bar shows this many of the latest judged clicks.
constexpr int kBarTicks = 20;
// Misses can come in bursts; more marks than this at once are not needed.
constexpr int kMissMarks = 4;

ClickLook lookOf(double offsetMs);

// "+12 ms", "-34 ms", "0 ms": the offset in whole milliseconds.
std::string offsetReadout(double offsetMs);

// A judged click: a hit or a click before the window.
struct JudgedClick {
    double offsetMs = 0.0;
    double atMs = 0.0; // song position when it was judged
};

// One tick of the error bar.
struct BarTick {
    float position = 0.0f; // -1 at the window's first moment, 1 at its last
    float opacity = 0.0f;  // the newest is opaque, older ones fade
    ClickLook look = ClickLook::Precise;
};
using BarTicks = std::array<BarTick, kBarTicks>;

// A cue that left its window unhit (or was spoilt), where it was.
struct MissMark {
    glm::vec3 place{0.0f}; // the cue's world position
    double atMs = -1.0e9;  // song position of the miss; long ago until the first
};

// What fades in and out on screen: how visible at this moment, 0 once gone.
float readoutOpacity(double ageMs, double shownMs);

// Everything the player is told about the timing of their clicks, fed with
// the judging's verdicts and read by the drawing and the end screen. Fixed
// size: recording and reading never allocate.
class TimingFeedback {
public:
    // A verdict at song position atMs about the cue at cuePlace.
    void record(const Judgement& judgement, double atMs, const glm::vec3& cuePlace);

    const TimingStats& stats() const { return timing; }
    // The latest judged click while its offset is shown.
    std::optional<JudgedClick> shownClick(double nowMs) const;
    // Fills the error bar's ticks, newest first; returns how many there are.
    int barTicks(BarTicks& ticks) const;
    const std::array<MissMark, kMissMarks>& missMarks() const { return marks.items; }

private:
    TimingStats timing;
    Rota<JudgedClick, kBarTicks> clicks; // the latest judged clicks, in turn
    int clickCount = 0;                  // judged clicks so far
    Rota<MissMark, kMissMarks> marks;    // the latest misses, in turn
};

} // namespace game
