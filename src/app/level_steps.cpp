#include "app/level_steps.h"

#include "app/accuracy.h"
#include "app/score_keeping.h"
#include "app/settings.h"
#include "app/timing_summary.h"
#include "game/level.h"
#include "scenegraph/root_node.h"

#include <cmath>
#include <iostream>

void startDemo(LoopState& loop, scenegraph::RootNode& root) {
    root.setActiveCamera(demoCameraName);
    loop.currentCamName = demoCameraName;
}

void concludeTiming(LoopState& loop, const game::TimingStats& stats, int judged, int offsetMs,
                    std::ostream& log) {
    const int misses = judged - stats.hits();
    log << timingLogLine(stats, misses) << std::endl;
    loop.endOfSong.summary = timingSummaryText(stats, misses);
    loop.endOfSong.stats = stats;
    // The demo's clicks tell nothing of a player's latency.
    const std::optional<std::string> advice =
        demoMode ? std::nullopt : offsetAdviceText(stats, offsetMs);
    loop.endOfSong.advice = advice.value_or("");
    loop.endOfSong.suggestion = loop.endOfSong.advice;
    if (advice) {
        loop.endOfSong.suggestedOffsetMs = game::suggestedOffsetMs(stats, offsetMs);
        loop.endOfSong.offsetBeforeMs = offsetMs;
    }
}

void followLevel(LoopState& loop, const Level& level, std::ostream& log) {
    loop.paused = level.paused;
    if (loop.paused && level.finished) {
        const int judged = level.judgeableCueCount();
        if (!loop.accuracyLogged) {
            loop.endOfSong.accuracy = accuracyText(level.hitCount(), judged);
            log << accuracyLogLine(level.hitCount(), judged) << std::endl;
            concludeTiming(loop, level.getFeedback().stats(), judged,
                           static_cast<int>(std::lround(level.judgingOffsetMs)), log);
            if (loop.scoreKeeping != nullptr) {
                keepScore(*loop.scoreKeeping, level, loop.endOfSong, log, std::cerr);
            }
            // Last, so the lines a player's run prints keep their order.
            if (demoMode) {
                log << "DEMO: early clicks " << loop.demo.earlyClickCount() << std::endl;
            }
            loop.accuracyLogged = true;
            loop.endScreen = true;
        }
        loop.messageOverlay.setText(loop.endOfSong.accuracy, accuracyLine, accuracySize);
    }
    if (!loop.paused) {
        loop.lightPosition = glm::vec3(level.pathPosition) + lightOffsetFromPath;
    }
}
