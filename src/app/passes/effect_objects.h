#pragma once

#include "platform/gl.h"
#include "render/effect_buffers.h"
#include "render/lens_flare.h"

#include <glm/glm.hpp>

#include <memory>

// What the motion blur carries from one blurred frame to the next.
struct MotionBlurState {
    glm::mat4 viewMatOld = glm::mat4(1.0f); // the view of the previous blurred frame
    glm::mat4 invProjMat = glm::mat4(1.0f); // this frame's, kept with the others
    glm::mat4 invViewMat = glm::mat4(1.0f);
    bool located = false; // the three locations below have been looked up
    GLint viewMatOldLocation = -1;
    GLint invProjMatLocation = -1;
    GLint invViewMatLocation = -1;
};

// The light-shaft uniforms that are set by name, looked up once.
struct LightShaftLocations {
    bool located = false;
    GLint lightDirection = -1;
    GLint windowSize = -1;
};

// The effects whose frame buffer turned out incomplete; each is reported
// the first time it is skipped.
struct SkippedEffects {
    bool occlusion = false;
    bool bloom = false;
    bool motionBlur = false;
};

// Everything the screen-space effects keep from start-up to shutdown.
struct EffectObjects {
    std::unique_ptr<EffectBuffers> buffers; // the five off-screen targets
    std::unique_ptr<LensFlare> lensFlare;
    MotionBlurState motionBlur;
    LightShaftLocations lightShafts;
    SkippedEffects reported;
};

// Creates the five frame buffers for a window of the given size, then the
// lens flare.
void createEffectObjects(EffectObjects& effects, int width, int height);

// Destroys the frame buffers in the order they were made, then the lens
// flare. Needs the GL context.
void destroyEffectObjects(EffectObjects& effects);
