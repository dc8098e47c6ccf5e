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

// While alive: the effect's blend function. Whether blending happens at all
// and how polygons are filled stay as transparency (F9) and wireframe (F3)
// chose them, for the effects as for the scene. Afterwards the blend function
// is the default again.
class EffectBlend {
public:
    EffectBlend(GLenum source, GLenum destination);
    ~EffectBlend();
    EffectBlend(const EffectBlend&) = delete;
    EffectBlend& operator=(const EffectBlend&) = delete;
};
