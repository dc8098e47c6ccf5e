#include "app/startup.h"

#include "app/config.h"
#include "app/settings.h"
#include "app/window.h"
#include "platform/gl_report.h"
#include "platform/glfw_compat.h"
#include "scenegraph/root_node.h"

#include <iostream>

namespace {

// A core profile draws nothing without a bound vertex array object. The game
// describes its attributes per draw, so one object bound for the whole run
// serves every pass.
GLuint vertexArray = 0;

// The state every render pass starts from.
void setFixedGLState() {
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glEnable(GL_CULL_FACE);
    glCullFace(GL_BACK);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glClearColor(0.05f, 0.02f, 0.03f, 0.0f);
}

} // namespace

bool initWindow(const PlayerConfig& playerConfig) {
    platform::glfwInit();
    Window* window = scenegraph::RootNode::getInstance()->getWindow();
    loadConfig("config.cfg", *window);
    if (!playerConfig.file.empty()) {
        loadPlayerConfig(playerConfig.file, playerConfig.namedByPlayer, *window, std::cerr);
    }
    // Core profiles hide their entry points from GLEW's extension probing.
    glewExperimental = GL_TRUE;
    platform::glfwOpenWindowHint(platform::GLFW_OPENGL_VERSION_MAJOR, glMajorVersion);
    platform::glfwOpenWindowHint(platform::GLFW_OPENGL_VERSION_MINOR, glMinorVersion);
    platform::glfwOpenWindowHint(GLFW_OPENGL_FORWARD_COMPAT, forwardcontextflag ? 1 : 0);
    if (!window->open()) {
        return true;
    }
    GLenum glewResult = glewInit();
    if (glewResult != GLEW_OK) {
        std::cerr << "Error: " << glewGetErrorString(glewResult) << std::endl;
    }
    glGenVertexArrays(1, &vertexArray);
    glBindVertexArray(vertexArray);
    setFixedGLState();
    // GLEW's probing leaves an error behind on core profiles; it is no one's.
    glGetError();
    printGLInfo();
    return true;
}

void releaseStartupObjects() {
    if (vertexArray != 0) {
        glBindVertexArray(0);
        glDeleteVertexArrays(1, &vertexArray);
        vertexArray = 0;
    }
}
