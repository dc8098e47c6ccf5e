#pragma once

#include <cstdint>
#include <vector>

#include "course_sections.h"
#include "game/course.h"

namespace chart {

// The colours of a song's sections: the song's quietest section cool (blue,
// teal or violet, as the song's seed picks), its loudest hot (orange-red),
// the others between by their loudness, each nudged a little by the seed so
// neighbours that sound alike still differ. The glow grows with loudness.
std::vector<game::CourseSection> paintSections(const std::vector<SongSection>& sections,
                                               std::uint64_t seed);

} // namespace chart
