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

namespace {

void concludeTiming(LoopState& loop, const Level& level, int judged, std::ostream& log) {
    const game::TimingStats& stats = level.getFeedback().stats();
    const int misses = judged - level.hitCount();
    log << timingLogLine(stats, misses) << std::endl;
    loop.endOfSong.summary = timingSummaryText(stats, misses);
    // The demo's clicks tell nothing of a player's latency.
    const int currentOffsetMs = static_cast<int>(std::lround(level.judgingOffsetMs));
    const std::optional<std::string> advice =
        demoMode ? std::nullopt : offsetAdviceText(stats, currentOffsetMs);
    loop.endOfSong.advice = advice.value_or("");
    loop.endOfSong.suggestion = loop.endOfSong.advice;
    if (advice) {
        loop.endOfSong.suggestedOffsetMs = game::suggestedOffsetMs(stats, currentOffsetMs);
        loop.endOfSong.offsetBeforeMs = level.judgingOffsetMs;
    }
    if (demoMode) {
        log << "DEMO: early clicks " << loop.demo.earlyClickCount() << std::endl;
    }
}

} // namespace

void followLevel(LoopState& loop, const Level& level, std::ostream& log) {
    loop.paused = level.paused;
    if (loop.paused && level.finished) {
        const int judged = level.judgeableCueCount();
        loop.messageOverlay.setText(accuracyText(level.hitCount(), judged), accuracyLine,
                                    accuracySize);
        if (!loop.accuracyLogged) {
            log << accuracyLogLine(level.hitCount(), judged) << std::endl;
            concludeTiming(loop, level, judged, log);
            loop.accuracyLogged = true;
        }
    }
    if (!loop.paused) {
        loop.lightPosition = glm::vec3(level.pathPosition) + lightOffsetFromPath;
    }
}
