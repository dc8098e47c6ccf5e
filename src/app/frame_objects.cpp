#include "app/frame_objects.h"

#include "render/light.h"

void createFrameObjects(FrameObjects& objects, int width, int height) {
    objects.environmentMap = std::make_unique<collection::EnvironmentMap>("Sprites/cubemap_space3");
    Light::getInstance()->setEnvironmentTexture(objects.environmentMap->getCubeTexture());
    createEffectObjects(objects.effects, width, height);
    const FramebufferObject& picker = *objects.effects.buffers->pickerFbo;
    objects.pickingTarget =
        PassTarget{picker.isComplete() ? picker.getFboId() : 0, width, height, kPickingFactor};
}
