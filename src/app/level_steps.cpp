#include "app/level_steps.h"

#include "app/accuracy.h"
#include "game/level.h"
#include "scenegraph/root_node.h"

#include <ostream>

void startDemo(LoopState& loop, scenegraph::RootNode& root) {
    root.setActiveCamera(demoCameraName);
    loop.currentCamName = demoCameraName;
}

void followLevel(LoopState& loop, const Level& level, std::ostream& log) {
    loop.paused = level.paused;
    if (loop.paused && level.finished) {
        const int judged = level.judgeableCueCount();
        loop.messageOverlay.setText(accuracyText(level.hitCount(), judged), accuracyLine,
                                    accuracySize);
        if (!loop.accuracyLogged) {
            log << accuracyLogLine(level.hitCount(), judged) << std::endl;
            loop.accuracyLogged = true;
        }
    }
    if (!loop.paused) {
        loop.lightPosition = glm::vec3(level.pathPosition) + lightOffsetFromPath;
    }
}
