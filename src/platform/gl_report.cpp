#include "platform/gl_report.h"

#include <iostream>

namespace {

// More distinct error flags than any GL implementation keeps queued.
constexpr int maxQueuedErrors = 16;

} // namespace

const char* glErrorText(GLenum error) {
    switch (error) {
    case GL_INVALID_ENUM:
        return "GL: enum argument out of range.";
    case GL_INVALID_VALUE:
        return "GL: Numeric argument out of range.";
    case GL_INVALID_OPERATION:
        return "GL: Operation illegal in current state.";
    case GL_OUT_OF_MEMORY:
        return "GL: Not enough memory left to execute command.";
    case GL_INVALID_FRAMEBUFFER_OPERATION:
        return "GL: Framebuffer object is not complete.";
    default:
        return "GL: Unknown error.";
    }
}

void checkGLError() {
    GLenum error = glGetError();
    if (error != GL_NO_ERROR) {
        std::cerr << glErrorText(error) << std::endl;
    }
}

void printGLInfo() {
    GLint major = 0;
    GLint minor = 0;
    glGetIntegerv(GL_MAJOR_VERSION, &major);
    glGetIntegerv(GL_MINOR_VERSION, &minor);
    std::cout << "Loaded OpenGL Version " << major << "." << minor << std::endl;

    GLint flags = 0;
    glGetIntegerv(GL_CONTEXT_FLAGS, &flags);
    if ((flags & GL_CONTEXT_FLAG_FORWARD_COMPATIBLE_BIT) != 0) {
        std::cout << "Context is forward compatible." << std::endl;
    } else {
        std::cout << "Context is NOT forward compatible." << std::endl;
    }

    std::cout << "Doing illegal operation (glTranslate) now..." << std::endl;
    // Whatever the queries above left queued (a 2.x context knows neither of
    // them) must not be mistaken for the answer to the illegal call. Bounded,
    // because a lost context may report an error on every read.
    for (int i = 0; i < maxQueuedErrors && glGetError() != GL_NO_ERROR; ++i) {
    }
    glTranslatef(1.0f, 0.0f, 0.0f);
    if (glGetError() != GL_NO_ERROR) {
        std::cout << "Illegal operation caused an error message. :)" << std::endl;
    } else {
        std::cerr << "Illegal operation did NOT cause an error message. :(" << std::endl;
    }
}
