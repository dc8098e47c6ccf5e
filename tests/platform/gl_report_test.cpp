#include "platform/gl_report.h"

#include <gtest/gtest.h>

namespace {

TEST(GLErrorText, EveryKnownCodeHasItsLineAndAnyOtherIsUnknown) {
    EXPECT_STREQ(glErrorText(GL_INVALID_ENUM), "GL: enum argument out of range.");
    EXPECT_STREQ(glErrorText(GL_INVALID_VALUE), "GL: Numeric argument out of range.");
    EXPECT_STREQ(glErrorText(GL_INVALID_OPERATION), "GL: Operation illegal in current state.");
    EXPECT_STREQ(glErrorText(GL_OUT_OF_MEMORY), "GL: Not enough memory left to execute command.");
    EXPECT_STREQ(glErrorText(GL_INVALID_FRAMEBUFFER_OPERATION),
                 "GL: Framebuffer object is not complete.");
    for (GLenum unknown : {0x503u, 0x504u, 0x507u}) {
        EXPECT_STREQ(glErrorText(unknown), "GL: Unknown error.") << unknown;
    }
}

} // namespace
