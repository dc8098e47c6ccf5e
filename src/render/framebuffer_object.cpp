#include "render/framebuffer_object.h"

#include "collection/shader_collection.h"
#include "render/texture_unit.h"

#include <iostream>

namespace {

using collection::UniformSlot;

// A negative factor would ask the GL for negative sizes, so only positive
// multiples of 2 (and 1) are accepted.
bool isValidFactor(int factor) {
    return factor == 1 || (factor > 0 && factor % 2 == 0);
}

void printStatus(GLenum status) {
    switch (status) {
    case GL_FRAMEBUFFER_INCOMPLETE_ATTACHMENT:
        std::cout << "Framebuffer incomplete, incomplete attachment" << std::endl;
        break;
    case GL_FRAMEBUFFER_INCOMPLETE_MISSING_ATTACHMENT:
        std::cout << "Framebuffer incomplete, missing attachment" << std::endl;
        break;
    case 0x8CD9:
        std::cout << "Framebuffer incomplete, attached images must have same dimensions"
                  << std::endl;
        break;
    case 0x8CDA:
        std::cout << "Framebuffer incomplete, attached images must have same format" << std::endl;
        break;
    case GL_FRAMEBUFFER_INCOMPLETE_DRAW_BUFFER:
        std::cout << "Framebuffer incomplete, missing draw buffer" << std::endl;
        break;
    case GL_FRAMEBUFFER_INCOMPLETE_READ_BUFFER:
        std::cout << "Framebuffer incomplete, missing read buffer" << std::endl;
        break;
    case GL_FRAMEBUFFER_UNSUPPORTED:
        std::cout << "Unsupported framebuffer format" << std::endl;
        break;
    default:
        std::cout << "FRAMEBUFFER INCOMPLETE, ERROR CODE: " << status << std::endl;
        break;
    }
}

void setClampToEdge() {
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
}

void setFilters(GLint minFilter, GLint magFilter) {
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, minFilter);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, magFilter);
}

} // namespace

FramebufferObject::FramebufferObject(int width, int height, int factor, bool mipmap,
                                     bool depthTexture)
    : width(width), height(height), mipmap(mipmap), depthTexture(depthTexture) {
    if (!isValidFactor(factor)) {
        std::cout << "Factor cannot be 0 and must be multiple of 2" << std::endl;
        return;
    }
    this->factor = factor;
    const int textureCount = depthTexture ? 2 : 1;
    texture_id = std::make_unique<GLuint[]>(textureCount);
    glGenTextures(textureCount, texture_id.get());
    if (depthTexture) {
        std::cout << "texture_id[col]: " << texture_id[col]
                  << " texture_id[dep]: " << texture_id[dep] << std::endl;
    }
    createColorTexture();
    if (depthTexture) {
        createDepthTexture();
    } else {
        createDepthRenderbuffer();
    }
    attachAndCheck();
}

FramebufferObject::~FramebufferObject() {
    std::cout << "deleting framebuffer object" << std::endl;
    if (!texture_id) {
        return; // an invalid factor made no GL objects
    }
    glDeleteFramebuffers(1, &fboId);
    if (!depthTexture) {
        glDeleteRenderbuffers(1, &depthRenderbuffer);
    }
    glDeleteTextures(depthTexture ? 2 : 1, texture_id.get());
}

GLuint FramebufferObject::colorTexture() const {
    return texture_id ? texture_id[col] : 0;
}

GLuint FramebufferObject::depthTextureId() const {
    return texture_id && depthTexture ? texture_id[dep] : 0;
}

void FramebufferObject::createColorTexture() {
    glBindTexture(GL_TEXTURE_2D, texture_id[col]);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, reducedWidth(), reducedHeight(), 0, GL_RGBA,
                 GL_UNSIGNED_BYTE, nullptr);
    setClampToEdge();
    if (mipmap) {
        setFilters(GL_LINEAR_MIPMAP_LINEAR, GL_NEAREST);
        glGenerateMipmap(GL_TEXTURE_2D);
    } else {
        setFilters(GL_NEAREST, GL_NEAREST);
    }
    glBindTexture(GL_TEXTURE_2D, 0);
}

void FramebufferObject::createDepthTexture() {
    glBindTexture(GL_TEXTURE_2D, texture_id[dep]);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_DEPTH_COMPONENT24, reducedWidth(), reducedHeight(), 0,
                 GL_DEPTH_COMPONENT, GL_UNSIGNED_BYTE, nullptr);
    // Shaders read plain depth values, not comparison results.
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_COMPARE_MODE, 0);
    setFilters(GL_LINEAR, GL_LINEAR);
    setClampToEdge();
    glBindTexture(GL_TEXTURE_2D, 0);
}

void FramebufferObject::createDepthRenderbuffer() {
    glGenRenderbuffers(1, &depthRenderbuffer);
    glBindRenderbuffer(GL_RENDERBUFFER, depthRenderbuffer);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH_COMPONENT, reducedWidth(), reducedHeight());
    glBindRenderbuffer(GL_RENDERBUFFER, 0);
}

void FramebufferObject::attachAndCheck() {
    glGenFramebuffers(1, &fboId);
    glBindFramebuffer(GL_FRAMEBUFFER, fboId);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, texture_id[col], 0);
    if (depthTexture) {
        glFramebufferTexture2D(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_TEXTURE_2D, texture_id[dep],
                               0);
    } else {
        glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER,
                                  depthRenderbuffer);
    }
    const GLenum status = glCheckFramebufferStatus(GL_FRAMEBUFFER);
    complete = status == GL_FRAMEBUFFER_COMPLETE;
    if (!complete) {
        printStatus(status);
    }
    // Whatever renders next must not land in a buffer it did not choose,
    // least of all an incomplete one.
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
}

void FramebufferObject::bindTexture(ShaderProgram* program, int unit) {
    switch (unit) {
    case 0:
        activateTextureUnit(0);
        glBindTexture(GL_TEXTURE_2D, colorTexture());
        if (mipmap) {
            glGenerateMipmap(GL_TEXTURE_2D);
        }
        break;
    case 1:
        activateTextureUnit(1);
        glBindTexture(GL_TEXTURE_2D, depthTextureId());
        break;
    case 2:
        activateTextureUnit(2);
        return;
    default:
        activateTextureUnit(0);
        return;
    }
    setSamplerUniforms(program, unit);
}

void FramebufferObject::bindColourKeepingMipmaps(ShaderProgram* program) {
    activateTextureUnit(0);
    glBindTexture(GL_TEXTURE_2D, colorTexture());
    setSamplerUniforms(program, 0);
}

void FramebufferObject::limitMipmaps(int highest) {
    if (!mipmap || !texture_id) {
        return;
    }
    glBindTexture(GL_TEXTURE_2D, colorTexture());
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, highest);
    glBindTexture(GL_TEXTURE_2D, 0);
}

void FramebufferObject::magnifyLinearly() {
    if (!texture_id) {
        return;
    }
    glBindTexture(GL_TEXTURE_2D, colorTexture());
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glBindTexture(GL_TEXTURE_2D, 0);
}

void FramebufferObject::buildMipmaps() {
    if (!mipmap) {
        return;
    }
    glBindTexture(GL_TEXTURE_2D, colorTexture());
    glGenerateMipmap(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, 0);
}

void FramebufferObject::bindColourOnSecondUnit(ShaderProgram* program) {
    activateTextureUnit(1);
    glBindTexture(GL_TEXTURE_2D, colorTexture());
    setSamplerUniforms(program, 1);
}

void FramebufferObject::setSamplerUniforms(ShaderProgram* program, int unit) const {
    const collection::UniformRow& uniforms =
        collection::ShaderCollection::getInstance()->uniforms(program->getId());
    glUseProgram(program->getProgramId());
    if (uniforms[UniformSlot::windowSize] != -1) {
        glUniform2f(uniforms[UniformSlot::windowSize], static_cast<float>(reducedWidth()),
                    static_cast<float>(reducedHeight()));
    }
    glUniform1i(uniforms[unit == 0 ? UniformSlot::fboTex0 : UniformSlot::fboTex1], unit);
    glUseProgram(0);
}
