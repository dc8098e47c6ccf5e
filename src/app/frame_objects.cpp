#include "app/frame_objects.h"

#include "render/light.h"
#include "render/text_pass.h"

namespace {

// The picking frame buffer, or the window's back buffer should that buffer
// be incomplete.
void choosePickingTarget(FrameObjects& objects, int width, int height) {
    const FramebufferObject& picker = *objects.effects.buffers->pickerFbo;
    objects.pickingTarget =
        PassTarget{picker.isComplete() ? picker.getFboId() : 0, width, height, kPickingFactor};
}

} // namespace

void createFrameObjects(FrameObjects& objects, int width, int height) {
    objects.environmentMap = std::make_unique<collection::EnvironmentMap>("Sprites/cubemap_space3");
    Light::getInstance()->setEnvironmentTexture(objects.environmentMap->getCubeTexture());
    createEffectObjects(objects.effects, width, height);
    choosePickingTarget(objects, width, height);
    createTextOverlays();
}

void resizeFrameObjects(FrameObjects& objects, int width, int height) {
    // The old buffers go first: at full size they are the larger part of
    // what the effects hold in video memory.
    objects.effects.buffers.reset();
    objects.effects.buffers = std::make_unique<EffectBuffers>(width, height);
    choosePickingTarget(objects, width, height);
}
