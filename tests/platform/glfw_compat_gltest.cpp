#include "platform/glfw_compat.h"
#include "support/gl_context.h"

#include <gtest/gtest.h>

TEST(PlatformWindow, OpensACoreContextOfTheRequestedVersion) {
    testsupport::requireGLContext();
    GLint major = 0;
    GLint minor = 0;
    glGetIntegerv(GL_MAJOR_VERSION, &major);
    glGetIntegerv(GL_MINOR_VERSION, &minor);
    EXPECT_EQ(major * 10 + minor, 32);
    EXPECT_EQ(platform::glfwGetWindowParam(platform::GLFW_OPENED), 1);
}
