#include "game/demo_driver.h"

#include "app/window.h"
#include "game/demo_player.h"
#include "game/level.h"
#include "game/path_flight.h"
#include "game/time_controller.h"
#include "model/obj_anim.h"
#include "platform/glfw_compat.h"
#include "platform/sound_clock.h"
#include "scenegraph/camera_node.h"
#include "scenegraph/root_node.h"

#include <algorithm>
#include <cmath>

namespace game {

namespace {

// A cursor closer than this to the window's edge may pick outside the
// picking buffer.
constexpr int kEdgeMargin = 8;
// The cue sphere's radius in world units (its smaller shape).
constexpr float kCueRadius = 1.0f;
// A next frame may come this much later than the last one took.
constexpr double kLateFrameShare = 1.5;
// A pixel up, down, left and right.
constexpr glm::ivec2 kNudges[] = {{0, -1}, {0, 1}, {-1, 0}, {1, 0}};

// The camera node's turn for a cursor offset: 30 degrees at the window's edge.
float lookAngle(float cursor, int centre) {
    return static_cast<float>((cursor - static_cast<float>(centre)) * 30.0 / std::max(centre, 1));
}

struct CamPose {
    glm::mat4 rotX, rotY, rotZ, rotMat, translationMat, localmodelMat, globalModelMat;
};

CamPose savePose(const view::Cam& cam) {
    return {cam.rotX,           cam.rotY,          cam.rotZ,          cam.rotMat,
            cam.translationMat, cam.localmodelMat, cam.globalModelMat};
}

void restorePose(view::Cam& cam, const CamPose& pose) {
    cam.rotX = pose.rotX;
    cam.rotY = pose.rotY;
    cam.rotZ = pose.rotZ;
    cam.rotMat = pose.rotMat;
    cam.translationMat = pose.translationMat;
    cam.localmodelMat = pose.localmodelMat;
    cam.globalModelMat = pose.globalModelMat;
}

std::optional<glm::vec2> toScreen(const glm::vec4& clip, int width, int height) {
    if (clip.w <= 0.0f) {
        return std::nullopt;
    }
    const glm::vec2 ndc = glm::vec2(clip) / clip.w;
    return glm::vec2((ndc.x + 1.0f) * 0.5f * static_cast<float>(width),
                     (1.0f - ndc.y) * 0.5f * static_cast<float>(height));
}

// The view after the camera node's update with the cursor at `cursor`,
// turned as the node would turn it (only a cursor that moved turns it).
glm::mat4 predictView(scenegraph::CameraNode& node, glm::vec2 cursor, bool moved, int width,
                      int height) {
    view::Cam& cam = *node.getCam();
    const CamPose pose = savePose(cam);
    if (moved) {
        cam.mouseLook(lookAngle(cursor.x, width / 2), lookAngle(cursor.y, height / 2));
    }
    cam.updateFromParent(0.0, node.localmodelMat);
    const glm::mat4 view = *cam.viewMatrix();
    restorePose(cam, pose);
    return view;
}

// The cue's centre under `cursor`, near enough: well inside the cue's disc.
bool onCentre(std::optional<glm::vec2> centre, glm::ivec2 cursor, float tolerance) {
    return centre && glm::length(*centre - glm::vec2(cursor)) <= tolerance;
}

// Flies the camera on by aheadMs of music, as the level's flight will fly it:
// frame by frame (of frameMs) where that is several frames, since the
// flight's heading follows each frame's move; the caller puts it back.
void flyAhead(scenegraph::CameraNode& node, const Level& level, double aheadMs,
              double frameMs = 0.0) {
    view::Cam& cam = *node.getCam();
    PathFlight flight{glm::vec3(cam.translationMat[3]), glm::vec3(0.0f)};
    const int frames = frameMs > 0.0 ? std::max(1, static_cast<int>(aheadMs / frameMs)) : 1;
    for (int frame = 1; frame <= frames; ++frame) {
        const double atMs = level.drawnPositionMs() + aheadMs * frame / frames;
        flight.fly(cam, pathPointAt(level.pathPoints, atMs / 1000.0));
    }
    cam.updateFromParent(0.0, node.localmodelMat);
}

// The view the level's flight will give the camera aheadMs on.
glm::mat4 flightViewAhead(scenegraph::CameraNode& node, const Level& level, double aheadMs,
                          double frameMs) {
    view::Cam& cam = *node.getCam();
    const CamPose pose = savePose(cam);
    flyAhead(node, level, aheadMs, frameMs);
    const glm::mat4 view = *cam.viewMatrix();
    restorePose(cam, pose);
    return view;
}

// The view the level's flight will give the camera a frame of frameMs on.
glm::mat4 nextFlightView(scenegraph::CameraNode& node, const Level& level, double frameMs) {
    view::Cam& cam = *node.getCam();
    const CamPose pose = savePose(cam);
    flyAhead(node, level, frameMs);
    const glm::mat4 view = *cam.viewMatrix();
    restorePose(cam, pose);
    return view;
}

bool insideWindow(glm::ivec2 cursor, int width, int height) {
    return cursor.x >= kEdgeMargin && cursor.y >= kEdgeMargin && cursor.x < width - kEdgeMargin &&
           cursor.y < height - kEdgeMargin;
}

glm::ivec2 rounded(glm::vec2 point) {
    return {static_cast<int>(std::lround(point.x)), static_cast<int>(std::lround(point.y))};
}

glm::ivec2 currentCursor() {
    glm::ivec2 cursor(0);
    platform::glfwGetMousePos(&cursor.x, &cursor.y);
    return cursor;
}

glm::vec3 cuePlace(const Level& level, int index) {
    return glm::vec3(level.cues[static_cast<std::size_t>(index)]->globalModelMat[3]);
}

// A cursor that stays where it rests turns nothing, so an answer there
// (where the last click left it, near the same bend) is taken a pixel off:
// that small move turns the camera almost as far, as a player's nudge does.
std::optional<glm::ivec2> moveOnto(scenegraph::CameraNode& node, const glm::vec3& point,
                                   const glm::mat4& projection, int width, int height,
                                   glm::ivec2 cursor) {
    if (landsOnCue(node, point, projection, width, height, cursor)) {
        return cursor;
    }
    if (cursor != glm::ivec2(node.mouseX_old, node.mouseY_old)) {
        return std::nullopt;
    }
    for (glm::ivec2 nudge : kNudges) {
        if (landsOnCue(node, point, projection, width, height, cursor + nudge)) {
            return cursor + nudge;
        }
    }
    return std::nullopt;
}

} // namespace

std::optional<glm::vec2> predictOnScreen(scenegraph::CameraNode& cameraNode, const glm::vec3& point,
                                         const glm::mat4& projection, int width, int height,
                                         glm::ivec2 cursor) {
    const bool moved = cursor.x != cameraNode.mouseX_old || cursor.y != cameraNode.mouseY_old;
    const glm::mat4 view = predictView(cameraNode, glm::vec2(cursor), moved, width, height);
    return toScreen(projection * view * glm::vec4(point, 1.0f), width, height);
}

bool DemoDriver::liesOnCue(const Aim& aim, const glm::vec3& cue, glm::ivec2 resting) {
    return landsOnCue(aim.node, cue, aim.projection, aim.width, aim.height, resting);
}

bool landsOnCue(scenegraph::CameraNode& cameraNode, const glm::vec3& point,
                const glm::mat4& projection, int width, int height, glm::ivec2 cursor) {
    if (!insideWindow(cursor, width, height)) {
        return false;
    }
    const bool moved = cursor.x != cameraNode.mouseX_old || cursor.y != cameraNode.mouseY_old;
    const glm::mat4 view = predictView(cameraNode, glm::vec2(cursor), moved, width, height);
    const glm::vec3 side(glm::inverse(view)[0]);
    std::optional<glm::vec2> centre =
        toScreen(projection * view * glm::vec4(point, 1.0f), width, height);
    std::optional<glm::vec2> rim =
        toScreen(projection * view * glm::vec4(point + side * kCueRadius, 1.0f), width, height);
    // Well inside the cue's disc: half its radius on screen.
    return centre && rim && onCentre(centre, cursor, 0.5f * glm::length(*rim - *centre));
}

std::optional<glm::ivec2> aimThroughTurn(scenegraph::CameraNode& cameraNode, const glm::vec3& point,
                                         const glm::mat4& projection, int width, int height) {
    const glm::vec2 centre(static_cast<float>(width / 2), static_cast<float>(height / 2));
    const CueOnScreen turned = [&](glm::vec2 cursor) -> std::optional<glm::vec2> {
        const glm::mat4 view = predictView(cameraNode, cursor, true, width, height);
        return toScreen(projection * view * glm::vec4(point, 1.0f), width, height);
    };
    // A cursor on the centre line turns nothing about that axis on cameras
    // that skip zero angles, so the flight's own angle stays; worth a try
    // when the free turn cannot reach the cue.
    const CueOnScreen onVertical = [&](glm::vec2 cursor) -> std::optional<glm::vec2> {
        std::optional<glm::vec2> shown = turned(glm::vec2(centre.x, cursor.y));
        return shown ? std::optional<glm::vec2>(glm::vec2(centre.x, shown->y)) : std::nullopt;
    };
    const CueOnScreen onHorizontal = [&](glm::vec2 cursor) -> std::optional<glm::vec2> {
        std::optional<glm::vec2> shown = turned(glm::vec2(cursor.x, centre.y));
        return shown ? std::optional<glm::vec2>(glm::vec2(shown->x, centre.y)) : std::nullopt;
    };
    for (const CueOnScreen* solve : {&turned, &onVertical, &onHorizontal}) {
        if (std::optional<glm::vec2> solved = solveAim(*solve, centre)) {
            if (std::optional<glm::ivec2> cursor =
                    moveOnto(cameraNode, point, projection, width, height, rounded(*solved))) {
                return cursor;
            }
        }
    }
    return std::nullopt;
}

std::optional<glm::ivec2> DemoDriver::step(const Level& level) {
    const unsigned int positionMs = level.getPositionMs();
    const double frameMs = positionMs >= lastPositionMs ? positionMs - lastPositionMs : 0.0;
    lastPositionMs = positionMs;
    scenegraph::RootNode* root = scenegraph::RootNode::getInstance();
    scenegraph::CameraNode* node = root->activeCam;
    if (clickedLastFrame || node == nullptr || node->getCam() == nullptr) {
        clickedLastFrame = false;
        return std::nullopt;
    }
    Window& window = *root->getWindow();
    const Aim aim{*node, window.getProjMat(), window.width, window.height,
                  nextFlightView(*node, level, frameMs)};
    // The player's latency moves the windows; the demo clicks by them.
    const double judgingMs = level.judgingPositionMs();
    if (std::optional<int> due = cueToClick(level.getTrack(), judgingMs, Level::cueTime, frameMs)) {
        const glm::vec3 cue = cuePlace(level, *due);
        const double cueMs = Level::cueTime(*due);
        const double readAtMs = level.getPositionReadAtMs();
        std::optional<glm::ivec2> cursor;
        if (!clicksOnTheBeat) {
            cursor = clickAtOnce(aim, level, cue, judgingMs, cueMs, frameMs);
        } else if (plannedPress && plannedPress->cue == *due && plannedPress->atMs <= readAtMs) {
            const double atMs = plannedPress->atMs;
            plannedPress.reset();
            cursor = beatPressIsDue(atMs, readAtMs, frameMs, level.clockSpeed())
                         ? clickOn(aim, cue, atMs)
                         : clickAtOnce(aim, level, cue, judgingMs, cueMs, 0.0);
        } else if (std::optional<double> beatAtMs = beatBeforeNextFrame(
                       judgingMs, readAtMs, cueMs, kLateFrameShare * frameMs, level.clockSpeed());
                   beatAtMs && (reachableAt(aim, level, cue, frameMs, frameMs) ||
                                showsAt(aim, level, cue, frameMs, frameMs))) {
            // The hand goes down on the beat, between this frame and the
            // next, which sees the press as it would see a player's (the
            // cursor aimed then, or resting on the cue from now on).
            plannedPress = BeatPress{*due, *beatAtMs};
        } else if (clicksOnBeat(judgingMs, cueMs, frameMs)) {
            cursor = clickAtOnce(aim, level, cue, judgingMs, cueMs, 0.0);
        } else if (restingEarlyOn == *due ||
                   leavesReach(aim, level, cue, judgingMs, cueMs, frameMs)) {
            cursor = clickAtOnce(aim, level, cue, judgingMs, cueMs, 0.0);
            earlyClicks += clickedLastFrame ? 1 : 0;
        }
        if (cursor) {
            restingEarlyOn = -1;
            return cursor;
        }
    }
    // A cue the turning camera cannot bring under the cursor is approached in
    // two: the cursor rests on it first, then clicks unmoved. On the beat it
    // rests the frame before its click, unless the flight takes the cue out of
    // the picture after the next frame and neither a rest nor a turn reaches
    // it on the beat: it then rests now and clicks on the next frame.
    std::optional<int> next =
        cueToClick(level.getTrack(), judgingMs, Level::cueTime, 2.0 * frameMs);
    if (!next ||
        aimThroughTurn(aim.node, cuePlace(level, *next), aim.projection, aim.width, aim.height)) {
        return std::nullopt;
    }
    const glm::vec3 cue = cuePlace(level, *next);
    const double cueMs = Level::cueTime(*next);
    if (!clicksOnTheBeat || clicksOnBeat(judgingMs + frameMs, cueMs, frameMs)) {
        return restOn(aim, cue);
    }
    const double untilBeatMs = msUntilBeat(judgingMs, cueMs);
    if (restingEarlyOn == *next || (showsAt(aim, level, cue, frameMs, frameMs) &&
                                    !showsAt(aim, level, cue, 2.0 * frameMs, frameMs) &&
                                    !showsAt(aim, level, cue, untilBeatMs, frameMs) &&
                                    !reachableAt(aim, level, cue, untilBeatMs, frameMs))) {
        restingEarlyOn = *next;
        return restOn(aim, cue);
    }
    return std::nullopt;
}

bool DemoDriver::showsAt(const Aim& aim, const Level& level, const glm::vec3& cue, double aheadMs,
                         double frameMs) {
    const glm::mat4 view = flightViewAhead(aim.node, level, std::max(aheadMs, 0.0), frameMs);
    const std::optional<glm::vec2> shown =
        toScreen(aim.projection * view * glm::vec4(cue, 1.0f), aim.width, aim.height);
    return shown && insideWindow(rounded(*shown), aim.width, aim.height);
}

std::optional<glm::ivec2> DemoDriver::clickAtOnce(const Aim& aim, const Level& level,
                                                  const glm::vec3& cue, double judgingMs,
                                                  double cueMs, double frameMs) {
    const double waitMs = msUntilSafeClick(judgingMs, cueMs);
    if (waitMs <= 0.0) {
        return clickOn(aim, cue);
    }
    // The window opens before the next frame comes. A cue the camera may no
    // longer reach by then (always, without a frame to look ahead) is
    // clicked on this frame's picture, as soon as the window has opened; the
    // wait is in ms of song, which runs slower than the clock in a slowed
    // practice.
    if (std::optional<glm::ivec2> cursor = aimAt(aim, cue);
        cursor && (frameMs <= 0.0 || !reachableAt(aim, level, cue, frameMs, frameMs))) {
        platform::glfwSleep(waitMs / 1000.0 / level.clockSpeed());
        return press(*cursor);
    }
    return std::nullopt;
}

std::optional<glm::ivec2> DemoDriver::aimAt(const Aim& aim, const glm::vec3& cue) {
    const glm::ivec2 resting = currentCursor();
    if (liesOnCue(aim, cue, resting)) {
        return resting;
    }
    return aimThroughTurn(aim.node, cue, aim.projection, aim.width, aim.height);
}

bool DemoDriver::reachableAt(const Aim& aim, const Level& level, const glm::vec3& cue,
                             double aheadMs, double frameMs) {
    view::Cam& cam = *aim.node.getCam();
    const CamPose pose = savePose(cam);
    for (double share : {0.0, kLateFrameShare - 1.0}) {
        flyAhead(aim.node, level, std::max(aheadMs, 0.0) + share * frameMs, frameMs);
        const bool reachable =
            aimThroughTurn(aim.node, cue, aim.projection, aim.width, aim.height).has_value();
        restorePose(cam, pose);
        if (!reachable) {
            return false;
        }
    }
    return true;
}

bool DemoDriver::leavesReach(const Aim& aim, const Level& level, const glm::vec3& cue,
                             double judgingMs, double cueMs, double frameMs) {
    const double untilBeatMs = msUntilBeat(judgingMs, cueMs);
    return aimThroughTurn(aim.node, cue, aim.projection, aim.width, aim.height) &&
           !reachableAt(aim, level, cue, frameMs, frameMs) &&
           !reachableAt(aim, level, cue, untilBeatMs, frameMs);
}

std::optional<glm::ivec2> DemoDriver::clickOn(const Aim& aim, const glm::vec3& cue,
                                              std::optional<double> pressedAtMs) {
    if (std::optional<glm::ivec2> cursor = aimAt(aim, cue)) {
        return press(*cursor, pressedAtMs);
    }
    return restOn(aim, cue);
}

std::optional<glm::ivec2> DemoDriver::press(glm::ivec2 cursor, std::optional<double> pressedAtMs) {
    platform::glfwSetMousePos(cursor.x, cursor.y);
    platform::injectMouseButtonPress(GLFW_MOUSE_BUTTON_LEFT,
                                     pressedAtMs.value_or(platform::sound::steadyNowMs()));
    clickedLastFrame = true;
    return cursor;
}

std::optional<glm::ivec2> DemoDriver::restOn(const Aim& aim, const glm::vec3& cue) {
    std::optional<glm::vec2> unturned =
        toScreen(aim.projection * aim.nextView * glm::vec4(cue, 1.0f), aim.width, aim.height);
    if (!unturned) {
        return std::nullopt;
    }
    const glm::ivec2 cursor = rounded(*unturned);
    if (!insideWindow(cursor, aim.width, aim.height)) {
        return std::nullopt;
    }
    platform::glfwSetMousePos(cursor.x, cursor.y);
    return cursor;
}

} // namespace game
