#pragma once

#include "app/loop_state.h"

#include <array>
#include <iosfwd>
#include <optional>
#include <string>

namespace scenegraph {
class RootNode;
}

// The GL state two commands switch, behind pointers so the commands can be
// exercised without a context.
struct GLSwitches {
    void (*setWireframe)(bool on);
    void (*setBlending)(bool on);
};

// The switches that act on the current OpenGL context.
GLSwitches contextGLSwitches();

// What a command answers: its overlay text and line, and the line it also
// prints on standard output (empty when it prints nothing).
struct CommandReply {
    std::string text;
    int line = 1;
    std::string logLine;
};

// What the commands act on.
struct CommandContext {
    LoopState& loop;
    scenegraph::RootNode& root;
    GLSwitches gl;
    std::ostream& log;
};

// Detects key presses against the key state of the previous pass and runs
// their commands; holding a key fires it once.
class KeyCommands {
public:
    void poll(CommandContext& context);

private:
    // Key state seen at the previous pass, by GLFW key code.
    std::array<int, 300> prevKey{};
};
