#pragma once

#include "app/render_flags.h"

#include <glm/glm.hpp>

class ShaderProgram;

namespace scenegraph {
class RootNode;
}

// What every pass of one frame draws with, taken once at the top of the frame.
struct FrameValues {
    glm::mat4 view = glm::mat4(1.0f);              // the active camera's view
    glm::mat4 projection = glm::mat4(1.0f);        // the window's perspective
    glm::mat4 overlayProjection = glm::mat4(1.0f); // the crosshair and the text
    int filter = 0;                                // texture filter mode
    int mipmap = 0;                                // mip-mapping mode
    int cullingMode = 0;                           // how the debris is culled
    int width = 0;                                 // window size in pixels
    int height = 0;
    RenderFlags switches{}; // the render switches as they stood when the frame began
};

// Reads the camera, the window and the modes of the root; also copies the
// window size into the process-wide size settings.
FrameValues computeFrameValues(scenegraph::RootNode& root, const RenderFlags& renderFlags);

// Draws the whole tree from the root with the frame's view and projection.
void drawScene(const FrameValues& values, ShaderProgram* program);
