#include "app/passes/pass_target.h"

#include "render/framebuffer_object.h"

PassTarget targetOf(const FramebufferObject& fbo) {
    return PassTarget{fbo.getFboId(), fbo.getWidth(), fbo.getHeight(), fbo.getFactor()};
}

void bindTarget(const PassTarget& target) {
    glViewport(0, 0, target.drawWidth(), target.drawHeight());
    glBindFramebuffer(GL_FRAMEBUFFER, target.fboId);
}

void backToScreen(int width, int height) {
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glViewport(0, 0, width, height);
}

void clearTarget() {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}
