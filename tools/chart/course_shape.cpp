#include "course_shape.h"

#include "course_keep_out.h"
#include "game/flight_measures.h"

#include <algorithm>
#include <cmath>
#include <random>

namespace chart {

namespace {

constexpr double kSegmentMs = game::kSecondsPerSegment * 1000.0;
// The camera starts where the shipped loop starts it, looking ahead.
constexpr glm::dvec3 kStart{0.0, 0.0, -100.0};
// Climbs and dives: at most this steep, reached this far from the song's
// mean loudness, and pulled back towards the loop's height.
constexpr double kSteepestDegrees = 18.0;
constexpr double kClimbSpread = 0.25;
constexpr double kHeightPullDegreesPerUnit = 0.05;
constexpr double kPitchStepDegrees = 8.0;
// Turns: a heading change per segment of up to this much, from sparse to
// busy passages, with the heading and the side drift pulled back.
constexpr double kCalmTurnDegrees = 5.0;
constexpr double kBusyTurnDegrees = 32.0;
constexpr double kBusyClimbDegrees = 6.0;
constexpr double kHeadingKept = 0.75;
constexpr double kSidePullDegreesPerUnit = 0.06;
constexpr double kWidestHeadingDegrees = 40.0;
// How far the pace strays within a section, as a share of how far the
// passage's loudness strays from the section's mean.
constexpr double kPassageShare = 0.35;
// A segment flown within this share of its steered length keeps its pace.
constexpr double kPaceTolerance = 0.01;
// Rounds of bending away, smoothing and pacing before the course flies
// straight.
constexpr int kRounds = 80;
constexpr double kSampleSeconds = 0.25;

// Uniform in [-1, 1) from the engine's own bits: the standard
// distributions may differ between libraries, and a song's course must not.
double signedUnit(std::mt19937_64& random) {
    return static_cast<double>(random() >> 11) * 0x1p-52 - 1.0;
}

glm::dvec3 heading(double yawDegrees, double pitchDegrees) {
    const double yaw = glm::radians(yawDegrees), pitch = glm::radians(pitchDegrees);
    return {std::sin(yaw) * std::cos(pitch), std::sin(pitch), -std::cos(yaw) * std::cos(pitch)};
}

double segmentStartMs(std::size_t point) {
    return (static_cast<double>(point) - 1.0) * kSegmentMs;
}

// The loudness the pace and the climbs follow over one segment: its
// section's, moved by how much louder or quieter than the section's mean the
// passage is. Over a whole section the passages' strays cancel, so a section
// louder than another is flown faster as a whole, however its loudness is
// spread within it.
double segmentLoudness(const CourseSignals& signals, const std::vector<SongSection>& sections,
                       double fromMs) {
    const double local = signals.meanOver(signals.smoothLoudness, fromMs, fromMs + kSegmentMs);
    const double middle = fromMs + kSegmentMs / 2.0;
    const auto section = std::find_if(sections.rbegin(), sections.rend(),
                                      [&](const SongSection& s) { return s.startMs <= middle; });
    if (section == sections.rend()) {
        return local;
    }
    const double sectionMean =
        signals.meanOver(signals.smoothLoudness, section->startMs, section->endMs);
    return std::clamp(section->loudness + kPassageShare * (local - sectionMean), 0.0, 1.0);
}

// The points of the course as steered, and the length each segment is to be
// flown over (index i: from point i to point i + 1).
struct Steered {
    std::vector<glm::dvec3> points;
    std::vector<double> lengths;
};

Steered steer(const CourseSignals& signals, const std::vector<SongSection>& sections,
              std::size_t count, std::uint64_t seed) {
    std::mt19937_64 random(seed);
    const double meanLoudness =
        signals.meanOver(signals.smoothLoudness, 0.0,
                         static_cast<double>(signals.smoothLoudness.size()) * kSignalStepMs);
    const double unitsPerSegment = game::shippedPace() * game::kSecondsPerSegment;
    std::vector<glm::dvec3> points(count);
    std::vector<double> lengths(count, unitsPerSegment * (kQuietPace + kLoudPace) / 2.0);
    points[1] = kStart;
    points[0] = kStart + glm::dvec3(0.0, 0.0, lengths[0]);
    double yaw = 0.0, pitch = 0.0;
    for (std::size_t i = 1; i + 1 < count; ++i) {
        const double loudness =
            segmentLoudness(signals, sections, std::max(0.0, segmentStartMs(i)));
        const double busy = signals.meanOver(signals.busyness, std::max(0.0, segmentStartMs(i)),
                                             std::max(0.0, segmentStartMs(i)) + kSegmentMs);
        const double turn = kCalmTurnDegrees + (kBusyTurnDegrees - kCalmTurnDegrees) * busy;
        const double wantedPitch =
            kSteepestDegrees * std::clamp((meanLoudness - loudness) / kClimbSpread, -1.0, 1.0) -
            kHeightPullDegreesPerUnit * points[i].y + kBusyClimbDegrees * busy * signedUnit(random);
        pitch += std::clamp(wantedPitch - pitch, -kPitchStepDegrees, kPitchStepDegrees);
        pitch = std::clamp(pitch, -kSteepestDegrees - kBusyClimbDegrees,
                           kSteepestDegrees + kBusyClimbDegrees);
        yaw = std::clamp(kHeadingKept * yaw + turn * signedUnit(random) -
                             kSidePullDegreesPerUnit * points[i].x,
                         -kWidestHeadingDegrees, kWidestHeadingDegrees);
        const double pace = kQuietPace + (kLoudPace - kQuietPace) * loudness;
        lengths[i] = pace * unitsPerSegment;
        points[i + 1] = points[i] + heading(yaw, pitch) * lengths[i];
    }
    return {points, lengths};
}

game::PathPoints asPath(const std::vector<glm::dvec3>& points) {
    game::PathPoints path;
    for (const glm::dvec3& point : points) {
        path.emplace_back(glm::vec3(point), 1.0f);
    }
    return path;
}

// Pushes the points of every segment passing through a keep-out away from
// it, sideways to the flight, as far as its deepest sample lies inside; true
// when one did. The start stays where it is.
bool bendAway(std::vector<glm::dvec3>& points) {
    const game::PathPoints path = asPath(points);
    const long segments = static_cast<long>(points.size()) - 3;
    const int samples = static_cast<int>(game::kSecondsPerSegment / kSampleSeconds);
    bool pushed = false;
    for (long segment = 1; segment < segments; ++segment) {
        double deepest = 0.0;
        glm::dvec3 push(0.0);
        for (int sample = 0; sample < samples; ++sample) {
            const double seconds =
                (static_cast<double>(segment) + static_cast<double>(sample) / samples) *
                game::kSecondsPerSegment;
            const glm::dvec3 at(game::pathPointAt(path, seconds));
            const glm::dvec3 forward =
                glm::normalize(glm::dvec3(game::pathPointAt(path, seconds + kSampleSeconds)) - at);
            for (const KeepOut& keepOut : sceneKeepOuts()) {
                const glm::dvec3 away = at - glm::dvec3(keepOut.centre);
                const double depth = keepOut.radius - glm::length(away);
                if (depth <= deepest) {
                    continue;
                }
                glm::dvec3 side = away - forward * glm::dot(away, forward);
                if (glm::length(side) < 1e-6) {
                    side = glm::dvec3(-forward.z, 0.0, forward.x);
                }
                deepest = depth;
                push = glm::normalize(side) * (depth + 2.0);
            }
        }
        if (deepest > 0.0) {
            points[static_cast<std::size_t>(segment) + 1] += push;
            points[static_cast<std::size_t>(segment) + 2] += push;
            pushed = true;
        }
    }
    return pushed;
}

// Eases the bends of every segment that turns or bends too hard: their
// points move halfway towards their neighbours' midpoint, sideways only, so
// the pace stays; true when one did.
bool ease(std::vector<glm::dvec3>& points, double songEndMs) {
    const double fastest = kTurnMarginShare * game::kMaxTurnDegreesPerSecond;
    const double sharpest = kTurnMarginShare * game::shippedSharpestBend();
    const long segments = std::min(static_cast<long>(points.size()) - 3,
                                   static_cast<long>(std::ceil(songEndMs / kSegmentMs)) + 2);
    const std::vector<game::SegmentTurns> turns =
        game::segmentTurns(asPath(points), 0, std::max(segments, 0L));
    std::vector<glm::dvec3> eased = points;
    bool changed = false;
    for (std::size_t segment = 0; segment < turns.size(); ++segment) {
        if (turns[segment].turnDegreesPerSecond <= fastest &&
            turns[segment].curvature <= sharpest) {
            continue;
        }
        for (std::size_t point = std::max<std::size_t>(segment, 2); point <= segment + 3; ++point) {
            if (point + 1 >= points.size()) {
                break;
            }
            const glm::dvec3 middle = (points[point - 1] + points[point + 1]) / 2.0;
            eased[point].x = (points[point].x + middle.x) / 2.0;
            eased[point].y = (points[point].y + middle.y) / 2.0;
        }
        changed = true;
    }
    points = eased;
    return changed;
}

// Sets how far the camera flies over each segment back to what it was
// steered at: the bends, and the pushes away from the scene, lengthen the
// flight through them, and a winding quiet passage would be flown as fast as
// a straight loud one. Each segment keeps its direction; the points after it
// move along. True when every segment was within kPaceTolerance already.
bool keepPace(std::vector<glm::dvec3>& points, const std::vector<double>& lengths,
              double songEndMs) {
    const game::PathPoints path = asPath(points);
    // A segment's curve needs the point after its end: the last has none.
    const std::size_t segments = std::min(
        points.size() - 3, static_cast<std::size_t>(std::ceil(songEndMs / kSegmentMs)) + 1);
    std::vector<glm::dvec3> paced = points;
    bool kept = true;
    for (std::size_t i = 1; i <= segments; ++i) {
        const double seconds = static_cast<double>(i - 1) * game::kSecondsPerSegment;
        const double flown = game::distanceFlown(path, seconds, seconds + game::kSecondsPerSegment);
        const double scale = flown > 0.0 ? lengths[i] / flown : 1.0;
        kept = kept && std::abs(scale - 1.0) <= kPaceTolerance;
        paced[i + 1] = paced[i] + (points[i + 1] - points[i]) * scale;
    }
    for (std::size_t i = segments + 2; i < points.size(); ++i) {
        paced[i] = paced[i - 1] + (points[i] - points[i - 1]);
    }
    points = paced;
    return kept;
}

} // namespace

game::PathPoints shapeCourse(const CourseSignals& signals, const std::vector<SongSection>& sections,
                             std::size_t count, std::uint64_t seed) {
    count = std::max<std::size_t>(count, 4);
    Steered steered = steer(signals, sections, count, seed);
    std::vector<glm::dvec3>& points = steered.points;
    const double songEndMs = static_cast<double>(signals.loudness.size()) * kSignalStepMs;
    const double flownMs = songEndMs + game::kPathPastSongEndMs;
    for (int round = 0; round < kRounds; ++round) {
        const bool pushed = bendAway(points);
        const bool eased = ease(points, flownMs);
        if (!pushed && !eased && keepPace(points, steered.lengths, flownMs)) {
            return asPath(points);
        }
    }
    for (glm::dvec3& point : points) {
        point.x = 0.0;
        point.y = 0.0;
    }
    return asPath(points);
}

} // namespace chart
