#include "course_maker.h"

#include "course_palette.h"
#include "course_sections.h"
#include "course_shape.h"
#include "course_signals.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace chart {

namespace {

// The light flares on onsets this strong among the song's...
constexpr double kFlarePercentile = 0.97;
// ...never two closer than this, and at most one for every kFlareEveryMs.
constexpr double kFlareSpacingMs = 2000.0;
constexpr double kFlareEveryMs = 4000.0;

// FNV-1a over the loudness of every analysis frame: the song's fingerprint.
std::uint64_t songSeed(const OnsetAnalysis& analysis) {
    std::uint64_t hash = 0xcbf29ce484222325ULL;
    for (float level : analysis.loudness) {
        std::uint32_t bits = 0;
        std::memcpy(&bits, &level, sizeof bits);
        for (int byte = 0; byte < 4; ++byte) {
            hash = (hash ^ ((bits >> (8 * byte)) & 0xffU)) * 0x100000001b3ULL;
        }
    }
    return hash;
}

std::vector<double> flares(const OnsetAnalysis& analysis, double endMs) {
    std::vector<Onset> heard;
    for (const Onset& onset : analysis.onsets) {
        if (onset.timeMs >= 0.0 && onset.timeMs < endMs) {
            heard.push_back(onset);
        }
    }
    if (heard.empty()) {
        return {};
    }
    std::sort(heard.begin(), heard.end(), [](const Onset& a, const Onset& b) {
        return a.strength != b.strength ? a.strength > b.strength : a.timeMs < b.timeMs;
    });
    const float strong = heard[static_cast<std::size_t>((1.0 - kFlarePercentile) *
                                                        static_cast<double>(heard.size() - 1))]
                             .strength;
    const auto most = static_cast<std::size_t>(endMs / kFlareEveryMs);
    std::vector<double> chosen;
    for (const Onset& onset : heard) {
        if (onset.strength < strong || chosen.size() >= most) {
            break;
        }
        const bool spaced = std::none_of(chosen.begin(), chosen.end(), [&](double ms) {
            return std::abs(ms - onset.timeMs) < kFlareSpacingMs;
        });
        if (spaced) {
            chosen.push_back(std::round(onset.timeMs));
        }
    }
    std::sort(chosen.begin(), chosen.end());
    return chosen;
}

} // namespace

game::Course makeCourse(const OnsetAnalysis& analysis, double endMs) {
    const std::uint64_t seed = songSeed(analysis);
    const CourseSignals signals = courseSignals(analysis, endMs);
    game::Course course;
    const std::vector<SongSection> sections = findSections(signals, endMs);
    course.points = shapeCourse(signals, sections, game::pathPointsFor(endMs), seed);
    for (std::size_t point = 0; point < course.points.size(); ++point) {
        const double ms = (static_cast<double>(point) - 1.0) * game::kSecondsPerSegment * 1000.0;
        course.loudness.push_back(
            static_cast<float>(signals.meanOver(signals.smoothLoudness, ms, ms)));
    }
    course.sections = paintSections(sections, seed);
    course.flaresMs = flares(analysis, endMs);
    return course;
}

} // namespace chart
