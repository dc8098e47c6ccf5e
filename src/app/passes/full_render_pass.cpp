#include "app/passes/full_render_pass.h"

#include "app/frame_objects.h"
#include "app/frame_values.h"
#include "app/shader_setup.h"
#include "model/obj.h"
#include "render/light.h"

namespace {

void switchOff(model::OBJ* model) {
    if (model != nullptr) {
        model->setDrawStatus(0);
    }
}

// Model drawing leaves other units active, so the cube map is unbound on its
// own unit; otherwise it would stay reflected with the switch off.
void unbindEnvironmentMap() {
    glActiveTexture(GL_TEXTURE1);
    glBindTexture(GL_TEXTURE_CUBE_MAP, 0);
    glActiveTexture(GL_TEXTURE0);
}

} // namespace

void drawLitWorld(const FrameValues& values, FrameObjects& objects) {
    clearTarget();
    ShaderProgram* light = programById(LightProgram);
    switchOff(objects.nodes.moon);
    switchOff(objects.nodes.plane);
    const bool reflect = values.switches[EnvironmentMapping];
    if (reflect) {
        Light::getInstance()->bindEnvironmentMap(light);
    }
    drawScene(values, light);
    objects.debris.draw(values, light);
    if (reflect) {
        unbindEnvironmentMap();
    }
}
