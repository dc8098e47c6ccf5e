#include "app/passes/motion_blur_pass.h"

#include "app/frame_values.h"
#include "app/passes/effect_objects.h"
#include "app/passes/effect_plane.h"
#include "app/shader_setup.h"
#include "app/special_nodes.h"
#include "collection/shader_program.h"
#include "render/texture_unit.h"

#include <glm/gtc/type_ptr.hpp>

#include <ostream>

namespace {

void locateUniforms(MotionBlurState& state, const ShaderProgram& program) {
    if (state.located) {
        return;
    }
    state.viewMatOldLocation = program.getUniformLocation("viewMatOld");
    state.invProjMatLocation = program.getUniformLocation("invProjMat");
    state.invViewMatLocation = program.getUniformLocation("invViewMat");
    state.located = true;
}

void uploadMatrices(const MotionBlurState& state, const ShaderProgram& program) {
    glUseProgram(program.getProgramId());
    glUniformMatrix4fv(state.viewMatOldLocation, 1, GL_FALSE, glm::value_ptr(state.viewMatOld));
    glUniformMatrix4fv(state.invProjMatLocation, 1, GL_TRUE, glm::value_ptr(state.invProjMat));
    glUniformMatrix4fv(state.invViewMatLocation, 1, GL_FALSE, glm::value_ptr(state.invViewMat));
    glUseProgram(0);
}

// With BLOOM off the full render went straight to the screen; the blur reads
// the scene frame buffer, so this frame is copied there.
void copyScreenInto(const FramebufferObject& sceneFbo, int width, int height) {
    glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, sceneFbo.getFboId());
    glBlitFramebuffer(0, 0, width, height, 0, 0, sceneFbo.reducedWidth(), sceneFbo.reducedHeight(),
                      GL_COLOR_BUFFER_BIT, GL_NEAREST);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
}

bool buffersUsable(EffectObjects& effects) {
    if (!effects.buffers) {
        return false;
    }
    const EffectBuffers& buffers = *effects.buffers;
    bool& reported = effects.reported.motionBlur;
    return usableForEffect(buffers.sceneFbo.get(), "MOTION BLUR", reported) &&
           usableForEffect(buffers.lightshaftFbo.get(), "MOTION BLUR", reported);
}

} // namespace

void printProjectionMatrix(std::ostream& out, const glm::mat4& projection) {
    out << "projectionMatrix" << std::endl;
    for (int column = 0; column < 4; ++column) {
        const glm::vec4& c = projection[column];
        out << "[" << c[0] << "|" << c[1] << "|" << c[2] << "|" << c[3] << "]" << std::endl;
    }
}

void runMotionBlurPass(const FrameValues& values, EffectObjects& effects, SpecialNodes& nodes,
                       bool bloomedThisFrame, std::ostream& out) {
    if (nodes.plane == nullptr || !buffersUsable(effects)) {
        return;
    }
    EffectBuffers& buffers = *effects.buffers;
    MotionBlurState& state = effects.motionBlur;
    ShaderProgram* mblur = programById(MblurProgram);
    if (!bloomedThisFrame) {
        copyScreenInto(*buffers.sceneFbo, values.width, values.height);
    }
    EffectBlend blend(GL_SRC_COLOR, GL_ONE_MINUS_SRC_COLOR);
    state.invProjMat = glm::inverse(values.projection);
    state.invViewMat = glm::inverse(values.view);
    buffers.lightshaftFbo->bindTexture(mblur, 1);
    buffers.sceneFbo->bindTexture(mblur, 0);
    printProjectionMatrix(out, values.projection);
    locateUniforms(state, *mblur);
    uploadMatrices(state, *mblur);
    drawEffectPlane(values, nodes, mblur);
    unbindEffectTexture();
    // The depth texture is attached to the occlusion pass's target: it must
    // not stay bound where a later draw could sample it.
    activateTextureUnit(1);
    unbindEffectTexture();
    activateTextureUnit(0);
    state.viewMatOld = values.view;
}
