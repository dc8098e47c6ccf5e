#pragma once

#include <cstddef>
#include <cstdint>

#include "course_sections.h"
#include "course_signals.h"
#include "game/path.h"

namespace chart {

// The camera's pace, as a share of the shipped loop's, from the quietest
// passage to the loudest.
constexpr double kQuietPace = 0.6;
constexpr double kLoudPace = 1.6;
// A course stays this far below the limits it must keep: measured turns
// and bends then leave room for the flight's frame-to-frame rounding.
constexpr double kTurnMarginShare = 0.85;

// The control points (game::kSecondsPerSegment apart, the camera at point 1
// at 0 s) of a course for a song with these signals: `count` points, the
// shape drawn from `seed`.
//
// The spacing of the points is the pace, which follows the loudness of the
// section it is in, moved a little by the passage's own loudness (smoothed
// over a few seconds) around the section's mean, so that a section louder
// than another is flown faster as a whole. The heading climbs while the song
// is quieter than its mean and dives while it is louder, and wanders left and
// right, the more the busier the song is there, always held towards the
// shipped loop's line so that the camera keeps flying forward. The course
// then keeps clear of the shipped scene's things and within what a player can
// follow: a camera turn of at most game::kMaxTurnDegreesPerSecond and no bend
// sharper than the shipped loop's sharpest, both with kTurnMarginShare to
// spare; and every segment is flown, along its curve, at the pace it was
// steered at. Where bending it away, smoothing it and pacing it cannot get
// there, the course flies straight ahead along the shipped loop's line,
// which is clear of everything.
game::PathPoints shapeCourse(const CourseSignals& signals, const std::vector<SongSection>& sections,
                             std::size_t count, std::uint64_t seed);

} // namespace chart
