#pragma once

// A real OpenGL 3.2 core context for GL tests: a small window opened through
// the platform layer once per test process and kept until the process ends.
// Under Xvfb, Mesa's llvmpipe provides the context.

#include "platform/gl.h"

namespace testsupport {

// Opens the window on first call; later calls return at once. Fails the
// calling test (ASSERT) when no context can be had.
void requireGLContext(int width = 320, int height = 240);

// One integer of GL state, e.g. glInteger(GL_CURRENT_PROGRAM); -1 when GL
// wrote nothing.
GLint glInteger(GLenum name);

// A parameter of the texture bound to target, or of one of its levels.
GLint texParameter(GLenum target, GLenum name);
GLint texLevelParameter(GLenum target, GLint level, GLenum name);

} // namespace testsupport
