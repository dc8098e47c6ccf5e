#include "render/effect_buffers.h"

EffectBuffers::EffectBuffers(int width, int height)
    : pickerFbo(std::make_unique<FramebufferObject>(width, height, kPickerFactor, false, false)),
      lightshaftFbo(
          std::make_unique<FramebufferObject>(width, height, kLightshaftFactor, true, true)),
      sceneFbo(std::make_unique<FramebufferObject>(width, height, kSceneFactor, true, false)),
      bloomFboA(std::make_unique<FramebufferObject>(width, height, kBloomFactor, true, false)),
      bloomFboB(std::make_unique<FramebufferObject>(width, height, kBloomFactor, true, false)) {
    // The deepest levels the shaders read: the rays' coarsest ("lightshaft"),
    // the bright pass's reading of the scene and the wide blur's of the
    // first bloom buffer ("bloom").
    lightshaftFbo->limitMipmaps(4);
    sceneFbo->limitMipmaps(2);
    bloomFboA->limitMipmaps(2);
    // The bloom composite reads the glow, an eighth of the window's size,
    // through the texture unit's linear filter. The scene, read at its own
    // size, stays nearest: its texels are copied exactly.
    bloomFboB->magnifyLinearly();
}

EffectBuffers::~EffectBuffers() {
    pickerFbo.reset();
    lightshaftFbo.reset();
    sceneFbo.reset();
    bloomFboA.reset();
    bloomFboB.reset();
}
