#pragma once

#include "app/loop_state.h"

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

// Runs the command of every key press since the previous pass, in table
// order, each as often as its key was pressed; holding a key fires it once.
class KeyCommands {
public:
    void poll(CommandContext& context);
};
