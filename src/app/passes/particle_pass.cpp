#include "app/passes/particle_pass.h"

#include "app/frame_values.h"
#include "app/shader_setup.h"
#include "platform/gl.h"
#include "render/particle_manager.h"

namespace {

void drawParticlePass(const FrameValues& values, int pass) {
    ParticleManager::getInstance()->draw(&values.view, &values.projection,
                                         programById(ParticleProgram), pass, values.filter,
                                         values.mipmap);
}

} // namespace

void drawOpaqueParticles(const FrameValues& values) {
    drawParticlePass(values, 0);
}

void drawGlowingParticles(const FrameValues& values) {
    glDisable(GL_DEPTH_TEST);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    drawParticlePass(values, 1);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_DEPTH_TEST);
}
