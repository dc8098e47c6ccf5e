#pragma once

// A real OpenGL 3.2 core context for GL tests: a small window opened through
// the platform layer once per test process and kept until the process ends.
// Under Xvfb, Mesa's llvmpipe provides the context.

namespace testsupport {

// Opens the window on first call; later calls return at once. Fails the
// calling test (ASSERT) when no context can be had.
void requireGLContext(int width = 320, int height = 240);

} // namespace testsupport
