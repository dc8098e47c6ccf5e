#include "course_palette.h"

#include <algorithm>
#include <random>

namespace chart {

namespace {

struct Colours {
    glm::vec3 light;
    glm::vec3 glow;
};

// Tints of the main light (whose own colour is a warm white) and of the
// glow; their brightness is about the shipped level's.
constexpr Colours kCool[] = {
    {{0.70f, 0.85f, 1.25f}, {0.55f, 0.75f, 1.30f}}, // blue
    {{0.65f, 1.10f, 1.05f}, {0.45f, 1.10f, 1.00f}}, // teal
    {{0.95f, 0.70f, 1.25f}, {0.90f, 0.50f, 1.30f}}, // violet
};
constexpr Colours kWarm = {{1.20f, 1.00f, 0.65f}, {1.25f, 0.95f, 0.45f}}; // gold
constexpr Colours kHot = {{1.35f, 0.75f, 0.45f}, {1.50f, 0.55f, 0.30f}};  // orange-red
// Sections whose loudness spans less than this are all taken as middling.
constexpr double kNarrowestSpan = 0.08;
constexpr double kNudge = 0.06;
constexpr float kQuietGlow = 0.75f;
constexpr float kLoudGlow = 1.25f;

Colours mix(const Colours& a, const Colours& b, float share) {
    return {glm::mix(a.light, b.light, share), glm::mix(a.glow, b.glow, share)};
}

} // namespace

std::vector<game::CourseSection> paintSections(const std::vector<SongSection>& sections,
                                               std::uint64_t seed) {
    std::mt19937_64 random(seed ^ 0x9e3779b97f4a7c15ULL);
    const Colours& cool = kCool[random() % std::size(kCool)];
    double quietest = 1.0, loudest = 0.0;
    for (const SongSection& section : sections) {
        quietest = std::min(quietest, section.loudness);
        loudest = std::max(loudest, section.loudness);
    }
    std::vector<game::CourseSection> painted;
    for (const SongSection& section : sections) {
        const double nudge = (static_cast<double>(random() >> 11) * 0x1p-52 - 1.0) * kNudge;
        const double heat =
            loudest - quietest < kNarrowestSpan
                ? 0.5
                : std::clamp((section.loudness - quietest) / (loudest - quietest) + nudge, 0.0,
                             1.0);
        const float share = static_cast<float>(heat);
        const Colours colours =
            share < 0.5f ? mix(cool, kWarm, 2.0f * share) : mix(kWarm, kHot, 2.0f * share - 1.0f);
        const float glow = kQuietGlow + (kLoudGlow - kQuietGlow) * share;
        painted.push_back({section.startMs, colours.light, colours.glow * glow});
    }
    return painted;
}

} // namespace chart
