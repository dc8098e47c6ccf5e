#pragma once

#include "platform/gl.h"

#include <glm/glm.hpp>

#include <array>

class ShaderProgram;

// Three sprites from the explosion sheet strung along the line from the main
// light through the screen centre, as a camera lens would reflect it.
class LensFlare {
public:
    static constexpr const char* kSheetPath = "Sprites/splosion_part_sheet4.tga";
    static constexpr int kCount = 3;

    // Loads the sprite sheet (a missing sheet is reported and leaves an empty
    // texture, so the flare draws nothing visible) and uploads the points.
    LensFlare();
    ~LensFlare();
    LensFlare(const LensFlare&) = delete;
    LensFlare& operator=(const LensFlare&) = delete;

    // Draws nothing without a light or while the main light projects more
    // than four half-screens off the centre.
    void draw(const glm::mat4& view, const glm::mat4& projection, ShaderProgram* program);

    // Whether draw would draw the flare of a light at lightPosition.
    static bool isNearScreen(const glm::mat4& view, const glm::mat4& projection,
                             const glm::vec3& lightPosition);

    GLuint getFlareTexture() const { return flareTexture; }

private:
    void fillPoints();

    GLuint flareTexture = 0;                   // the sprite sheet, linearly filtered
    GLuint positionBuffer = 0;                 // 3 floats per flare point
    GLuint paramBuffer = 0;                    // 2 floats per point: index, size
    std::array<float, 3 * kCount> positions{}; // CPU copy of positionBuffer
    std::array<float, 2 * kCount> params{};    // CPU copy of paramBuffer
    int count = kCount;                        // flare points drawn
};
