#include "app/frame_values.h"

#include "app/settings.h"
#include "app/window.h"
#include "scenegraph/camera_node.h"
#include "scenegraph/root_node.h"

#include <glm/gtc/matrix_transform.hpp>

FrameValues computeFrameValues(scenegraph::RootNode& root, const RenderFlags& renderFlags) {
    FrameValues values;
    if (root.activeCam != nullptr) {
        values.view = *root.activeCam->getCam()->viewMatrix();
    }
    Window* window = root.getWindow();
    values.projection = window->getProjMat();
    values.overlayProjection = glm::ortho(-0.5f, 0.5f, -0.5f, 0.5f, 0.0f, 1.0f);
    values.filter = root.textureFilterMode;
    values.mipmap = root.mipmapMode;
    values.cullingMode = root.cullingMode;
    values.width = window->width;
    values.height = window->height;
    windowWidth = window->width;
    windowHeight = window->height;
    values.switches = renderFlags;
    return values;
}

void drawScene(const FrameValues& values, ShaderProgram* program) {
    scenegraph::RootNode::getInstance()->draw(&values.view, &values.projection, program,
                                              values.filter, values.mipmap);
}
