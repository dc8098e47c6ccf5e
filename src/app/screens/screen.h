#pragma once

#include <functional>
#include <span>

// One screen is active at a time: it reads the input, updates, draws, and
// names the screen that follows.

// The screens there are to name.
enum class ScreenName {
    Stay,        // the active screen goes on
    Quit,        // the game ends
    Library,     // the song library
    Calibration, // tap along to find the player's latency
    Level,       // a level played
};

// What the player did since the last pass.
struct ScreenInput {
    // Presses of the left button and of Space, on the steady clock
    // (platform::sound::steadyNowMs), oldest first.
    std::span<const double> tapsMs;
    // How often a key (GLFW code) was pressed.
    std::function<int(int key)> presses;
};

// The window drawn into; overlay space is -0.5..0.5 across it either way.
struct ScreenCanvas {
    int width = 0;
    int height = 0;
};

class Screen {
public:
    virtual ~Screen() = default;
    virtual void input(const ScreenInput& input) = 0;
    virtual void update() = 0;
    // Whether the picture changed since it was last drawn: a still screen is
    // not drawn again, which leaves the machine to the player's input.
    virtual bool changed() const { return true; }
    // Draws the whole window; needs the GL context.
    virtual void draw(const ScreenCanvas& canvas) = 0;
    virtual ScreenName next() const = 0;
};
