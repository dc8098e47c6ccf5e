#include "app/passes/lens_flare_pass.h"

#include "app/frame_values.h"
#include "app/passes/effect_objects.h"
#include "app/shader_setup.h"

void drawLensFlare(const FrameValues& values, EffectObjects& effects) {
    if (effects.lensFlare == nullptr) {
        return;
    }
    glDisable(GL_DEPTH_TEST);
    effects.lensFlare->draw(values.view, values.projection, programById(LensflareProgram));
    glEnable(GL_DEPTH_TEST);
}
