#include "app/passes/motion_blur_pass.h"

#include "app/frame_values.h"
#include "app/passes/effect_objects.h"
#include "app/passes/effect_plane.h"
#include "app/passes/overlay_pass.h"
#include "app/passes/pass_target.h"
#include "app/shader_setup.h"
#include "app/special_nodes.h"
#include "collection/shader_program.h"
#include "render/texture_unit.h"

#include <glm/gtc/type_ptr.hpp>

#include <array>
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

// The crosshair and the texts sit still on the screen while the world turns
// behind them; blurred with the world's motion they would smear, and their
// light would bleed into the scene around them. So the blur's picture
// carries their coverage in its alpha, which nothing else needs there: alpha
// is cleared to 0 and the overlays are drawn once more, in alpha alone. The
// marks are drawn here rather than kept from the full render because the
// window may have no alpha channel to keep them in.
void markOverlays(const FrameValues& values, SpecialNodes& nodes, const FramebufferObject& sceneFbo,
                  const FrameOverlays* overlays) {
    std::array<GLfloat, 4> clear{};
    glGetFloatv(GL_COLOR_CLEAR_VALUE, clear.data());
    const bool depthTest = glIsEnabled(GL_DEPTH_TEST) == GL_TRUE;
    bindTarget(targetOf(sceneFbo));
    glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_TRUE);
    glClearColor(clear[0], clear[1], clear[2], 0.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glClearColor(clear[0], clear[1], clear[2], clear[3]);
    if (overlays != nullptr) {
        // On top of everything, as in the full render, whatever depth this
        // buffer holds from an earlier frame. Alpha is summed rather than
        // blended with itself: a faint glyph edge that tinted a pixel then
        // still marks it.
        glDisable(GL_DEPTH_TEST);
        glBlendFuncSeparate(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA, GL_ONE, GL_ONE);
        drawOverlays(values, nodes, *overlays);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        if (depthTest) {
            glEnable(GL_DEPTH_TEST);
        }
    }
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    backToScreen(values.width, values.height);
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
                       bool bloomedThisFrame, const FrameOverlays* overlays, std::ostream& out) {
    if (nodes.plane == nullptr || !buffersUsable(effects)) {
        return;
    }
    EffectBuffers& buffers = *effects.buffers;
    MotionBlurState& state = effects.motionBlur;
    ShaderProgram* mblur = programById(MblurProgram);
    if (!bloomedThisFrame) {
        copyScreenInto(*buffers.sceneFbo, values.width, values.height);
    }
    markOverlays(values, nodes, *buffers.sceneFbo, overlays);
    EffectBlend blend(GL_SRC_COLOR, GL_ONE_MINUS_SRC_COLOR);
    state.invProjMat = glm::inverse(values.projection);
    state.invViewMat = glm::inverse(values.view);
    buffers.lightshaftFbo->bindTexture(mblur, 1);
    // The blur reads the picture's level 0 alone.
    buffers.sceneFbo->bindColourKeepingMipmaps(mblur);
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
