#pragma once

#include "platform/gl.h"

struct FrameValues;
struct SpecialNodes;
class FramebufferObject;
class ShaderProgram;

// Draws the scene with the world switched off and only the effect plane on,
// so the effect's program runs once over every pixel of the bound target.
// The plane's draw mode is left as the caller set it.
void drawEffectPlane(const FrameValues& values, SpecialNodes& nodes, ShaderProgram* program);

// Unbinds the 2D texture of the active unit after an effect read it.
void unbindEffectTexture();

// A frame buffer an effect may use. An incomplete one is reported on the
// error stream the first time (reported remembers that) and the effect is
// skipped.
bool usableForEffect(const FramebufferObject* fbo, const char* effect, bool& reported);

// While alive: blending on with the given function and polygons filled,
// whatever transparency (F9) and wireframe (F3) chose for the scene: an
// effect that is added by blending would otherwise replace the picture, or
// cover only the outline of its plane. Afterwards the blend function is the
// default again and blending and the polygon mode are as they were.
class EffectBlend {
public:
    EffectBlend(GLenum source, GLenum destination);
    ~EffectBlend();
    EffectBlend(const EffectBlend&) = delete;
    EffectBlend& operator=(const EffectBlend&) = delete;

private:
    bool blendWasOn;       // GL_BLEND before the effect
    GLint polygonMode = 0; // polygon mode before the effect
};
