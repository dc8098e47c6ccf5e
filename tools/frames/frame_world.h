#pragma once

#include "app/frame_objects.h"
#include "app/key_commands.h"
#include "app/loop_state.h"
#include "frames/picture.h"
#include "platform/glfw_compat.h"

class Level;

namespace frames {

// The game as main starts it, in the current folder, but driven by a set
// clock instead of the song: every step moves the song position on by a
// fixed time, runs the game's update with the demo playing and draws the
// picking pass (the demo's clicks land through it). At a chosen moment,
// shots draw whole frames under other switches from the same state.
class FrameWorld {
public:
    static constexpr unsigned int kStepMs = 100;

    // Steps of stepMs; the demo clicks on the beat or, as the references
    // were drawn, as soon as each window opens.
    explicit FrameWorld(unsigned int stepMs = kStepMs, bool demoOnTheBeat = false)
        : stepMs(stepMs), demoOnTheBeat(demoOnTheBeat) {}

    // False when no window could be had.
    bool open();
    // Steps until the song position reaches positionMs (a multiple of the step).
    void advanceTo(unsigned int positionMs);
    // Draws and presents one frame of the current moment under the switches,
    // after pressing the key (0 for none) as a player would; presses it
    // again afterwards. Motion blur blurs the last step's motion.
    Picture shoot(const RenderFlags& switches, int key);
    // Shuts the game down as main does.
    void close();

private:
    void step();
    void press(int key);

    platform::InputState input;
    LoopState loop;
    FrameObjects objects;
    KeyCommands commands;
    Level* level = nullptr;
    unsigned int stepMs;
    bool demoOnTheBeat;
    unsigned int positionMs = 0;
    glm::mat4 previousView{1.0f}; // the camera's view one step before this moment
    int width = 0;
    int height = 0;
};

} // namespace frames
