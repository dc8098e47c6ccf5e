#include "render/texture_unit.h"

#include "platform/gl.h"

void activateTextureUnit(int unit) {
    const GLenum wanted = static_cast<GLenum>(GL_TEXTURE0 + unit);
    GLint active = 0;
    glGetIntegerv(GL_ACTIVE_TEXTURE, &active);
    if (active != static_cast<GLint>(wanted)) {
        glActiveTexture(wanted);
    }
}
