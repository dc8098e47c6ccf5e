#include "course_signals.h"

#include "moving_mean.h"

#include <algorithm>
#include <cmath>
#include <iterator>

namespace chart {

namespace {

constexpr double kSilenceDb = -60.0;
constexpr double kQuietPercentile = 0.1;
constexpr double kLoudPercentile = 0.95;
constexpr double kMinRangeDb = 12.0;
// Loudness is heard over this far each way, and for the pace and the climbs
// smoothed over this far: pace follows passages, not notes.
constexpr long kStepRadiusSteps = 5;
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

// Mean square of the samples in each step.
std::vector<float> stepPower(const OnsetAnalysis& analysis, std::size_t steps) {
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
    std::vector<float> mean(steps, 0.0f);
    for (std::size_t step = 0; step < steps; ++step) {
        mean[step] = frames[step] > 0 ? static_cast<float>(power[step] / frames[step]) : 0.0f;
    }
    return mean;
}

std::vector<double> decibels(const std::vector<double>& power) {
    std::vector<double> db;
    for (double value : power) {
        db.push_back(value > 0.0 ? std::max(kSilenceDb, 10.0 * std::log10(value)) : kSilenceDb);
    }
    return db;
}

// The loudness of each step from the song's quiet to its loud passages.
struct LoudnessScale {
    double floorDb = 0.0;
    double rangeDb = kMinRangeDb;

    explicit LoudnessScale(const std::vector<double>& db) {
        std::vector<double> heard;
        std::copy_if(db.begin(), db.end(), std::back_inserter(heard),
                     [](double level) { return level > kSilenceDb; });
        const double quiet = percentileOf(heard, kQuietPercentile);
        const double loud = percentileOf(heard, kLoudPercentile);
        rangeDb = std::max(loud - quiet, kMinRangeDb);
        floorDb = (quiet + loud - rangeDb) / 2.0;
    }
    std::vector<double> shares(const std::vector<double>& db) const {
        std::vector<double> result;
        for (double level : db) {
            result.push_back(std::clamp((level - floorDb) / rangeDb, 0.0, 1.0));
        }
        return result;
    }
};

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

double CourseSignals::loudnessOver(double fromMs, double toMs) const {
    const double mean = meanOver(power, fromMs, toMs);
    const double db = mean > 0.0 ? std::max(kSilenceDb, 10.0 * std::log10(mean)) : kSilenceDb;
    return std::clamp((db - floorDb) / rangeDb, 0.0, 1.0);
}

CourseSignals courseSignals(const OnsetAnalysis& analysis, double endMs) {
    const std::size_t steps =
        static_cast<std::size_t>(std::max(1.0, std::ceil(endMs / kSignalStepMs)));
    // Power is averaged before it becomes decibels: a passage of short
    // notes is as loud as its notes, not as the silence between them.
    const std::vector<float> power = stepPower(analysis, steps);
    const std::vector<double> db = decibels(movingMean(power, kStepRadiusSteps));
    const LoudnessScale scale(db);
    CourseSignals signals;
    signals.loudness = scale.shares(db);
    signals.smoothLoudness = scale.shares(decibels(movingMean(power, kLoudnessRadiusSteps)));
    signals.busyness = onsetRate(analysis, steps);
    signals.power.assign(power.begin(), power.end());
    signals.floorDb = scale.floorDb;
    signals.rangeDb = scale.rangeDb;
    return signals;
}

} // namespace chart
