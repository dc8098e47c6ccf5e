#include "app/level_steps.h"

#include "app/accuracy.h"
#include "app/settings.h"
#include "app/timing_summary.h"
#include "game/level.h"
#include "scenegraph/root_node.h"

#include <cmath>
#include <ostream>

void startDemo(LoopState& loop, scenegraph::RootNode& root) {
    root.setActiveCamera(demoCameraName);
    loop.currentCamName = demoCameraName;
}

void concludeTiming(LoopState& loop, const game::TimingStats& stats, int judged, int offsetMs,
                    std::ostream& log) {
    const int misses = judged - stats.hits();
    log << timingLogLine(stats, misses) << std::endl;
    loop.endOfSong.summary = timingSummaryText(stats, misses);
    // The demo's clicks tell nothing of a player's latency.
    const std::optional<std::string> advice =
        demoMode ? std::nullopt : offsetAdviceText(stats, offsetMs);
    loop.endOfSong.advice = advice.value_or("");
}

void followLevel(LoopState& loop, const Level& level, std::ostream& log) {
    loop.paused = level.paused;
    if (loop.paused && level.finished) {
        const int judged = level.judgeableCueCount();
        loop.messageOverlay.setText(accuracyText(level.hitCount(), judged), accuracyLine,
                                    accuracySize);
        if (!loop.accuracyLogged) {
            log << accuracyLogLine(level.hitCount(), judged) << std::endl;
            concludeTiming(loop, level.getFeedback().stats(), judged,
                           static_cast<int>(std::lround(level.judgingOffsetMs)), log);
            loop.accuracyLogged = true;
        }
    }
    if (!loop.paused) {
        loop.lightPosition = glm::vec3(level.pathPosition) + lightOffsetFromPath;
    }
}
