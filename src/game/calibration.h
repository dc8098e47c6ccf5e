#pragma once

#include <array>
#include <optional>
#include <span>

// Finding the player's latency by tapping along with a steady click: plain
// arithmetic on the clock's times, so a simulated tapper can put it to the
// test.

namespace game {

// A click every half second: slow enough to tap each one on purpose, quick
// enough that half a minute holds every tap.
constexpr double kCalibrationBeatMs = 500.0;
// The first taps only settle the player into the rhythm; the next ones count.
constexpr int kSettlingTaps = 8;
constexpr int kCountedTaps = 24;

// A tap's offset from the click nearest to it, -250 (early) to +250 ms
// (late); clicks fall at firstClickMs and every beatMs after it.
double tapOffsetMs(double tapMs, double firstClickMs, double beatMs = kCalibrationBeatMs);

// What the counted taps say: the median of their offsets, which one stray
// tap cannot drag, and their standard deviation, as the end screen reports
// a song's spread.
struct TapEstimate {
    double offsetMs = 0.0;
    double spreadMs = 0.0;
};

// Nothing for no offsets.
std::optional<TapEstimate> estimateLatency(std::span<const double> offsetsMs);

// The taps of one round: the settling ones are let go, the counted ones kept.
class TapCalibration {
public:
    explicit TapCalibration(double firstClickMs) : firstClickMs(firstClickMs) {}

    // A tap at this clock time; taps after the last counted one are ignored.
    void tap(double atMs);
    // Every tap so far, settling ones too.
    int tapCount() const { return taps; }
    bool settling() const { return taps < kSettlingTaps; }
    bool complete() const { return taps >= kSettlingTaps + kCountedTaps; }
    // The counted taps' offsets so far, in tapping order.
    std::span<const double> countedOffsets() const;
    // Once complete.
    std::optional<TapEstimate> estimate() const;

private:
    double firstClickMs;
    std::array<double, kCountedTaps> offsets{};
    int taps = 0;
};

// The second step: a flash shown with each click, moved until the two feel
// together. The offset is how far ahead of its sound the picture has to be
// drawn (visual_offset_ms): a slow screen needs it positive.
class FlashAlignment {
public:
    // One press of Left or Right moves the flash this far.
    static constexpr double kStepMs = 5.0;
    // A flash lasts this long: a frame or two even at a low frame rate.
    static constexpr double kFlashMs = 80.0;

    FlashAlignment(double firstClickMs, double visualOffsetMs)
        : firstClickMs(firstClickMs), offsetMs(visualOffsetMs) {}

    void earlier(); // Left
    void later();   // Right
    double visualOffsetMs() const { return offsetMs; }
    // Whether the flash shows at this clock time.
    bool flashing(double nowMs) const;

private:
    double firstClickMs;
    double offsetMs;
};

} // namespace game
