#pragma once

#include "platform/gl.h"

class FramebufferObject;

// Where a pass draws: a frame buffer and the full size it was made for,
// reduced by its factor. Frame buffer 0 is the window.
struct PassTarget {
    GLuint fboId = 0; // frame buffer object, 0 for the window
    int width = 0;    // full width in pixels, before the factor
    int height = 0;   // full height in pixels, before the factor
    int factor = 1;   // the buffer is width / factor by height / factor

    int drawWidth() const { return width / factor; }
    int drawHeight() const { return height / factor; }
};

// The frame buffer as a target of the passes.
PassTarget targetOf(const FramebufferObject& fbo);

// Sets the viewport to the target's reduced size and binds its frame buffer.
void bindTarget(const PassTarget& target);

// Binds the window again with a viewport over all of it.
void backToScreen(int width, int height);

// Clears colour and depth of whatever is bound.
void clearTarget();
