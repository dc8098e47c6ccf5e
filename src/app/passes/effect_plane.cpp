#include "app/passes/effect_plane.h"

#include "app/frame_values.h"
#include "app/special_nodes.h"
#include "model/obj.h"
#include "render/framebuffer_object.h"
#include "scenegraph/node.h"

#include <iostream>

void drawEffectPlane(const FrameValues& values, SpecialNodes& nodes, ShaderProgram* program) {
    if (nodes.plane == nullptr) {
        return;
    }
    scenegraph::Node* universum = findUniversum();
    if (universum != nullptr) {
        universum->setDrawStatus(0);
    }
    nodes.plane->setDrawStatus(1);
    drawScene(values, program);
    nodes.plane->setDrawStatus(0);
    if (universum != nullptr) {
        universum->setDrawStatus(1);
    }
}

void unbindEffectTexture() {
    glBindTexture(GL_TEXTURE_2D, 0);
}

bool usableForEffect(const FramebufferObject* fbo, const char* effect, bool& reported) {
    if (fbo != nullptr && fbo->isComplete()) {
        return true;
    }
    if (!reported) {
        std::cerr << effect << " skipped: its frame buffer is incomplete" << std::endl;
        reported = true;
    }
    return false;
}

EffectBlend::EffectBlend(GLenum source, GLenum destination) {
    glBlendFunc(source, destination);
}

EffectBlend::~EffectBlend() {
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
}
