#include "render/effect_buffers.h"

EffectBuffers::EffectBuffers(int width, int height)
    : pickerFbo(std::make_unique<FramebufferObject>(width, height, kPickerFactor, false, false)),
      lightshaftFbo(
          std::make_unique<FramebufferObject>(width, height, kLightshaftFactor, true, true)),
      sceneFbo(std::make_unique<FramebufferObject>(width, height, kSceneFactor, true, false)),
      bloomFboA(std::make_unique<FramebufferObject>(width, height, kBloomFactor, true, false)),
      bloomFboB(std::make_unique<FramebufferObject>(width, height, kBloomFactor, true, false)) {}

EffectBuffers::~EffectBuffers() {
    pickerFbo.reset();
    lightshaftFbo.reset();
    sceneFbo.reset();
    bloomFboA.reset();
    bloomFboB.reset();
}
