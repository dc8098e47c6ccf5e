#pragma once

#include "game/demo_player.h"

#include <glm/glm.hpp>

#include <optional>

class Level;

namespace scenegraph {
class CameraNode;
}

namespace game {

// Where the centre of a world point shows on a window of width x height
// (pixels, origin top left) when the active camera's cursor rests at
// `cursor`: the camera's own mouse look and update are run on a copy of its
// pose, so its matrices are left as they were. Nothing behind the eye.
std::optional<glm::vec2> predictOnScreen(scenegraph::CameraNode& cameraNode, const glm::vec3& point,
                                         const glm::mat4& projection, int width, int height,
                                         glm::ivec2 cursor);

// The cursor position (whole pixels) at which a world point lies under the
// cursor once the camera has turned for that cursor having moved there, as
// the camera node's own update turns it; nothing when no such position lies
// well inside the window.
std::optional<glm::ivec2> aimThroughTurn(scenegraph::CameraNode& cameraNode, const glm::vec3& point,
                                         const glm::mat4& projection, int width, int height);

// True when `cursor` lies well inside the point's disc (a cue's) as the
// camera will show it, turned if the cursor moved there.
bool landsOnCue(scenegraph::CameraNode& cameraNode, const glm::vec3& point,
                const glm::mat4& projection, int width, int height, glm::ivec2 cursor);

// The demo mode's player: once per frame, between the level's update and the
// scene's, it picks the cue that is due, puts the real cursor where that cue
// will be once the camera has turned towards it, and presses the left button
// for that frame, so the picking pass and the judging treat it like a click.
// It clicks on the beat: a press is judged at its moment, and the demo's
// hand goes down on the cue's moment, between two frames, seen by the next
// (else on the frame nearest that moment). A cue that would leave the
// camera's reach before then is clicked as soon as its window allows (on the
// last frame before the window, once the window has opened): as a player
// would, the demo waits for the moment it can.
class DemoDriver {
public:
    // Returns the cursor it set, for the loop's own copy of the mouse.
    std::optional<glm::ivec2> step(const Level& level);
    // Clicks made before the beat because the cue was leaving reach.
    int earlyClickCount() const { return earlyClicks; }

    // On the beat (the game), or as soon as each window opens: the frame
    // check's pictures were drawn with the demo playing that way, and they
    // show the world, not the demo's timing.
    bool clicksOnTheBeat = true;

private:
    // What aiming needs of this frame: the camera node and the window.
    struct Aim {
        scenegraph::CameraNode& node;
        glm::mat4 projection;
        int width;
        int height;
        glm::mat4 nextView; // the flight's view one frame on, the cursor left alone
    };

    // Where the cursor must be to click the cue this frame: where it rests if
    // that already covers the cue, else where the cue will be once the moved
    // cursor has turned the camera; nothing when neither works.
    static std::optional<glm::ivec2> aimAt(const Aim& aim, const glm::vec3& cue);
    // Whether the camera can bring the cue under the cursor on a frame
    // aheadMs of music on, even if that frame comes somewhat late.
    static bool reachableAt(const Aim& aim, const Level& level, const glm::vec3& cue,
                            double aheadMs, double frameMs);
    // Whether the turning camera brings the cue under the cursor now but may
    // no longer on the next frame, nor on the frame that would click it on
    // the beat: the cue must be clicked now.
    static bool leavesReach(const Aim& aim, const Level& level, const glm::vec3& cue,
                            double judgingMs, double cueMs, double frameMs);
    // Whether the cue lies in the picture the flight, unturned, will show
    // aheadMs of music on: where a resting cursor could click it.
    static bool showsAt(const Aim& aim, const Level& level, const glm::vec3& cue, double aheadMs,
                        double frameMs);
    // Clicks the cue now, or once its window opens within this frame; with
    // a frame to look ahead, that waiting click only for a cue the camera may
    // lose by the next one. Else rests the cursor on it or does nothing.
    std::optional<glm::ivec2> clickAtOnce(const Aim& aim, const Level& level, const glm::vec3& cue,
                                          double judgingMs, double cueMs, double frameMs);
    // Clicks the cue if it can be aimed at; else only rests the cursor on it
    // for the next frame. The press is made at pressedAtMs (steady clock),
    // or now.
    std::optional<glm::ivec2> clickOn(const Aim& aim, const glm::vec3& cue,
                                      std::optional<double> pressedAtMs = std::nullopt);
    // Puts the cursor there and presses the left button for this frame, the
    // press made at pressedAtMs (steady clock), or now.
    std::optional<glm::ivec2> press(glm::ivec2 cursor,
                                    std::optional<double> pressedAtMs = std::nullopt);
    // Moves the cursor onto the cue as the camera, flying on unturned, will
    // show it next frame.
    std::optional<glm::ivec2> restOn(const Aim& aim, const glm::vec3& cue);
    static bool liesOnCue(const Aim& aim, const glm::vec3& cue, glm::ivec2 resting);

    bool clickedLastFrame = false;         // a click needs the button up for a frame first
    unsigned int lastPositionMs = 0;       // the song position of the previous frame
    int earlyClicks = 0;                   // see earlyClickCount
    int restingEarlyOn = -1;               // the cue the cursor rests on to click before its beat
    std::optional<BeatPress> plannedPress; // the press on the beat before the next frame
};

} // namespace game
