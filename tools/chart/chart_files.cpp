#include "chart_files.h"

#include "game/recording_format.h"

#include <cmath>
#include <cstdio>

namespace chart {

std::string beatFileText(const Chart& chart) {
    return game::recordingText(
        game::beatRecordsWithPadding(chart.beatsMs, 60000.0 / chart.tempoBpm));
}

std::string cueFileText(const Chart& chart) {
    return game::recordingText(
        game::cueRecordsWithPadding(chart.cuesMs, chart.endMs + kCueAfterEndMs));
}

std::string courseFileText(const Chart& chart) {
    return game::courseText(chart.course);
}

std::string configText(const std::string& baseConfig, const std::string& musicPath,
                       const Chart& chart) {
    std::string text = baseConfig;
    if (!text.empty() && text.back() != '\n') {
        text += '\n';
    }
    text += "music=" + musicPath + "\n";
    text += "song_end_ms=" + std::to_string(std::llround(chart.endMs)) + "\n";
    return text;
}

std::string summaryLine(const Chart& chart) {
    char line[128];
    std::snprintf(line, sizeof line, "CHART: %.1f BPM, %zu beats, %zu cues, %.1f s", chart.tempoBpm,
                  chart.beatsMs.size(), chart.cuesMs.size(), chart.lengthMs / 1000.0);
    return line;
}

} // namespace chart
