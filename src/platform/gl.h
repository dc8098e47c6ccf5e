#pragma once

// The one way into OpenGL for the whole program: GLEW loads every entry point
// past 1.1, so nothing else may include a GL header before this one.
#include <GL/glew.h>
