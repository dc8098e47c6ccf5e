#include "app/frame_passes.h"

#include "app/frame_objects.h"
#include "app/frame_values.h"
#include "app/loop_state.h"
#include "app/passes/bloom_pass.h"
#include "app/passes/crosshair_pass.h"
#include "app/passes/feedback_pass.h"
#include "app/passes/full_render_pass.h"
#include "app/passes/lens_flare_pass.h"
#include "app/passes/light_shaft_pass.h"
#include "app/passes/motion_blur_pass.h"
#include "app/passes/overlay_pass.h"
#include "app/passes/particle_pass.h"
#include "app/passes/pass_target.h"
#include "app/passes/picking_pass.h"
#include "app/shader_setup.h"
#include "game/level.h"
#include "game/level_manager.h"
#include "model/obj.h"
#include "platform/glfw_compat.h"
#include "render/light.h"
#include "scenegraph/root_node.h"

#include <glm/gtc/matrix_transform.hpp>

#include <cmath>
#include <iostream>
#include <optional>

namespace {

// While the game is paused its update does not run, but the camera and the
// lights still follow the player's input.
void updateViewWhilePaused(const LoopState& loop, double elapsed) {
    scenegraph::RootNode::getInstance()->update(elapsed);
    Light::getInstance()->update(loop.lightPosition, elapsed);
}

const Level* currentLevel() {
    return util::LevelManager::hasInstance() ? util::LevelManager::getInstance()->currentLevel()
                                             : nullptr;
}

FrameOverlays overlaysOf(const FrameValues& values, const LoopState& loop,
                         const FeedbackFrame* feedback, FrameObjects& objects) {
    const Level* level = currentLevel();
    const double practiceSpeed = level != nullptr && level->practice ? level->practice->speed : 0.0;
    return FrameOverlays{values.switches[Crosshair],
                         loop.mouseX,
                         loop.mouseY,
                         &loop.messageOverlay,
                         &loop.fpsOverlay,
                         feedback,
                         loop.endScreen ? &loop.endOfSong : nullptr,
                         loop.feedback,
                         &objects.feedback,
                         &objects.endScreen,
                         practiceSpeed};
}

// The timing feedback of this frame, while F6 has it on.
std::optional<FeedbackFrame> feedbackOf(const FrameValues& values, const LoopState& loop) {
    const Level* level = currentLevel();
    if (!loop.feedback || level == nullptr) {
        return std::nullopt;
    }
    const glm::vec3 crosshair =
        crosshairPlace(loop.mouseX, loop.mouseY, values.width, values.height);
    return FeedbackFrame{&level->getFeedback(), static_cast<double>(level->getPositionMs()),
                         glm::vec2(crosshair)};
}

// Everything the player sees, into whatever target is bound: the lit world,
// then what is drawn over it.
void renderFullScene(const FrameValues& values, const FrameOverlays& overlays,
                     FrameObjects& objects) {
    drawLitWorld(values, objects);
    markPass(objects.timings, "lit world and debris");
    if (values.switches[ParticleSystems]) {
        drawOpaqueParticles(values);
        markPass(objects.timings, "particles, opaque");
    }
    drawOverlays(values, objects.nodes, overlays);
    markPass(objects.timings, "crosshair and text");
    if (values.switches[ParticleSystems]) {
        drawGlowingParticles(values);
        markPass(objects.timings, "particles, glowing");
    }
    if (values.switches[Lensflare]) {
        drawLensFlare(values, objects.effects);
        markPass(objects.timings, "lens flare");
    }
}

// A click is judged at the moment of its press, not at the next frame's
// song position, which would count it a frame or more late.
void notePressToLevel() {
    const std::optional<double> pressedAtMs = platform::leftButtonPressedAtMs();
    Level* level = util::LevelManager::hasInstance()
                       ? util::LevelManager::getInstance()->currentLevel()
                       : nullptr;
    if (pressedAtMs && level != nullptr) {
        level->notePress(*pressedAtMs);
    }
}

} // namespace

void warmUpTowardsLight(const LoopState& loop, FrameObjects& objects) {
    FrameValues values = computeFrameValues(*scenegraph::RootNode::getInstance(), loop.renderFlags);
    const glm::vec3 eye(glm::inverse(values.view)[3]);
    const glm::vec3 towardsLight = loop.lightPosition - eye;
    if (glm::length(towardsLight) <= 0.0f) {
        return;
    }
    const glm::vec3 up = std::abs(glm::normalize(towardsLight).y) > 0.99f
                             ? glm::vec3(0.0f, 0.0f, 1.0f)
                             : glm::vec3(0.0f, 1.0f, 0.0f);
    values.view = glm::lookAt(eye, loop.lightPosition, up);
    runOcclusionPass(values, objects.effects, objects.nodes, objects.debris, loop.lightPosition);
    const bool bloom = values.switches[Bloom] && captureSceneForBloom(objects.effects);
    renderFullScene(values, overlaysOf(values, loop, nullptr, objects), objects);
    if (bloom) {
        runBloomPass(values, objects.effects, objects.nodes);
    }
    if (values.switches[Lightshafts]) {
        runLightShaftPass(values, objects.effects, objects.nodes, loop.lightPosition);
    }
    clearTarget();
}

void renderFrame(const LoopState& loop, FrameObjects& objects, double elapsed,
                 const std::function<void(const FrameValues&)>& drawOnTop) {
    const FrameValues values =
        computeFrameValues(*scenegraph::RootNode::getInstance(), loop.renderFlags);
    if (loop.paused) {
        updateViewWhilePaused(loop, elapsed);
    }
    if (values.switches[Picker]) {
        if (runPickingPass(values, objects, loop.mouseX, loop.mouseY)) {
            notePressToLevel();
        }
        markPass(objects.timings, "picking");
    } else {
        // A click made while nothing picks must not fire once picking is
        // back; a button still held keeps counting as the remembered state says.
        platform::dropReleasedPress(GLFW_MOUSE_BUTTON_LEFT);
    }
    if (objects.nodes.moon != nullptr) {
        objects.nodes.moon->setDrawStatus(0);
    }
    // The occlusion picture is drawn when the rays can show; its depth also
    // feeds the motion blur, which would otherwise read the depth of
    // whenever it was last drawn.
    const bool rays = values.switches[Lightshafts] && raysCanShow(values, loop.lightPosition);
    if (rays || values.switches[MotionBlur]) {
        runOcclusionPass(values, objects.effects, objects.nodes, objects.debris,
                         loop.lightPosition);
        markPass(objects.timings, "occlusion");
    }
    const bool bloom = values.switches[Bloom] && captureSceneForBloom(objects.effects);
    const std::optional<FeedbackFrame> feedback = feedbackOf(values, loop);
    const FrameOverlays overlays =
        overlaysOf(values, loop, feedback ? &*feedback : nullptr, objects);
    if (values.switches[FullRender]) {
        renderFullScene(values, overlays, objects);
    } else if (bloom || values.switches[MotionBlur] || values.switches[Lightshafts]) {
        // Nothing is rendered, but the effects blend over what the target
        // holds: without a clear they would show an old frame or pile up.
        clearTarget();
    }
    if (bloom) {
        runBloomPass(values, objects.effects, objects.nodes);
        markPass(objects.timings, "bloom");
    }
    if (values.switches[MotionBlur]) {
        runMotionBlurPass(values, objects.effects, objects.nodes, bloom,
                          values.switches[FullRender] ? &overlays : nullptr, std::cout);
        markPass(objects.timings, "motion blur");
    }
    if (values.switches[Lightshafts]) {
        runLightShaftPass(values, objects.effects, objects.nodes, loop.lightPosition);
        markPass(objects.timings, "light shafts");
    }
    if (feedback && values.switches[FullRender]) {
        objects.feedback.drawClickReadout(values, *feedback);
    }
    if (drawOnTop) {
        drawOnTop(values);
        markPass(objects.timings, "drawn on top");
    }
    platform::glfwSwapBuffers();
    markPass(objects.timings, "present");
}
