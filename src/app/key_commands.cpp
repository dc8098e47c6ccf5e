#include "app/key_commands.h"

#include "app/render_modes.h"
#include "app/settings.h"
#include "app/settings_file.h"
#include "app/timing_summary.h"
#include "game/level.h"
#include "game/level_manager.h"
#include "platform/glfw_compat.h"
#include "scenegraph/root_node.h"

#include <ostream>

namespace {

using CommandAction = std::optional<CommandReply> (*)(CommandContext& context, int key);

// One press command: fires once per press of its key.
struct PressCommand {
    int key;
    CommandAction action;
    bool resetsAverage; // the command changes what the frame-rate average measures
};

constexpr float messageSize = 0.3f;
constexpr int switchLine = 1;
constexpr int modeLine = 2;
constexpr int helpLine = 3;

CommandReply switchReply(const std::string& text) {
    return {text, switchLine, text};
}

std::string onOff(const char* name, bool on) {
    return std::string(name) + (on ? " ON" : " OFF");
}

// The level's flag and its song follow the loop's pause state.
void pauseLevel(bool paused) {
    if (!util::LevelManager::hasInstance()) {
        return;
    }
    if (Level* level = util::LevelManager::getInstance()->currentLevel()) {
        level->setPaused(paused);
    }
}

std::optional<CommandReply> togglePause(CommandContext& context, int) {
    LoopState& loop = context.loop;
    if (!loop.paused) {
        loop.paused = true;
        loop.pauseStart = loop.now;
    } else {
        // Rewinding the clock keeps the time spent paused away from the game.
        platform::glfwSetTime(loop.pauseStart);
        loop.lastTime = loop.pauseStart;
        loop.paused = false;
    }
    pauseLevel(loop.paused);
    return std::nullopt;
}

Level* currentLevel() {
    return util::LevelManager::hasInstance() ? util::LevelManager::getInstance()->currentLevel()
                                             : nullptr;
}

// On the end screen, A writes the suggested offset_ms into the player's
// settings; pressed again it puts back what the file held.
std::optional<CommandReply> applySuggestedOffset(CommandContext& context, int) {
    EndOfSong& end = context.loop.endOfSong;
    if (!context.loop.accuracyLogged || !end.suggestedOffsetMs) {
        return std::nullopt;
    }
    const std::optional<std::string> wanted =
        end.applied ? end.before
                    : std::optional<std::string>(settingNumber(*end.suggestedOffsetMs));
    std::optional<std::string> previous;
    std::string error;
    const PlayerConfig& file = context.loop.playerConfig;
    if (!savePlayerSetting(file, "offset_ms", wanted, previous, error)) {
        end.advice = offsetNotSavedText(error);
        return std::nullopt;
    }
    if (!end.applied) {
        end.before = previous;
    }
    end.applied = !end.applied;
    offsetMs = end.applied ? *end.suggestedOffsetMs : end.offsetBeforeMs;
    end.advice = end.applied ? offsetAppliedText(*end.suggestedOffsetMs, end.offsetBeforeMs)
                             : end.suggestion;
    const std::string line = "OFFSET: offset_ms=" + settingNumber(offsetMs) +
                             (end.applied ? " saved in " : " put back in ") + file.file.string();
    return CommandReply{"", switchLine, line};
}

// In practice, - and + slow the song down and speed it up.
std::optional<CommandReply> changeSpeed(CommandContext&, int key) {
    Level* level = currentLevel();
    if (level == nullptr || !level->practice) {
        return std::nullopt;
    }
    const bool faster = key == GLFW_KEY_EQUAL || key == GLFW_KEY_KP_ADD;
    const double speed = game::steppedSpeed(level->practice->speed, faster ? 1 : -1);
    level->setPracticeSpeed(speed);
    return CommandReply{"", switchLine, "PRACTICE SPEED " + game::speedText(speed)};
}

std::optional<CommandReply> nextCamera(CommandContext& context, int) {
    if (auto name = nextCameraName(context.loop.currentCamName)) {
        context.root.setActiveCamera(*name);
        context.loop.currentCamName = *name;
    }
    return std::nullopt;
}

std::optional<CommandReply> sceneWriter(CommandContext&, int) {
    return CommandReply{"SCENEWRITER CURRENTLY DISABLED IN SOURCE", switchLine, ""};
}

std::optional<CommandReply> help(CommandContext&, int) {
    return CommandReply{"Press 'P' to start the game - try to hit the cues on time!", helpLine, ""};
}

std::optional<CommandReply> toggleShowFps(CommandContext& context, int) {
    showfps = !showfps;
    if (!showfps) {
        context.loop.fpsOverlay.visible = false;
    }
    return switchReply(onOff("SHOW FPS", showfps));
}

std::optional<CommandReply> toggleWireframe(CommandContext& context, int) {
    LoopState& loop = context.loop;
    loop.wireframe = !loop.wireframe;
    context.gl.setWireframe(loop.wireframe);
    // Both effects sample the filled scene; over lines they only smear.
    loop.renderFlags[Lightshafts] = false;
    loop.renderFlags[Bloom] = false;
    return switchReply(onOff("WIREFRAME MODE", loop.wireframe));
}

std::optional<CommandReply> cycleTextureFilter(CommandContext& context, int) {
    ModeChange change = nextTextureFilterMode(context.root.textureFilterMode);
    context.root.textureFilterMode = change.mode;
    return CommandReply{change.text, modeLine, ""};
}

std::optional<CommandReply> cycleMipmapping(CommandContext& context, int) {
    ModeChange change = nextMipmapMode(context.root.mipmapMode);
    context.root.mipmapMode = change.mode;
    return CommandReply{change.text, modeLine, ""};
}

std::optional<CommandReply> toggleFeedback(CommandContext& context, int) {
    bool& feedback = context.loop.feedback;
    feedback = !feedback;
    return switchReply(onOff("FEEDBACK", feedback));
}

std::optional<CommandReply> cycleCulling(CommandContext& context, int) {
    ModeChange change = nextCullingMode(context.root.cullingMode);
    context.root.cullingMode = change.mode;
    return CommandReply{change.text, modeLine, ""};
}

std::optional<CommandReply> toggleTransparency(CommandContext& context, int) {
    LoopState& loop = context.loop;
    loop.transparency = !loop.transparency;
    context.gl.setBlending(loop.transparency);
    loop.renderFlags[Lightshafts] = loop.transparency;
    return switchReply(onOff("TRANSPARENCY", loop.transparency));
}

std::optional<CommandReply> toggleFrameLock(CommandContext& context, int) {
    LoopState& loop = context.loop;
    loop.frameLocked = !loop.frameLocked;
    if (loop.frameLocked) {
        loop.sinceRender = 0.0;
        return CommandReply{"FRAMERATE LOCKED", switchLine, " ***FRAMERATE LOCKED*** "};
    }
    return CommandReply{"FRAMERATE UNLOCKED", switchLine, " ***FRAMERATE UNLOCKED*** "};
}

std::optional<CommandReply> toggleRenderFlag(CommandContext& context, int key) {
    int index = key - GLFW_KEY_0;
    bool& flag = context.loop.renderFlags[index];
    flag = !flag;
    return switchReply(onOff(renderFlagNames[index], flag));
}

void setWireframe(bool on) {
    glPolygonMode(GL_FRONT_AND_BACK, on ? GL_LINE : GL_FILL);
}

void setBlending(bool on) {
    if (on) {
        glEnable(GL_BLEND);
    } else {
        glDisable(GL_BLEND);
    }
}

// Every press command, in the order the keys are tested.
const std::array<PressCommand, 26> commandTable{{
    {GLFW_KEY_P, togglePause, false},         {GLFW_KEY_C, nextCamera, false},
    {GLFW_KEY_9, sceneWriter, false},         {GLFW_KEY_F1, help, false},
    {GLFW_KEY_F2, toggleShowFps, true},       {GLFW_KEY_F3, toggleWireframe, false},
    {GLFW_KEY_F4, cycleTextureFilter, false}, {GLFW_KEY_F5, cycleMipmapping, false},
    {GLFW_KEY_F6, toggleFeedback, true},      {GLFW_KEY_F8, cycleCulling, false},
    {GLFW_KEY_F9, toggleTransparency, false}, {GLFW_KEY_F7, toggleFrameLock, true},
    {GLFW_KEY_0, toggleRenderFlag, true},     {GLFW_KEY_1, toggleRenderFlag, true},
    {GLFW_KEY_2, toggleRenderFlag, true},     {GLFW_KEY_3, toggleRenderFlag, true},
    {GLFW_KEY_4, toggleRenderFlag, true},     {GLFW_KEY_5, toggleRenderFlag, true},
    {GLFW_KEY_6, toggleRenderFlag, true},     {GLFW_KEY_7, toggleRenderFlag, true},
    {GLFW_KEY_8, toggleRenderFlag, true},     {GLFW_KEY_A, applySuggestedOffset, false},
    {GLFW_KEY_MINUS, changeSpeed, false},     {GLFW_KEY_KP_SUBTRACT, changeSpeed, false},
    {GLFW_KEY_EQUAL, changeSpeed, false},     {GLFW_KEY_KP_ADD, changeSpeed, false},
}};

void answer(CommandContext& context, const PressCommand& command) {
    std::optional<CommandReply> reply = command.action(context, command.key);
    if (reply) {
        if (!reply->text.empty()) {
            context.loop.messageOverlay.setText(reply->text, reply->line, messageSize);
        }
        if (!reply->logLine.empty()) {
            context.log << reply->logLine << std::endl;
        }
    }
    if (command.resetsAverage) {
        context.loop.statistics.resetAverage();
    }
}

} // namespace

GLSwitches contextGLSwitches() {
    return {setWireframe, setBlending};
}

void KeyCommands::poll(CommandContext& context) {
    for (const PressCommand& command : commandTable) {
        for (int presses = platform::takeKeyPresses(command.key); presses > 0; --presses) {
            answer(context, command);
        }
    }
}
