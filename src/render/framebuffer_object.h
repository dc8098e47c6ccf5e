#pragma once

#include "platform/gl.h"

#include <memory>

class ShaderProgram;

// An off-screen render target at a fraction of the window's size: a colour
// texture the effect passes sample, and depth either as a texture (for
// passes that read depth) or as a plain render buffer.
class FramebufferObject {
public:
    // Texture indices in texture_id.
    static constexpr int col = 0;
    static constexpr int dep = 1;

    // factor must be 1 or a non-zero multiple of 2; any other value is
    // reported and leaves the object without GL objects (and incomplete).
    FramebufferObject(int width, int height, int factor, bool mipmap, bool depthTexture);
    ~FramebufferObject();
    FramebufferObject(const FramebufferObject&) = delete;
    FramebufferObject& operator=(const FramebufferObject&) = delete;

    // Unit 0: the colour texture (mipmaps rebuilt when it has them) for
    // "fboTex0"; unit 1: the depth texture for "fboTex1"; both also set
    // "windowSize" to the reduced size. Unit 2 only activates its unit; any
    // other unit activates unit 0.
    void bindTexture(ShaderProgram* program, int unit);

    // As bindTexture(program, 0) without building the mipmaps: for a pass
    // that reads only level 0, or that reads a picture again whose mipmaps
    // an earlier bindTexture built and that nothing has drawn into since.
    // Building them costs a pass over the whole picture under software
    // rendering.
    void bindColourKeepingMipmaps(ShaderProgram* program);
    // Levels past highest are never read: mipmap building stops there
    // instead of going down to a single texel, a level at a time.
    void limitMipmaps(int highest);
    // Level 0 read larger than it is (textureLod at level 0) is filtered
    // linearly by the texture unit rather than by nearest texel.
    void magnifyLinearly();
    // Rebuilds the colour texture's mipmaps (when it has them) on the active
    // unit, leaving no 2D texture bound there. Done right after drawing into
    // the buffer rather than when it is read: a software renderer then waits
    // only for that drawing, not for everything queued after it, and the
    // reader binds with bindColourKeepingMipmaps.
    void buildMipmaps();
    // The colour texture on unit 1 for the program's "fboTex1", without
    // building the mipmaps; unit 1 is left active. The size uniform of the
    // program follows the texture bound last.
    void bindColourOnSecondUnit(ShaderProgram* program);

    int getWidth() const { return width; }
    int getHeight() const { return height; }
    int getFactor() const { return factor; }
    GLuint getFboId() const { return fboId; }
    // Size of the attached images.
    int reducedWidth() const { return factor > 0 ? width / factor : 0; }
    int reducedHeight() const { return factor > 0 ? height / factor : 0; }
    // 0 when the object has no such texture.
    GLuint colorTexture() const;
    GLuint depthTextureId() const;
    // Only a complete buffer may be rendered into or read by a pass.
    bool isComplete() const { return complete; }

private:
    void createColorTexture();
    void createDepthTexture();
    void createDepthRenderbuffer();
    void attachAndCheck();
    // Sets "windowSize" (where the program has it) and the sampler of unit.
    void setSamplerUniforms(ShaderProgram* program, int unit) const;

    int width;                            // full width in pixels (the window's at creation)
    int height;                           // full height in pixels
    int factor = 0;                       // the images are width / factor by height / factor
    GLuint fboId = 0;                     // the frame buffer object
    GLuint depthRenderbuffer = 0;         // depth storage when depth is not a texture
    std::unique_ptr<GLuint[]> texture_id; // [col] colour, [dep] depth (only with depthTexture)
    bool mipmap;                          // the colour texture is sampled with mipmaps
    bool depthTexture;                    // depth goes to a texture shaders can read
    bool complete = false;                // the GL accepted the attachments
};
