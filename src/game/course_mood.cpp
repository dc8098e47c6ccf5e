#include "game/course_mood.h"

#include <algorithm>
#include <cmath>

namespace game {

namespace {

// A section's colours take this long to replace the last section's.
constexpr double kSectionFadeMs = 1500.0;
// A beat brightens the light by this share, gone after about its decay time.
constexpr float kBeatPulse = 0.35f;
constexpr double kBeatDecayMs = 120.0;
// A flare brightens light and glow much more, and for longer.
constexpr float kFlare = 1.2f;
constexpr double kFlareDecayMs = 400.0;

// How much is left of a pulse of the last moment at or before positionMs.
float afterglow(const std::vector<double>& momentsMs, double positionMs, double decayMs) {
    const auto next = std::upper_bound(momentsMs.begin(), momentsMs.end(), positionMs);
    if (next == momentsMs.begin()) {
        return 0.0f;
    }
    return static_cast<float>(std::exp(-(positionMs - *(next - 1)) / decayMs));
}

} // namespace

std::size_t sectionAt(const Course& course, double positionMs) {
    const auto next = std::upper_bound(
        course.sections.begin(), course.sections.end(), positionMs,
        [](double ms, const CourseSection& section) { return ms < section.startMs; });
    return next == course.sections.begin()
               ? 0
               : static_cast<std::size_t>(next - course.sections.begin() - 1);
}

LightMood courseMood(const Course& course, const std::vector<double>& beatsMs, double positionMs) {
    if (course.sections.empty()) {
        return {};
    }
    const std::size_t index = sectionAt(course, positionMs);
    const CourseSection& section = course.sections[index];
    LightMood mood{section.light, section.glow};
    if (index > 0) {
        const float fade = static_cast<float>(
            std::clamp((positionMs - section.startMs) / kSectionFadeMs, 0.0, 1.0));
        const CourseSection& before = course.sections[index - 1];
        mood.light = glm::mix(before.light, section.light, fade);
        mood.glow = glm::mix(before.glow, section.glow, fade);
    }
    const float beat = kBeatPulse * afterglow(beatsMs, positionMs, kBeatDecayMs);
    const float flare = kFlare * afterglow(course.flaresMs, positionMs, kFlareDecayMs);
    mood.light *= 1.0f + beat + flare;
    mood.glow *= 1.0f + 0.5f * beat + flare;
    return mood;
}

} // namespace game
