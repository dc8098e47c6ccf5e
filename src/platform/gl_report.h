#pragma once

#include "platform/gl.h"

// The line checkGLError prints for an OpenGL error code (never GL_NO_ERROR).
const char* glErrorText(GLenum error);

// Reads one pending OpenGL error and, if there is one, prints its line on the
// error stream. Further queued errors stay queued for the next call.
void checkGLError();

// Reports the context's version and forward compatibility on standard output,
// then tries a call that a core profile must refuse and says whether it did.
void printGLInfo();
