#pragma once

#include "game/path.h"

#include <vector>

namespace game {

// How hard and how fast the flight along a path goes: the limits a player
// can follow, and the pace.
// The camera's turn is measured between frames at kTurnFrameSeconds, the
// way PathFlight turns it (yaw and pitch from the move since the frame
// before); a slower frame rate turns it by the average over its frames,
// never faster. A bend's sharpness is its curvature (1 / radius, per unit).
constexpr double kTurnFrameSeconds = 1.0 / 60.0;
constexpr double kBendSampleSeconds = 0.25;

// A course may turn the camera at most this fast...
constexpr double kMaxTurnDegreesPerSecond = 60.0;

struct SegmentTurns {
    double turnDegreesPerSecond = 0.0; // the fastest camera turn within the segment
    double curvature = 0.0;            // the sharpest bend within the segment
};

// Both measures for each segment from `firstSegment` to before `endSegment`
// (segment k is the flight from k * kSecondsPerSegment on).
std::vector<SegmentTurns> segmentTurns(const PathPoints& points, long firstSegment,
                                       long endSegment);

// The worst of segmentTurns over the segments flown from 0 s to untilMs.
SegmentTurns worstTurns(const PathPoints& points, double untilMs);

// ...and bend no sharper than the shipped loop's sharpest bend on the flight
// of its song.
double shippedSharpestBend();

// Units flown along the path from one moment to another, measured over
// frames of kTurnFrameSeconds.
double distanceFlown(const PathPoints& points, double fromSeconds, double toSeconds);

// The shipped loop's mean speed over its song, units per second: pace 1.
double shippedPace();

} // namespace game
