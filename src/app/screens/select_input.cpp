#include "app/screens/select_input.h"

#include "platform/glfw_compat.h"

namespace {

// The left button as it was on the last frame: a press is a change to down.
bool buttonWasDown = false;

} // namespace

SelectInput readSelectInput() {
    SelectInput input;
    input.typed = platform::takeTypedText();
    input.up = platform::takeKeyStrokes(GLFW_KEY_UP);
    input.down = platform::takeKeyStrokes(GLFW_KEY_DOWN);
    input.pageUp = platform::takeKeyStrokes(GLFW_KEY_PAGE_UP);
    input.pageDown = platform::takeKeyStrokes(GLFW_KEY_PAGE_DOWN);
    input.home = platform::takeKeyStrokes(GLFW_KEY_HOME);
    input.end = platform::takeKeyStrokes(GLFW_KEY_END);
    input.left = platform::takeKeyStrokes(GLFW_KEY_LEFT);
    input.right = platform::takeKeyStrokes(GLFW_KEY_RIGHT);
    input.enter =
        platform::takeKeyStrokes(GLFW_KEY_ENTER) + platform::takeKeyStrokes(GLFW_KEY_KP_ENTER);
    input.backspace = platform::takeKeyStrokes(GLFW_KEY_BACKSPACE);
    input.tab = platform::takeKeyPresses(GLFW_KEY_TAB);
    input.escape = platform::takeKeyPresses(GLFW_KEY_ESCAPE);
    input.calibrate = platform::takeKeyPresses(GLFW_KEY_F2);
    input.practise = platform::takeKeyPresses(GLFW_KEY_F3);
    input.scroll = platform::takeScroll();
    const bool down = platform::glfwGetMouseButton(GLFW_MOUSE_BUTTON_LEFT) != 0;
    input.click = down && !buttonWasDown;
    buttonWasDown = down;
    platform::glfwGetMousePos(&input.mouseX, &input.mouseY);
    return input;
}
