#include "app/passes/light_shaft_pass.h"

#include "app/frame_values.h"
#include "app/passes/debris_pass.h"
#include "app/passes/effect_objects.h"
#include "app/passes/effect_plane.h"
#include "app/passes/pass_target.h"
#include "app/shader_setup.h"
#include "app/special_nodes.h"
#include "collection/shader_program.h"
#include "model/obj.h"

#include <glm/gtc/type_ptr.hpp>

#include <algorithm>

namespace {

// The moon's draw mode that "minimal" paints as the light source.
constexpr int kLightSourceMode = 1;

// How far from the screen's centre, in screen sizes, the "lightshaft"
// program's rays have faded out completely.
constexpr float kRaysFadeEnd = 1.2f;

void locateUniforms(LightShaftLocations& locations, const ShaderProgram& program) {
    if (locations.located) {
        return;
    }
    locations.lightDirection = program.getUniformLocation("lightDirection");
    locations.windowSize = program.getUniformLocation("windowSize");
    locations.located = true;
}

} // namespace

bool raysCanShow(const FrameValues& values, glm::vec3 lightPosition) {
    const glm::vec4 clip = values.projection * values.view * glm::vec4(lightPosition, 1.0f);
    if (clip.w <= 0.0f) {
        return false;
    }
    const glm::vec2 fromCentre = glm::abs(glm::vec2(clip) / clip.w * 0.5f);
    return std::max(fromCentre.x, fromCentre.y) < kRaysFadeEnd;
}

bool runOcclusionPass(const FrameValues& values, EffectObjects& effects, SpecialNodes& nodes,
                      DebrisPass& debris, glm::vec3 lightPosition) {
    if (!effects.buffers) {
        return false;
    }
    FramebufferObject* fbo = effects.buffers->lightshaftFbo.get();
    if (!usableForEffect(fbo, "LIGHTSHAFTS", effects.reported.occlusion)) {
        return false;
    }
    ShaderProgram* minimal = programById(MinimalProgram);
    model::OBJ* moon = nodes.moon;
    bindTarget(targetOf(*fbo));
    clearTarget();
    if (moon != nullptr) {
        moon->setDrawStatus(1);
        moon->setDrawMode(kLightSourceMode);
        moon->setPosition(lightPosition);
        moon->update(0.0);
    }
    drawScene(values, minimal);
    debris.draw(values, minimal);
    if (moon != nullptr) {
        moon->setDrawMode(0);
        moon->setDrawStatus(0);
    }
    backToScreen(values.width, values.height);
    // The rays read coarser levels of the picture.
    fbo->buildMipmaps();
    return true;
}

void runLightShaftPass(const FrameValues& values, EffectObjects& effects, SpecialNodes& nodes,
                       glm::vec3 lightPosition) {
    if (!effects.buffers) {
        return;
    }
    FramebufferObject* fbo = effects.buffers->lightshaftFbo.get();
    if (nodes.plane == nullptr ||
        !usableForEffect(fbo, "LIGHTSHAFTS", effects.reported.occlusion)) {
        return;
    }
    ShaderProgram* lightshaft = programById(LightshaftProgram);
    LightShaftLocations& locations = effects.lightShafts;
    if (nodes.moon != nullptr) {
        nodes.moon->setDrawStatus(0);
    }
    fbo->bindColourKeepingMipmaps(lightshaft);
    locateUniforms(locations, *lightshaft);
    const glm::vec2 windowSize(static_cast<float>(values.width), static_cast<float>(values.height));
    glUseProgram(lightshaft->getProgramId());
    glUniform3fv(locations.lightDirection, 1, glm::value_ptr(lightPosition));
    glUniform2fv(locations.windowSize, 1, glm::value_ptr(windowSize));
    glUseProgram(0);
    if (raysCanShow(values, lightPosition)) {
        EffectBlend blend(GL_SRC_ALPHA, GL_ONE);
        drawEffectPlane(values, nodes, lightshaft);
    }
    unbindEffectTexture();
}
