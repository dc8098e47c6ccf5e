#include "app/frame_statistics.h"

#include <cstdio>

bool FrameStatistics::addFrame(double frameTime) {
    fpsTime += frameTime;
    fpsFrames += 1;
    if (fpsFrames < framesPerSample) {
        return false;
    }
    float fps = static_cast<float>(framesPerSample / fpsTime);
    fpsSamples += 1;
    if (fps < fpsMin) {
        fpsMin = fps;
    }
    if (fps > fpsMax) {
        fpsMax = fps;
    }
    fpsSum += fps;
    std::snprintf(text.data(), text.size(),
                  "fps: %5.2f | fpsAVG: %5.2f | fpsMin: %5.2f | fpsMax: %5.2f", fps, average(),
                  fpsMin, fpsMax);
    fpsFrames = 0;
    fpsTime = 0.0;
    return true;
}

void FrameStatistics::resetAverage() {
    fpsSum = 0.0f;
    fpsSamples = 0;
}
