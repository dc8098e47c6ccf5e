#include "app/main_loop.h"

#include "animation/animation_player.h"
#include "app/frame_objects.h"
#include "app/frame_passes.h"
#include "app/key_commands.h"
#include "app/level_steps.h"
#include "app/loop_steps.h"
#include "app/passes/practice_label.h"
#include "app/settings.h"
#include "app/startup.h"
#include "app/window.h"
#include "collection/obj_collection.h"
#include "collection/shader_collection.h"
#include "collection/vbo_collection.h"
#include "game/level.h"
#include "game/level_manager.h"
#include "game/time_controller.h"
#include "platform/glfw_compat.h"
#include "render/light.h"
#include "render/particle_manager.h"
#include "render/text_pass.h"
#include "scenegraph/root_node.h"
#include "util/color_counter.h"

#include <iostream>

namespace {

constexpr int statisticsLine = 0;
constexpr float statisticsSize = 0.3f;

} // namespace

void showStatistics(LoopState& loop, double frameTime) {
    if (loop.statistics.addFrame(frameTime)) {
        platform::glfwSetWindowTitle(loop.statistics.line());
        loop.fpsOverlay.setText(loop.statistics.line(), statisticsLine, statisticsSize);
    }
}

void runGamePass(LoopState& loop, FrameObjects& frameObjects, KeyCommands& commands,
                 CommandContext& context) {
    platform::glfwGetMousePos(&loop.mouseX, &loop.mouseY);
    Window& window = *scenegraph::RootNode::getInstance()->getWindow();
    if (window.updateSize()) {
        resizeFrameObjects(frameObjects, window.width, window.height);
    }
    loop.now = platform::glfwGetTime();
    double elapsed = loop.now - loop.lastTime;
    if (Level* level = util::LevelManager::getInstance()->currentLevel()) {
        followLevel(loop, *level, std::cout);
    }
    ageMessage(loop.messageOverlay, elapsed);
    if (!loop.paused) {
        updateFrame(loop, elapsed);
    } else if (Level* level = util::LevelManager::getInstance()->currentLevel()) {
        level->updatePaused();
    }
    if (std::optional<double> frameTime = frameToDraw(loop, elapsed)) {
        if (!frameObjects.warmedUp) {
            warmUpTowardsLight(loop, frameObjects);
            frameObjects.warmedUp = true;
        }
        renderFrame(loop, frameObjects, elapsed);
        loop.messageOverlay.presented = true;
        if (showfps) {
            showStatistics(loop, *frameTime);
        }
    }
    loop.lastTime = loop.now;
    loop.running = keepRunning(loop.running);
    moveLightWithHeldKeys(loop.lightPosition, elapsed);
    commands.poll(context);
}

void updateFrame(LoopState& loop, double elapsed) {
    if (Level* level = util::LevelManager::getInstance()->currentLevel()) {
        level->update();
        // The demo aims after the level has flown the camera and before the
        // camera's own update turns it towards the moved cursor.
        if (demoMode) {
            if (std::optional<glm::ivec2> cursor = loop.demo.step(*level)) {
                loop.mouseX = cursor->x;
                loop.mouseY = cursor->y;
            }
        }
    }
    Light::getInstance()->update(loop.lightPosition, elapsed);
    scenegraph::RootNode::getInstance()->update(elapsed);
    animation::AnimationPlayer::getInstance()->update(elapsed);
    ParticleManager::getInstance()->update(elapsed);
}

void runMainLoop(LoopState& loop, FrameObjects& frameObjects) {
    KeyCommands commands;
    CommandContext context{loop, *scenegraph::RootNode::getInstance(), contextGLSwitches(),
                           std::cout};
    while (loop.running) {
        runGamePass(loop, frameObjects, commands, context);
    }
}

namespace {

// The level goes first: the particle manager only lists its systems, and
// the recordings and picking colours live as long as the level.
void destroyLevel() {
    ParticleManager::destroyInstance();
    if (Level* level = util::LevelManager::getInstance()->releaseCurrentLevel()) {
        level->destroy();
        delete level;
    }
    util::LevelManager::destroyInstance();
    util::TimeController::destroyInstance();
    util::ColorCounter::destroyInstance();
}

} // namespace

void shutdown(FrameObjects& frameObjects) {
    destroyLevel();
    scenegraph::RootNode* root = scenegraph::RootNode::getInstance();
    root->deleteChildren();
    scenegraph::RootNode::destroyInstance();
    // It only points at nodes, some of them models the VBO collection owns.
    animation::AnimationPlayer::destroyInstance();
    // The collections go once no node draws their models any more; the
    // programs are GL objects and need the context.
    collection::ObjCollection::destroyInstance();
    collection::VBOCollection::destroyInstance();
    collection::ShaderCollection::destroyInstance();
    releaseTextOverlays();
    frameObjects.feedback.release();
    frameObjects.endScreen.release();
    releasePracticeLabel();
    destroyEffectObjects(frameObjects.effects);
    releaseStartupObjects();
    platform::glfwTerminate();
}
