#include "platform/gl_report.h"
#include "support/gl_context.h"

#include <gtest/gtest.h>

namespace {

TEST(GLReport, CoreContextReportsItsVersionRefusesTheLegacyCallAndPrintsErrorsOnce) {
    testsupport::requireGLContext();
    while (glGetError() != GL_NO_ERROR) {
    }
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    printGLInfo();
    std::string err = testing::internal::GetCapturedStderr();
    std::string out = testing::internal::GetCapturedStdout();
    EXPECT_EQ(out, "Loaded OpenGL Version 3.2\n"
                   "Context is forward compatible.\n"
                   "Doing illegal operation (glTranslate) now...\n"
                   "Illegal operation caused an error message. :)\n");
    EXPECT_EQ(err, "");
    EXPECT_EQ(glGetError(), GL_NO_ERROR);

    // An error left queued is not taken for the legacy call's answer.
    glEnable(0xFFFF); // queues GL_INVALID_ENUM
    testing::internal::CaptureStdout();
    printGLInfo();
    out = testing::internal::GetCapturedStdout();
    EXPECT_NE(out.find("caused an error message. :)"), std::string::npos);
    EXPECT_EQ(glGetError(), GL_NO_ERROR);

    // The check prints a pending error once, on the error stream.
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    checkGLError();
    glEnable(0xFFFF); // GL_INVALID_ENUM
    checkGLError();
    checkGLError();
    glViewport(0, 0, -1, -1); // GL_INVALID_VALUE
    checkGLError();
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "GL: enum argument out of range.\nGL: Numeric argument out of range.\n");
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
}

} // namespace
