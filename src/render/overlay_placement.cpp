#include "render/overlay_placement.h"

#include <glm/gtc/matrix_transform.hpp>

namespace {

// A glyph's box in tenths of the overlay height per unit of size: as wide as
// the layout's advance, as tall as the glyph.
constexpr float kGlyphWidth = 0.05f;
constexpr float kGlyphHeight = 0.1f;

// The box of a one-line text laid out on line 0: the first glyph's box
// starts a quarter glyph in from the left edge, the line hangs from the top.
glm::vec2 boxCentre(int characters, float size) {
    const float width = static_cast<float>(characters) * kGlyphWidth * size;
    return {-0.5f + 0.5f * kGlyphWidth * size + 0.5f * width, 0.5f - 0.5f * kGlyphHeight * size};
}

} // namespace

glm::mat4 placeText(int characters, float size, glm::vec2 at, TextAnchor anchor) {
    glm::vec2 from = boxCentre(characters, size);
    const float halfWidth = 0.5f * static_cast<float>(characters) * kGlyphWidth * size;
    if (anchor == TextAnchor::Left) {
        from.x -= halfWidth;
    } else if (anchor == TextAnchor::Right) {
        from.x += halfWidth;
    }
    return glm::translate(glm::mat4(1.0f), glm::vec3(at - from, 0.0f));
}

glm::mat4 placeBlock(float size, glm::vec2 centre, glm::vec2 extent) {
    const glm::vec2 box(kGlyphWidth * size, kGlyphHeight * size);
    glm::mat4 place = glm::translate(glm::mat4(1.0f), glm::vec3(centre, 0.0f));
    place = glm::scale(place, glm::vec3(extent / box, 1.0f));
    return glm::translate(place, glm::vec3(-boxCentre(1, size), 0.0f));
}

std::optional<glm::vec2> overlayPointOf(const glm::vec3& world, const glm::mat4& view,
                                        const glm::mat4& projection) {
    const glm::vec4 clip = projection * view * glm::vec4(world, 1.0f);
    if (clip.w <= 0.0f) {
        return std::nullopt;
    }
    return 0.5f * glm::vec2(clip) / clip.w;
}
