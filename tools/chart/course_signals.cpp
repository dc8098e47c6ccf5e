#include "course_signals.h"

#include "moving_mean.h"

#include <algorithm>
#include <cmath>

namespace chart {

namespace {

constexpr double kSilenceDb = -60.0;
constexpr double kQuietPercentile = 0.1;
constexpr double kLoudPercentile = 0.95;
constexpr double kMinRangeDb = 12.0;
// Loudness is smoothed this far each way: pace follows passages, not notes.
constexpr long kLoudnessRadiusSteps = 20;
// Onsets are counted over this far each way.
constexpr long kBusyRadiusSteps = 30;
// Onsets weaker than this share of the strong ones do not count.
constexpr float kWeakOnsetShare = 0.1f;

double percentileOf(std::vector<double> values, double share) {
    if (values.empty()) {
        return 0.0;
    }
    const auto nth =
        values.begin() + static_cast<long>(share * static_cast<double>(values.size() - 1));
    std::nth_element(values.begin(), nth, values.end());
    return *nth;
}

std::vector<float> asFloats(const std::vector<double>& values) {
    return {values.begin(), values.end()};
}

std::vector<double> loudnessDb(const OnsetAnalysis& analysis, std::size_t steps) {
    std::vector<double> power(steps, 0.0);
    std::vector<int> frames(steps, 0);
    for (std::size_t frame = 0; frame < analysis.loudness.size(); ++frame) {
        const double ms = timeOfFrame(analysis, static_cast<double>(frame));
        const long step = static_cast<long>(std::floor(ms / kSignalStepMs));
        if (step >= 0 && static_cast<std::size_t>(step) < steps) {
            const double level = analysis.loudness[frame];
            power[static_cast<std::size_t>(step)] += level * level;
            ++frames[static_cast<std::size_t>(step)];
        }
    }
    std::vector<double> db(steps, kSilenceDb);
    for (std::size_t step = 0; step < steps; ++step) {
        if (frames[step] > 0 && power[step] > 0.0) {
            db[step] = std::max(kSilenceDb, 10.0 * std::log10(power[step] / frames[step]));
        }
    }
    return db;
}

std::vector<double> normalisedLoudness(const std::vector<double>& db) {
    std::vector<double> heard;
    for (double level : db) {
        if (level > kSilenceDb) {
            heard.push_back(level);
        }
    }
    const double quiet = percentileOf(heard, kQuietPercentile);
    const double loud = percentileOf(heard, kLoudPercentile);
    const double range = std::max(loud - quiet, kMinRangeDb);
    const double floor = (quiet + loud - range) / 2.0;
    std::vector<double> shares;
    for (double level : db) {
        shares.push_back(std::clamp((level - floor) / range, 0.0, 1.0));
    }
    return shares;
}

std::vector<double> onsetRate(const OnsetAnalysis& analysis, std::size_t steps) {
    std::vector<double> strengths;
    for (const Onset& onset : analysis.onsets) {
        strengths.push_back(onset.strength);
    }
    const double weak = kWeakOnsetShare * percentileOf(strengths, 0.9);
    std::vector<float> counts(steps, 0.0f);
    for (const Onset& onset : analysis.onsets) {
        const long step = static_cast<long>(std::floor(onset.timeMs / kSignalStepMs));
        if (onset.strength > weak && step >= 0 && static_cast<std::size_t>(step) < steps) {
            counts[static_cast<std::size_t>(step)] += 1.0f;
        }
    }
    std::vector<double> rate = movingMean(counts, kBusyRadiusSteps);
    const double busiest = std::max(percentileOf(rate, 0.9), 1e-9);
    for (double& value : rate) {
        value = std::clamp(value / busiest, 0.0, 1.0);
    }
    return rate;
}

} // namespace

double CourseSignals::meanOver(const std::vector<double>& signal, double fromMs,
                               double toMs) const {
    if (signal.empty()) {
        return 0.0;
    }
    const long last = static_cast<long>(signal.size()) - 1;
    const long from = std::clamp(static_cast<long>(std::floor(fromMs / kSignalStepMs)), 0L, last);
    const long to =
        std::clamp(static_cast<long>(std::ceil(toMs / kSignalStepMs)), from + 1, last + 1);
    double sum = 0.0;
    for (long step = from; step < to; ++step) {
        sum += signal[static_cast<std::size_t>(step)];
    }
    return sum / static_cast<double>(to - from);
}

CourseSignals courseSignals(const OnsetAnalysis& analysis, double endMs) {
    const std::size_t steps =
        static_cast<std::size_t>(std::max(1.0, std::ceil(endMs / kSignalStepMs)));
    CourseSignals signals;
    signals.loudness = normalisedLoudness(loudnessDb(analysis, steps));
    signals.smoothLoudness = movingMean(asFloats(signals.loudness), kLoudnessRadiusSteps);
    signals.busyness = onsetRate(analysis, steps);
    return signals;
}

} // namespace chart
