#include "app/passes/effect_objects.h"

void createEffectObjects(EffectObjects& effects, int width, int height) {
    effects.buffers = std::make_unique<EffectBuffers>(width, height);
    effects.lensFlare = std::make_unique<LensFlare>();
}

void destroyEffectObjects(EffectObjects& effects) {
    effects.buffers.reset();
    effects.lensFlare.reset();
}
