#include "game/cue_recorder.h"

#include "game/recording_format.h"

#include "platform/glfw_compat.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <utility>

CueRecorder::CueRecorder(std::string outputPath) : outputPath(std::move(outputPath)) {}

void CueRecorder::record(double positionMs) {
    if (!enabled) {
        return;
    }
    const int keyState = platform::glfwGetKey(GLFW_KEY_V);
    lastPositionMs = positionMs;
    if (keyState == 1 && lastKeyState == 0) {
        append();
    }
    lastKeyState = keyState;
}

void CueRecorder::append() {
    // Opened per record so each one is on disk even if the game is killed.
    std::FILE* file = std::fopen(outputPath.c_str(), "a+");
    if (file == nullptr) {
        std::cerr << "cannot append to recording \"" << outputPath << "\": " << std::strerror(errno)
                  << std::endl;
        return;
    }
    std::fputs(game::recordingText({lastPositionMs}).c_str(), file);
    std::fclose(file);
    ++recordedCount;
}
