#include "frames/frame_world.h"

#include "app/frame_passes.h"
#include "app/level_steps.h"
#include "app/loop_steps.h"
#include "app/main_loop.h"
#include "app/settings.h"
#include "app/shader_setup.h"
#include "app/startup.h"
#include "app/window.h"
#include "game/level.h"
#include "game/level_manager.h"
#include "scenegraph/camera_node.h"
#include "scenegraph/root_node.h"
#include "view/cam.h"

#include <iostream>

namespace frames {

namespace {

// Between the moments only the clicks matter, and the picking pass is all
// that sees them.
constexpr RenderFlags kPickingOnly{true,  false, false, false, false,
                                   false, false, false, false, true};

glm::mat4 activeView(scenegraph::RootNode& root) {
    scenegraph::CameraNode* camera = root.activeCam;
    if (camera == nullptr || camera->getCam() == nullptr) {
        return glm::mat4(1.0f);
    }
    return *camera->getCam()->viewMatrix();
}

} // namespace

bool FrameWorld::open() {
    platform::useScriptedInput(&input);
    platform::stopClock(true);
    setDefaultSettings();
    initWindow();
    scenegraph::RootNode* root = scenegraph::RootNode::getInstance();
    Window* window = root->getWindow();
    if (!window->winOpen) {
        return false;
    }
    width = window->width;
    height = window->height;
    input.mouseX = width / 2;
    input.mouseY = height / 2;
    // The timing feedback (F6) is on in the game but off here: the pictures
    // show the world and the overlays the references were made with.
    loop.feedback = false;
    initShaders();
    // The song the run folder's config.cfg names (a chart's), as main plays it.
    level = new Level("level1", game::SongChoice{musicPath, static_cast<unsigned int>(songEndMs)});
    level->init();
    level->sound.holdAt(0);
    util::LevelManager::getInstance()->addLevel(level);
    initSpecialNodes(objects.nodes, *root, loop.currentCamName);
    createFrameObjects(objects, width, height);
    objects.debris.arrays = &level->debris;
    if (demoMode) {
        startDemo(loop, *root);
    }
    loop.demo.clicksOnTheBeat = demoOnTheBeat;
    return true;
}

void FrameWorld::advanceTo(unsigned int target) {
    while (positionMs < target) {
        previousView = activeView(*scenegraph::RootNode::getInstance());
        positionMs += stepMs;
        step();
    }
}

void FrameWorld::step() {
    const double stepSeconds = stepMs / 1000.0;
    platform::glfwSetTime(positionMs / 1000.0);
    level->sound.holdAt(positionMs);
    platform::glfwGetMousePos(&loop.mouseX, &loop.mouseY);
    loop.now = platform::glfwGetTime();
    followLevel(loop, *level, std::cout);
    ageMessage(loop.messageOverlay, stepSeconds);
    if (!loop.paused) {
        updateFrame(loop, stepSeconds);
    }
    // A picking pass whose button is as it was reads nothing: such steps are
    // not drawn at all.
    if (platform::glfwGetMouseButton(GLFW_MOUSE_BUTTON_LEFT) != objects.rememberedButton) {
        const RenderFlags switches = loop.renderFlags;
        loop.renderFlags = kPickingOnly;
        renderFrame(loop, objects, stepSeconds);
        loop.renderFlags = switches;
    }
    // The debris window moves on with every drawn frame of the game; it does
    // here too, so a moment shows the pieces ahead as the game would.
    scenegraph::RootNode& root = *scenegraph::RootNode::getInstance();
    DebrisPass& debris = objects.debris;
    chooseDebrisPieces(*debris.arrays, activeView(root), root.cullingMode, debris.startIndex,
                       debris.choice);
    loop.messageOverlay.presented = true;
    loop.lastTime = loop.now;
}

void FrameWorld::press(int key) {
    CommandContext context{loop, *scenegraph::RootNode::getInstance(), contextGLSwitches(),
                           std::cout};
    input.keys[static_cast<std::size_t>(key)] = 1;
    commands.poll(context);
    input.keys[static_cast<std::size_t>(key)] = 0;
    commands.poll(context);
}

Picture FrameWorld::shoot(const RenderFlags& switches, int key) {
    const RenderFlags kept = loop.renderFlags;
    loop.renderFlags = switches;
    if (key != 0) {
        press(key);
    }
    objects.effects.motionBlur.viewMatOld = previousView;
    renderFrame(loop, objects, stepMs / 1000.0);
    Picture picture = readFramebuffer(width, height);
    if (key != 0) {
        press(key);
    }
    loop.renderFlags = kept;
    return picture;
}

void FrameWorld::close() {
    shutdown(objects);
    platform::useScriptedInput(nullptr);
    platform::stopClock(false);
}

} // namespace frames
