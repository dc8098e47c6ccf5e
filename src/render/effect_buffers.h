#pragma once

#include "render/framebuffer_object.h"

#include <memory>

// The five off-screen targets of the frame passes, all sized from the window
// at start-up: picking at a quarter, the light-shaft occlusion at half with
// readable depth (which the motion blur reads too), the captured scene at
// full size, and two eighth-size bloom stages.
class EffectBuffers {
public:
    static constexpr int kPickerFactor = 4;
    static constexpr int kLightshaftFactor = 2;
    static constexpr int kSceneFactor = 1;
    static constexpr int kBloomFactor = 8;

    // Creates them in the order picker, lightshaft, scene, bloom A, bloom B.
    EffectBuffers(int width, int height);
    // Destroys them in the order they were created.
    ~EffectBuffers();
    EffectBuffers(const EffectBuffers&) = delete;
    EffectBuffers& operator=(const EffectBuffers&) = delete;

    std::unique_ptr<FramebufferObject> pickerFbo;     // colour picking
    std::unique_ptr<FramebufferObject> lightshaftFbo; // occlusion picture and its depth
    std::unique_ptr<FramebufferObject> sceneFbo;      // the full render while BLOOM is on
    std::unique_ptr<FramebufferObject> bloomFboA;     // bright pass
    std::unique_ptr<FramebufferObject> bloomFboB;     // blurred glow
};
