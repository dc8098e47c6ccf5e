#include "app/frame_passes.h"

#include "app/frame_objects.h"
#include "app/frame_values.h"
#include "app/loop_state.h"
#include "app/passes/crosshair_pass.h"
#include "app/passes/full_render_pass.h"
#include "app/passes/picking_pass.h"
#include "model/obj.h"
#include "platform/glfw_compat.h"
#include "render/light.h"
#include "scenegraph/root_node.h"

namespace {

// While the game is paused its update does not run, but the camera and the
// lights still follow the player's input.
void updateViewWhilePaused(const LoopState& loop, double elapsed) {
    scenegraph::RootNode::getInstance()->update(elapsed);
    Light::getInstance()->update(loop.lightPosition, elapsed);
}

// Everything the player sees, into whatever target is bound: the lit world,
// then what is drawn over it.
void renderFullScene(const FrameValues& values, const LoopState& loop, FrameObjects& objects) {
    drawLitWorld(values, objects);
    // Particle systems, pass 0 ("ps"), go here.
    if (values.switches[Crosshair]) {
        drawCrosshair(values, objects.nodes, loop.mouseX, loop.mouseY);
    }
    // The text overlays ("font": messageOverlay, then fpsOverlay) go here.
    // Particle systems, pass 1 (additive, no depth test), go here.
    // The lens flare (LENSFLARE, no depth test) goes here.
}

} // namespace

void renderFrame(const LoopState& loop, FrameObjects& objects, double elapsed) {
    const FrameValues values =
        computeFrameValues(*scenegraph::RootNode::getInstance(), loop.renderFlags);
    if (loop.paused) {
        updateViewWhilePaused(loop, elapsed);
    }
    if (values.switches[Picker]) {
        runPickingPass(values, objects, loop.mouseX, loop.mouseY);
    }
    if (objects.nodes.moon != nullptr) {
        objects.nodes.moon->setDrawStatus(0);
    }
    // The light-shaft occlusion pass (LIGHTSHAFTS) goes here, then with BLOOM
    // the scene frame buffer is bound so the full render lands in it.
    if (values.switches[FullRender]) {
        renderFullScene(values, loop, objects);
    }
    // The bloom composite (BLOOM), the motion blur (MOTION BLUR) and the light
    // shafts (LIGHTSHAFTS) go here, in that order.
    platform::glfwSwapBuffers();
}
