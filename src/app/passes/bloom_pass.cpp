#include "app/passes/bloom_pass.h"

#include "app/frame_values.h"
#include "app/passes/effect_objects.h"
#include "app/passes/effect_plane.h"
#include "app/passes/pass_target.h"
#include "app/shader_setup.h"
#include "app/special_nodes.h"
#include "collection/shader_collection.h"
#include "model/obj.h"
#include "render/texture_unit.h"

#include <array>

namespace {

// The plane's draw modes that the "bloom" program tells apart.
enum BloomMode { BrightPass, NarrowBlur, WideBlur, Composite, GlowAndScene };

// The composite's blend factors read destination alpha; an opaque screen
// makes them read 1 whether or not the window has an alpha channel, so the
// result is glow plus scene in both cases.
void clearScreenOpaque() {
    std::array<GLfloat, 4> clear{};
    glGetFloatv(GL_COLOR_CLEAR_VALUE, clear.data());
    glClearColor(clear[0], clear[1], clear[2], 1.0f);
    clearTarget();
    glClearColor(clear[0], clear[1], clear[2], clear[3]);
}

// Whether a stage clears its target first, and whether it builds its
// source's mipmaps or finds them built by the stage before, which read the
// same source.
enum class Clear { Yes, No };
enum class SourceMipmaps { Build, Built };

// One stage into a bloom buffer: source texture on unit 0, the plane in mode.
void renderStage(const FrameValues& values, SpecialNodes& nodes, FramebufferObject& target,
                 FramebufferObject& source, BloomMode mode, Clear clear, SourceMipmaps mipmaps) {
    ShaderProgram* bloom = programById(BloomProgram);
    nodes.plane->setDrawMode(mode);
    bindTarget(targetOf(target));
    if (clear == Clear::Yes) {
        clearTarget();
    }
    if (mipmaps == SourceMipmaps::Build) {
        source.bindTexture(bloom, 0);
    } else {
        source.bindColourKeepingMipmaps(bloom);
    }
    drawEffectPlane(values, nodes, bloom);
    unbindEffectTexture();
    backToScreen(values.width, values.height);
}

// The composite reads level 0 alone: building the mipmaps again would be
// wasted.
void drawOntoScreen(const FrameValues& values, SpecialNodes& nodes, FramebufferObject& source) {
    ShaderProgram* bloom = programById(BloomProgram);
    source.bindColourKeepingMipmaps(bloom);
    drawEffectPlane(values, nodes, bloom);
    unbindEffectTexture();
}

// The glow and the scene added in one draw over the whole window, as the
// composite's two blended draws add them; the glow is read last so the
// program's size uniform is the glow's.
void drawGlowAndScene(const FrameValues& values, SpecialNodes& nodes, FramebufferObject& glow,
                      FramebufferObject& scene) {
    ShaderProgram* bloom = collection::ShaderCollection::getInstance()->variant(
        programById(BloomProgram), GlowAndSceneVariant);
    scene.bindColourOnSecondUnit(bloom);
    glow.bindColourKeepingMipmaps(bloom);
    nodes.plane->setDrawMode(GlowAndScene);
    drawEffectPlane(values, nodes, bloom);
    activateTextureUnit(1);
    unbindEffectTexture();
    activateTextureUnit(0);
    unbindEffectTexture();
}

bool bloomBuffersUsable(EffectObjects& effects) {
    if (!effects.buffers) {
        return false;
    }
    const EffectBuffers& buffers = *effects.buffers;
    bool& reported = effects.reported.bloom;
    return usableForEffect(buffers.sceneFbo.get(), "BLOOM", reported) &&
           usableForEffect(buffers.bloomFboA.get(), "BLOOM", reported) &&
           usableForEffect(buffers.bloomFboB.get(), "BLOOM", reported);
}

} // namespace

bool captureSceneForBloom(EffectObjects& effects) {
    if (!bloomBuffersUsable(effects)) {
        return false;
    }
    bindTarget(targetOf(*effects.buffers->sceneFbo));
    return true;
}

void runBloomPass(const FrameValues& values, EffectObjects& effects, SpecialNodes& nodes) {
    if (nodes.plane == nullptr || !bloomBuffersUsable(effects)) {
        return;
    }
    EffectBuffers& buffers = *effects.buffers;
    EffectBlend blend(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    backToScreen(values.width, values.height);
    clearScreenOpaque();
    renderStage(values, nodes, *buffers.bloomFboA, *buffers.sceneFbo, BrightPass, Clear::Yes,
                SourceMipmaps::Build);
    renderStage(values, nodes, *buffers.bloomFboB, *buffers.bloomFboA, NarrowBlur, Clear::Yes,
                SourceMipmaps::Build);
    renderStage(values, nodes, *buffers.bloomFboB, *buffers.bloomFboA, WideBlur, Clear::No,
                SourceMipmaps::Built);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_DST_ALPHA);
    if (glIsEnabled(GL_BLEND) == GL_TRUE) {
        // The glow goes onto the opaque screen as it is, and the scene is
        // added to it: one pass over the window does both. Its output is
        // opaque and the screen's alpha is 1, so the blend would keep the
        // output unchanged; drawn unblended, the screen is not read back.
        glDisable(GL_BLEND);
        drawGlowAndScene(values, nodes, *buffers.bloomFboB, *buffers.sceneFbo);
        glEnable(GL_BLEND);
        return;
    }
    // Unblended, the scene's draw covers the glow's.
    nodes.plane->setDrawMode(Composite);
    drawOntoScreen(values, nodes, *buffers.sceneFbo);
}
