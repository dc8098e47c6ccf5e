#include "app/frame_passes.h"

#include "platform/glfw_compat.h"

void renderFrame([[maybe_unused]] double elapsed) {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    platform::glfwSwapBuffers();
}
