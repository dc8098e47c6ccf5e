#include "platform/glfw_compat.h"

#include "platform/sound_clock.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <iostream>
#include <limits>
#include <thread>
#include <utility>

namespace platform {
namespace {

struct Hints {
    int major = 1;
    int minor = 0;
    bool forwardCompatible = false;
};

GLFWwindow* window = nullptr;
bool initialised = false;
Hints hints;
InputState* scripted = nullptr;

// Presses of each key since it was last taken, counted as the window
// reports them; strokes count the held key's repeats too.
std::array<int, GLFW_KEY_LAST + 1> windowKeyPresses{};
std::array<int, GLFW_KEY_LAST + 1> windowKeyStrokes{};
std::string windowTypedText;
double windowScrolled = 0.0;

// Buttons the demo holds down until the frame is presented.
std::array<bool, GLFW_MOUSE_BUTTON_LAST + 1> injectedButtons{};

// Our own clock, so time runs in tests that never open a window.
using Clock = std::chrono::steady_clock;
Clock::time_point clockBase = Clock::now();
bool clockStopped = false;
double stoppedAt = 0.0; // what a stopped clock reads

void applyContextHints() {
    glfwDefaultWindowHints();
    glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, hints.major);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, hints.minor);
    // GLFW 3 refuses a forward-compatible request below 3.0, which is what the
    // defaults (2.1) ask for when there is no config.cfg.
    if (hints.major >= 3 && hints.forwardCompatible) {
        glfwWindowHint(GLFW_OPENGL_FORWARD_COMPAT, GLFW_TRUE);
    }
    // Core profiles exist from 3.2 on; asking for one there gives the context
    // the game's shaders are written for.
    if (hints.major > 3 || (hints.major == 3 && hints.minor >= 2)) {
        glfwWindowHint(GLFW_OPENGL_PROFILE, GLFW_OPENGL_CORE_PROFILE);
    }
}

// Taps for the calibration, each with the moment its event was handled.
std::array<double, kTapCapacity> tapTimes{};
std::size_t tapCount = 0;

void noteTap() {
    if (tapCount < tapTimes.size()) {
        tapTimes[tapCount++] = sound::steadyNowMs();
    }
}

// The latest press of the left button, real or the demo's; NaN before any.
double leftPressAtMs = std::numeric_limits<double>::quiet_NaN();

void countKeyPress(GLFWwindow*, int key, int, int action, int) {
    if (key < 0 || key > GLFW_KEY_LAST) {
        return;
    }
    const auto index = static_cast<std::size_t>(key);
    if (action == GLFW_PRESS) {
        windowKeyPresses[index] += 1;
        if (key == GLFW_KEY_SPACE) {
            noteTap();
        }
    }
    if (action == GLFW_PRESS || action == GLFW_REPEAT) {
        windowKeyStrokes[index] += 1;
    }
}

void noteButtonPress(GLFWwindow*, int button, int action, int) {
    if (action == GLFW_PRESS && button == GLFW_MOUSE_BUTTON_LEFT) {
        noteTap();
        leftPressAtMs = sound::steadyNowMs();
    }
}

void appendUtf8(std::string& text, unsigned int codepoint) {
    if (codepoint < 0x80) {
        text += static_cast<char>(codepoint);
    } else if (codepoint < 0x800) {
        text += static_cast<char>(0xC0 | (codepoint >> 6));
        text += static_cast<char>(0x80 | (codepoint & 0x3F));
    } else if (codepoint < 0x10000) {
        text += static_cast<char>(0xE0 | (codepoint >> 12));
        text += static_cast<char>(0x80 | ((codepoint >> 6) & 0x3F));
        text += static_cast<char>(0x80 | (codepoint & 0x3F));
    } else if (codepoint < 0x110000) {
        text += static_cast<char>(0xF0 | (codepoint >> 18));
        text += static_cast<char>(0x80 | ((codepoint >> 12) & 0x3F));
        text += static_cast<char>(0x80 | ((codepoint >> 6) & 0x3F));
        text += static_cast<char>(0x80 | (codepoint & 0x3F));
    }
}

void collectTypedText(GLFWwindow*, unsigned int codepoint) {
    appendUtf8(windowTypedText, codepoint);
}

void collectScroll(GLFWwindow*, double, double yOffset) {
    windowScrolled += yOffset;
}

int takeScriptedKeyPresses(InputState& input, std::size_t key) {
    const bool wentDown = input.keys[key] != 0 && input.keysAtLastTake[key] == 0;
    const int presses = input.queuedKeyPresses[key] + (wentDown ? 1 : 0);
    input.keysAtLastTake[key] = input.keys[key];
    input.queuedKeyPresses[key] = 0;
    return presses;
}

// GLFW's own reason for a failure, so a refused window says why.
void reportGlfwError(int, const char* description) {
    std::cerr << "GLFW: " << description << std::endl;
}

} // namespace

void useScriptedInput(InputState* state) {
    scripted = state;
}

int glfwInit() {
    ::glfwSetErrorCallback(reportGlfwError);
    initialised = ::glfwInit() == GLFW_TRUE;
    return initialised ? 1 : 0;
}

void glfwTerminate() {
    if (window != nullptr) {
        ::glfwDestroyWindow(window);
        window = nullptr;
    }
    if (initialised) {
        ::glfwTerminate();
        initialised = false;
    }
}

void glfwOpenWindowHint(int target, int hint) {
    switch (target) {
    case GLFW_OPENGL_VERSION_MAJOR:
        hints.major = hint;
        break;
    case GLFW_OPENGL_VERSION_MINOR:
        hints.minor = hint;
        break;
    case GLFW_OPENGL_FORWARD_COMPAT:
        hints.forwardCompatible = hint != 0;
        break;
    default:
        break;
    }
}

int glfwOpenWindow(int width, int height, int redBits, int greenBits, int blueBits, int alphaBits,
                   int depthBits, int stencilBits, int mode) {
    if (!initialised || window != nullptr) {
        return 0;
    }
    applyContextHints();
    // 0 means "the platform's default" in 2.7; GLFW 3 spells that DONT_CARE.
    auto bits = [](int value) { return value > 0 ? value : GLFW_DONT_CARE; };
    glfwWindowHint(GLFW_RED_BITS, bits(redBits));
    glfwWindowHint(GLFW_GREEN_BITS, bits(greenBits));
    glfwWindowHint(GLFW_BLUE_BITS, bits(blueBits));
    glfwWindowHint(GLFW_ALPHA_BITS, bits(alphaBits));
    glfwWindowHint(GLFW_DEPTH_BITS, bits(depthBits));
    glfwWindowHint(GLFW_STENCIL_BITS, bits(stencilBits));
    GLFWmonitor* monitor = mode == GLFW_FULLSCREEN ? glfwGetPrimaryMonitor() : nullptr;
    window = glfwCreateWindow(width, height, "cueflight", monitor, nullptr);
    if (window == nullptr) {
        return 0;
    }
    glfwMakeContextCurrent(window);
    // The loop polls input once per frame; at software-rendering frame rates a
    // tap or click is often shorter than a frame and would be lost otherwise.
    glfwSetInputMode(window, GLFW_STICKY_KEYS, GLFW_TRUE);
    glfwSetInputMode(window, GLFW_STICKY_MOUSE_BUTTONS, GLFW_TRUE);
    forgetPendingInput();
    glfwSetKeyCallback(window, countKeyPress);
    glfwSetCharCallback(window, collectTypedText);
    glfwSetScrollCallback(window, collectScroll);
    glfwSetMouseButtonCallback(window, noteButtonPress);
    tapCount = 0;
    return 1;
}

int glfwGetWindowParam(int param) {
    if (param == GLFW_OPENED) {
        return (window != nullptr && !glfwWindowShouldClose(window)) ? 1 : 0;
    }
    return 0;
}

void glfwSetWindowTitle(const char* title) {
    if (window != nullptr) {
        ::glfwSetWindowTitle(window, title);
    }
}

void glfwGetWindowSize(int* width, int* height) {
    *width = 0;
    *height = 0;
    if (window != nullptr) {
        // The frame buffer's size, not the window's: the two differ on
        // screens that scale windows, and the viewport counts pixels.
        glfwGetFramebufferSize(window, width, height);
    }
}

void glfwSwapBuffers() {
    injectedButtons.fill(false);
    if (window != nullptr) {
        ::glfwSwapBuffers(window);
        glfwPollEvents();
    }
}

int glfwGetKey(int key) {
    if (key < 0 || key > GLFW_KEY_LAST) {
        return 0;
    }
    if (scripted != nullptr) {
        return scripted->keys[key] != 0 ? 1 : 0;
    }
    if (window == nullptr) {
        return 0;
    }
    return ::glfwGetKey(window, key) == GLFW_PRESS ? 1 : 0;
}

int takeKeyPresses(int key) {
    if (key < 0 || key > GLFW_KEY_LAST) {
        return 0;
    }
    const auto index = static_cast<std::size_t>(key);
    if (scripted != nullptr) {
        return takeScriptedKeyPresses(*scripted, index);
    }
    windowKeyStrokes[index] = 0; // taken as presses, not again as strokes
    return std::exchange(windowKeyPresses[index], 0);
}

int takeKeyStrokes(int key) {
    if (key < 0 || key > GLFW_KEY_LAST) {
        return 0;
    }
    const auto index = static_cast<std::size_t>(key);
    if (scripted != nullptr) {
        return takeScriptedKeyPresses(*scripted, index);
    }
    windowKeyPresses[index] = 0; // taken as strokes, not again as presses
    return std::exchange(windowKeyStrokes[index], 0);
}

std::string takeTypedText() {
    return std::exchange(scripted != nullptr ? scripted->typedText : windowTypedText, {});
}

double takeScroll() {
    return std::exchange(scripted != nullptr ? scripted->scrolled : windowScrolled, 0.0);
}

void forgetPendingInput() {
    windowKeyPresses.fill(0);
    windowKeyStrokes.fill(0);
    windowTypedText.clear();
    windowScrolled = 0.0;
    if (scripted != nullptr) {
        scripted->queuedKeyPresses.fill(0);
        scripted->keysAtLastTake = scripted->keys;
        scripted->typedText.clear();
        scripted->scrolled = 0.0;
    }
}

int glfwGetMouseButton(int button) {
    if (button < 0 || button > GLFW_MOUSE_BUTTON_LAST) {
        return 0;
    }
    if (injectedButtons[static_cast<std::size_t>(button)]) {
        return 1;
    }
    if (scripted != nullptr) {
        const bool down = scripted->buttons[button] != 0 || scripted->latchedButtons[button] != 0;
        scripted->latchedButtons[button] = 0;
        return down ? 1 : 0;
    }
    if (window == nullptr) {
        return 0;
    }
    return ::glfwGetMouseButton(window, button) == GLFW_PRESS ? 1 : 0;
}

void dropReleasedPress(int button) {
    if (button < 0 || button > GLFW_MOUSE_BUTTON_LAST) {
        return;
    }
    if (scripted != nullptr) {
        scripted->latchedButtons[button] = 0;
    } else if (window != nullptr) {
        // Reading a sticky button clears a press that has ended.
        ::glfwGetMouseButton(window, button);
    }
}

void glfwGetMousePos(int* x, int* y) {
    if (scripted != nullptr) {
        *x = scripted->mouseX;
        *y = scripted->mouseY;
        return;
    }
    if (window == nullptr) {
        *x = 0;
        *y = 0;
        return;
    }
    double dx = 0.0;
    double dy = 0.0;
    glfwGetCursorPos(window, &dx, &dy);
    *x = static_cast<int>(dx);
    *y = static_cast<int>(dy);
}

void glfwSetMousePos(int x, int y) {
    if (scripted != nullptr) {
        scripted->mouseX = x;
        scripted->mouseY = y;
        return;
    }
    if (window != nullptr) {
        glfwSetCursorPos(window, x, y);
    }
}

void injectMouseButtonPress(int button, double pressedAtMs) {
    if (button >= 0 && button <= GLFW_MOUSE_BUTTON_LAST) {
        injectedButtons[static_cast<std::size_t>(button)] = true;
    }
    if (button == GLFW_MOUSE_BUTTON_LEFT) {
        leftPressAtMs = pressedAtMs;
    }
}

std::optional<double> leftButtonPressedAtMs() {
    return std::isnan(leftPressAtMs) ? std::nullopt : std::optional<double>(leftPressAtMs);
}

double glfwGetTime() {
    if (clockStopped) {
        return stoppedAt;
    }
    return std::chrono::duration<double>(Clock::now() - clockBase).count();
}

void glfwSetTime(double seconds) {
    stoppedAt = seconds;
    clockBase = Clock::now() -
                std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(seconds));
}

void stopClock(bool stopped) {
    if (stopped && !clockStopped) {
        stoppedAt = glfwGetTime();
    } else if (!stopped && clockStopped) {
        glfwSetTime(stoppedAt);
    }
    clockStopped = stopped;
}

void pollEvents() {
    if (window != nullptr) {
        glfwPollEvents();
    }
}

std::size_t takeTaps(std::span<double> times) {
    const std::size_t taken = std::min(tapCount, times.size());
    std::copy_n(tapTimes.begin(), taken, times.begin());
    std::copy(tapTimes.begin() + static_cast<std::ptrdiff_t>(taken),
              tapTimes.begin() + static_cast<std::ptrdiff_t>(tapCount), tapTimes.begin());
    tapCount -= taken;
    return taken;
}

void glfwSleep(double seconds) {
    if (seconds > 0.0) {
        std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
    }
}

} // namespace platform
