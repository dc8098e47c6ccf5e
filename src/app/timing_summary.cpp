#include "app/timing_summary.h"

#include "app/settings_file.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <sstream>

namespace {

// One decimal; a value that rounds to zero shows no minus sign.
std::string tenths(double ms, bool signedValue) {
    const double rounded = std::round(ms * 10.0) / 10.0;
    std::array<char, 32> text{};
    std::snprintf(text.data(), text.size(), signedValue ? "%+.1f" : "%.1f",
                  rounded == 0.0 ? 0.0 : rounded);
    return text.data();
}

} // namespace

std::string timingLogLine(const game::TimingStats& stats, int misses) {
    std::ostringstream line;
    line << "TIMING: mean " << tenths(stats.meanMs(), true) << " ms, spread "
         << tenths(stats.spreadMs(), false) << " ms, hits " << stats.hits() << ", misses " << misses
         << ", best streak " << stats.bestStreak();
    return line.str();
}

std::string timingSummaryText(const game::TimingStats& stats, int misses) {
    std::ostringstream text;
    text << "HITS " << stats.hits() << "   MISSES " << misses << "   BEST STREAK "
         << stats.bestStreak() << "\\nMEAN " << tenths(stats.meanMs(), true) << " ms   SPREAD "
         << tenths(stats.spreadMs(), false) << " ms";
    return text.str();
}

std::optional<std::string> offsetAdviceText(const game::TimingStats& stats, int currentOffsetMs) {
    const std::optional<int> suggested = game::suggestedOffsetMs(stats, currentOffsetMs);
    if (!suggested) {
        return std::nullopt;
    }
    const long mean = std::lround(stats.meanMs());
    std::ostringstream text;
    text << "Your clicks were " << std::abs(mean) << " ms " << (mean > 0 ? "late" : "early")
         << " on average:\\npress A to set offset_ms=" << *suggested << " in your settings";
    return text.str();
}

std::string offsetAppliedText(int savedOffsetMs, double offsetBeforeMs) {
    std::ostringstream text;
    text << "offset_ms=" << savedOffsetMs << " saved in your settings:\\npress A again for "
         << "offset_ms=" << settingNumber(offsetBeforeMs) << " as before";
    return text.str();
}

std::string offsetNotSavedText(const std::string& reason) {
    return "offset_ms could not be saved:\\n" + reason;
}
