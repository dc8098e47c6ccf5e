#include "platform/gl_report.h"
#include "support/gl_context.h"

#include <gtest/gtest.h>

namespace {

// The report of a core context as the game starts it is the end-to-end
// start-up test's; here what a test can arrange and the game cannot.
TEST(GLReport, AQueuedErrorIsNotTheLegacyCallsAnswerAndPendingErrorsPrintOnce) {
    testsupport::requireGLContext();
    glEnable(0xFFFF); // queues GL_INVALID_ENUM
    testing::internal::CaptureStdout();
    printGLInfo();
    const std::string out = testing::internal::GetCapturedStdout();
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
