#include "support/gl_context.h"

#include "platform/glfw_compat.h"

#include <gtest/gtest.h>

namespace testsupport {

void requireGLContext(int width, int height) {
    static bool open = false;
    if (open) {
        return;
    }
    ASSERT_EQ(platform::glfwInit(), 1) << "no display: run GL tests under xvfb-run";
    platform::glfwOpenWindowHint(platform::GLFW_OPENGL_VERSION_MAJOR, 3);
    platform::glfwOpenWindowHint(platform::GLFW_OPENGL_VERSION_MINOR, 2);
    platform::glfwOpenWindowHint(GLFW_OPENGL_FORWARD_COMPAT, 1);
    ASSERT_EQ(platform::glfwOpenWindow(width, height, 0, 0, 0, 0, 24, 8, platform::GLFW_WINDOW), 1);
    glewExperimental = GL_TRUE;
    ASSERT_EQ(glewInit(), GLEW_OK);
    glGetError(); // GLEW's probing leaves an error behind on core profiles
    open = true;
}

GLint glInteger(GLenum name) {
    GLint value = -1;
    glGetIntegerv(name, &value);
    return value;
}

GLint texParameter(GLenum target, GLenum name) {
    GLint value = -1;
    glGetTexParameteriv(target, name, &value);
    return value;
}

GLint texLevelParameter(GLenum target, GLint level, GLenum name) {
    GLint value = -1;
    glGetTexLevelParameteriv(target, level, name, &value);
    return value;
}

} // namespace testsupport
