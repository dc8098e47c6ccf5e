#include "render/lens_flare.h"

#include "collection/shader_collection.h"
#include "model/attribute_binding.h"
#include "render/light.h"
#include "render/sprite_texture.h"
#include "render/texture_unit.h"

#include <glm/gtc/type_ptr.hpp>

#include <cmath>

namespace {

using collection::AttribSlot;
using collection::UniformSlot;

// Beyond this many half-screens off the centre no sprite can reach the screen.
constexpr float kOffScreenLimit = 4.0f;
// Base sprite size handed to the shader with every point.
constexpr float kSpriteSize = 0.25f;

GLuint uploadStatic(const float* data, std::size_t floats) {
    GLuint buffer = 0;
    glGenBuffers(1, &buffer);
    glBindBuffer(GL_ARRAY_BUFFER, buffer);
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(floats * sizeof(float)), data,
                 GL_STATIC_DRAW);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    return buffer;
}

} // namespace

LensFlare::LensFlare() {
    flareTexture = loadSpriteTexture(kSheetPath, false);
    fillPoints();
    positionBuffer = uploadStatic(positions.data(), positions.size());
    paramBuffer = uploadStatic(params.data(), params.size());
}

LensFlare::~LensFlare() {
    glDeleteBuffers(1, &positionBuffer);
    glDeleteBuffers(1, &paramBuffer);
    glDeleteTextures(1, &flareTexture);
}

void LensFlare::fillPoints() {
    for (int i = 0; i < count; ++i) {
        const float offset = static_cast<float>(i - 1);
        positions[3 * i] = offset;
        positions[3 * i + 1] = offset;
        positions[3 * i + 2] = offset;
        params[2 * i] = static_cast<float>(i);
        params[2 * i + 1] = kSpriteSize;
    }
}

bool LensFlare::isNearScreen(const glm::mat4& view, const glm::mat4& projection,
                             const glm::vec3& lightPosition) {
    const glm::vec4 clip = projection * view * glm::vec4(lightPosition, 1.0f);
    return !(std::fabs(clip.x / clip.w) > kOffScreenLimit ||
             std::fabs(clip.y / clip.w) > kOffScreenLimit);
}

void LensFlare::draw(const glm::mat4& view, const glm::mat4& projection, ShaderProgram* program) {
    const Light* lights = Light::getInstance();
    if (lights->count() == 0) {
        return;
    }
    const glm::vec3 lightPosition = lights->get(0).position;
    if (!isNearScreen(view, projection, lightPosition)) {
        return;
    }
    const auto* shaders = collection::ShaderCollection::getInstance();
    const collection::UniformRow& uniforms = shaders->uniforms(program->getId());
    const collection::AttribRow& attribs = shaders->attribs(program->getId());
    glUseProgram(program->getProgramId());
    glUniform1i(uniforms[UniformSlot::tex0], 0);
    activateTextureUnit(0);
    glBindTexture(GL_TEXTURE_2D, flareTexture);
    glUniformMatrix4fv(uniforms[UniformSlot::mvMat], 1, GL_FALSE, glm::value_ptr(view));
    glUniformMatrix4fv(uniforms[UniformSlot::projMat], 1, GL_TRUE, glm::value_ptr(projection));
    glUniform3fv(uniforms[UniformSlot::lightPos], 1, glm::value_ptr(lightPosition));

    model::AttributeBinding binding;
    binding.bind(attribs[AttribSlot::inPosition], positionBuffer, 3);
    binding.bind(attribs[AttribSlot::inParams], paramBuffer, 2);
    glDrawArrays(GL_POINTS, 0, count);

    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glBindTexture(GL_TEXTURE_2D, 0);
    binding.disableAll();
    glUseProgram(0);
}
