#pragma once

// The windowing calls the game was designed around (the GLFW 2.7 interface),
// offered on top of GLFW 3. Everything that touches the window, the keyboard,
// the mouse or the clock goes through here, so game code stays plain C++ and
// tests can feed input without a window (see useScriptedInput).

#include "platform/gl.h"

#define GLFW_INCLUDE_NONE
#include <GLFW/glfw3.h>

#include <array>
#include <optional>
#include <span>
#include <string>

namespace platform {

// 2.7 names that GLFW 3 dropped or renamed.
constexpr int GLFW_WINDOW = 0x00010001;
constexpr int GLFW_FULLSCREEN = 0x00010002;
constexpr int GLFW_OPENED = 0x00020001;
constexpr int GLFW_OPENGL_VERSION_MAJOR = 0x0002000F;
constexpr int GLFW_OPENGL_VERSION_MINOR = 0x00020010;
constexpr int GLFW_KEY_ESC = GLFW_KEY_ESCAPE;

// Input as the game sees it. Tests and the demo player fill one of these and
// hand it to useScriptedInput; the window is then not consulted.
struct InputState {
    std::array<int, GLFW_KEY_LAST + 1> keys{}; // 1 = down, by GLFW 3 key code
    // Whole presses (down and up again) made since the key was last taken,
    // each counted by takeKeyPresses: taps quicker than a frame.
    std::array<int, GLFW_KEY_LAST + 1> queuedKeyPresses{};
    // keys as takeKeyPresses last saw them: a key that went down since is a
    // press.
    std::array<int, GLFW_KEY_LAST + 1> keysAtLastTake{};
    std::array<int, GLFW_MOUSE_BUTTON_LAST + 1> buttons{};
    // Pressed and released again since the button was last read: the window
    // keeps such a press (sticky buttons) and reports it once.
    std::array<int, GLFW_MOUSE_BUTTON_LAST + 1> latchedButtons{};
    int mouseX = 0;
    int mouseY = 0;
    std::string typedText; // UTF-8 typed since takeTypedText last took it
    double scrolled = 0.0; // wheel steps since takeScroll last took them, up positive
};

// nullptr returns to reading the window.
void useScriptedInput(InputState* state);

int glfwInit();
void glfwTerminate();
void glfwOpenWindowHint(int target, int hint);
// Creates the window and makes its context current. Returns 1 on success.
int glfwOpenWindow(int width, int height, int redBits, int greenBits, int blueBits, int alphaBits,
                   int depthBits, int stencilBits, int mode);
int glfwGetWindowParam(int param);
void glfwSetWindowTitle(const char* title);
// The size the window's picture has now, in pixels; 0 by 0 without a window.
// The window system may change it at any time: the player resizes or
// maximizes the window, or a full screen lacks the asked mode.
void glfwGetWindowSize(int* width, int* height);
// Presents the frame and, as 2.7 did, processes pending window events.
void glfwSwapBuffers();

int glfwGetKey(int key);
// How often the key was pressed since the last call for it. Every press
// counts, several within one frame too, where the key's state shows one: on
// a slow frame a player's quick taps fall into the same frame. A held key's
// repeats are not presses.
int takeKeyPresses(int key);
// Presses and the system's repeats while the key is held, since the last
// call for it: how a list moves on a held arrow or a held Backspace.
int takeKeyStrokes(int key);
// The text typed since the last call, as UTF-8: what the keyboard's layout
// makes of the keys, dead keys and all.
std::string takeTypedText();
// Wheel steps since the last call; up is positive.
double takeScroll();
// Forgets every press, stroke, typed character and wheel step not yet
// taken: a screen that takes over must not act on the keys of the last one
// (a "c" typed in a filter must not switch the camera of the level after).
void forgetPendingInput();

int glfwGetMouseButton(int button);
// Forgets a press of the button that was released before anyone read it; a
// button still held stays down.
void dropReleasedPress(int button);
void glfwGetMousePos(int* x, int* y);
void glfwSetMousePos(int x, int y);
// Holds the button down, on top of the real mouse, until the next
// glfwSwapBuffers: one frame's click for the demo player, its press made at
// pressedAtMs (steady clock, ms; see sound::steadyNowMs), which may lie
// between the last frame and this one, as a player's press does.
void injectMouseButtonPress(int button, double pressedAtMs);
// When the left button last went down (steady clock, ms), pressed or
// injected: a press is seen in the window events, so its time is that of the
// poll that saw it. Nothing before the first press and for presses a test
// scripts.
std::optional<double> leftButtonPressedAtMs();

// Handles pending window events now, without presenting a frame: a loop
// that times the player's taps polls between frames.
void pollEvents();
// The moments (steady clock, ms; see sound::steadyNowMs) the left button or
// Space went down since the last call, oldest first, handled in the window
// events: a tap's time is that of the poll that saw it. Up to kTapCapacity
// wait; more are dropped.
constexpr std::size_t kTapCapacity = 64;
std::size_t takeTaps(std::span<double> times);

double glfwGetTime();
void glfwSetTime(double seconds);
// While stopped, the clock reads what glfwSetTime last set and does not run:
// frames drawn at a set moment then look the same however long they take.
void stopClock(bool stopped);
// Blocks the calling thread; nothing for zero or less.
void glfwSleep(double seconds);

} // namespace platform
