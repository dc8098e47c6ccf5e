#include "app/window.h"

#include <glm/gtc/matrix_transform.hpp>

#include <iostream>

bool Window::open() {
    if (winOpen) {
        return true;
    }
    if (platform::glfwOpenWindow(width, height, 0, 0, 0, 0, 24, 8, mode) != 1) {
        std::cerr << "Failed to initialize OpenGL window." << std::endl;
        platform::glfwTerminate();
        return false;
    }
    winOpen = true;
    // A full screen without the asked mode comes in the screen's own size.
    updateSize();
    changed = true;
    getProjMat();
    return true;
}

bool Window::updateSize() {
    if (!winOpen) {
        return false;
    }
    int newWidth = 0;
    int newHeight = 0;
    platform::glfwGetWindowSize(&newWidth, &newHeight);
    if (newWidth < 2 || newHeight < 2 || (newWidth == width && newHeight == height)) {
        return false;
    }
    width = newWidth;
    height = newHeight;
    changed = true;
    return true;
}

glm::mat4 Window::getProjMat() {
    if (changed) {
        projmat = glm::perspective(glm::radians(20.0f), aspectRatio(width, height), 1.0f, 3.0f);
        changed = false;
    }
    return projmat;
}

float aspectRatio(int width, int height) {
    if (width <= 0 || height <= 0) {
        return 1.0f;
    }
    return static_cast<float>(width) / static_cast<float>(height);
}
