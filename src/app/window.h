#pragma once

#include <glm/glm.hpp>

#include "platform/glfw_compat.h"

// The program's one window: its mode and size, the depth range that counts as
// visible when culling on Z, and the projection derived from the size. The
// scene root owns the record; config.cfg and the scene file fill it.
class Window {
public:
    int mode = platform::GLFW_WINDOW;    // GLFW_WINDOW or GLFW_FULLSCREEN
    int width = 1024;                    // pixels; config.cfg usually sets it
    int height = 768;                    // pixels
    float nearPlane = 1.0f;              // nearest view depth kept by Z culling
    float farPlane = 300.0f;             // farthest view depth kept by Z culling
    bool changed = true;                 // projmat must be rebuilt before use
    glm::mat4 projmat = glm::mat4(1.0f); // the projection as last built from the size
    bool winOpen = false;                // the GLFW window exists

    // Opens the window once; true when it is open afterwards. On failure the
    // message goes to the error stream and GLFW is terminated.
    bool open();

    // Takes the size the open window's picture really has. True when it
    // differs from width and height, which then follow it and mark the
    // projection changed. A minimized window (less than 2 pixels a side)
    // keeps the last size.
    bool updateSize();

    // Rebuilds the projection when `changed` is set; returns a copy.
    glm::mat4 getProjMat();
};

// Width over height as the projection uses it. Computed in floating point so a
// non-square window is not stretched; a degenerate height gives 1.
float aspectRatio(int width, int height);
