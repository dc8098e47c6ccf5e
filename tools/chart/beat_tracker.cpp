#include "beat_tracker.h"

#include "moving_mean.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace chart {

namespace {

// The tempo most music sits near, and how widely (octaves) it may stray.
constexpr double kUsualBeatSeconds = 0.5;
constexpr double kTempoSpreadOctaves = 1.0;
// The searched tempi lie a little inside the range, so that the tempo of
// the beats found, which may drift from the period searched, stays in it.
constexpr double kSlowestSearchedBpm = kMinTempoBpm * 1.05;
constexpr double kFastestSearchedBpm = kMaxTempoBpm / 1.05;
// A pulse correlates with itself one period on by at least this share of
// its power more than the envelope does at a typical lag. Kept low: quiet
// orchestral music stands out from noise by little more than this.
constexpr double kMinPulseContrast = 0.01;
// How much a step away from the period costs against onset strength.
// Held tight: a chain that follows the off-beats of a sparse intro for a
// few beats costs more than those onsets bring, so the whole song keeps one
// phase while a gradual change of tempo stays cheap.
constexpr double kTightness = 2000.0;
// The mean-removal window for the envelope, seconds each side.
constexpr double kLocalMeanSeconds = 0.25;

// The envelope less its local mean, scaled to unit deviation: what stands
// out from the sound around it.
std::vector<double> normalisedEnvelope(const OnsetAnalysis& analysis) {
    const std::vector<float>& envelope = analysis.envelope;
    const long radius = std::max(1L, std::lround(kLocalMeanSeconds * 1000.0 / analysis.frameMs));
    const std::vector<double> means = movingMean(envelope, radius);
    std::vector<double> result(envelope.size());
    double squares = 0.0;
    for (std::size_t i = 0; i < envelope.size(); ++i) {
        result[i] = std::max(0.0, envelope[i] - means[i]);
        squares += result[i] * result[i];
    }
    const double deviation =
        std::sqrt(squares / static_cast<double>(std::max<std::size_t>(envelope.size(), 1)));
    if (deviation > 0.0) {
        for (double& value : result) {
            value /= deviation;
        }
    }
    return result;
}

double autocorrelation(const std::vector<double>& values, long lag) {
    double sum = 0.0;
    for (std::size_t i = static_cast<std::size_t>(lag); i < values.size(); ++i) {
        sum += values[i] * values[i - static_cast<std::size_t>(lag)];
    }
    return sum;
}

// The beat period in frames, or 0 when no lag stands out.
double beatPeriod(const std::vector<double>& onsets, double frameMs) {
    const long shortest = static_cast<long>(std::floor(60000.0 / kFastestSearchedBpm / frameMs));
    const long longest = static_cast<long>(std::ceil(60000.0 / kSlowestSearchedBpm / frameMs));
    const double power = autocorrelation(onsets, 0);
    if (power <= 0.0 || static_cast<long>(onsets.size()) <= 2 * longest) {
        return 0.0;
    }
    std::vector<double> correlation(static_cast<std::size_t>(longest + 2), 0.0);
    std::vector<double> score(correlation.size(), 0.0);
    long best = shortest;
    for (long lag = shortest - 1; lag <= longest + 1; ++lag) {
        const auto at = static_cast<std::size_t>(lag);
        const double octaves = std::log2(lag * frameMs / 1000.0 / kUsualBeatSeconds);
        const double prior = std::exp(-0.5 * std::pow(octaves / kTempoSpreadOctaves, 2.0));
        correlation[at] = autocorrelation(onsets, lag);
        score[at] = prior * correlation[at];
        if (lag >= shortest && lag <= longest &&
            score[at] > score[static_cast<std::size_t>(best)]) {
            best = lag;
        }
    }
    // Noise correlates about equally at every lag; a pulse stands out.
    std::vector<double> searched(correlation.begin() + shortest, correlation.begin() + longest + 1);
    std::nth_element(searched.begin(), searched.begin() + static_cast<long>(searched.size() / 2),
                     searched.end());
    const double typical = searched[searched.size() / 2];
    if (correlation[static_cast<std::size_t>(best)] - typical < kMinPulseContrast * power) {
        return 0.0;
    }
    // A parabola through the peak and its neighbours places it between lags.
    const double before = score[static_cast<std::size_t>(best - 1)];
    const double peak = score[static_cast<std::size_t>(best)];
    const double after = score[static_cast<std::size_t>(best + 1)];
    const double curvature = before - 2.0 * peak + after;
    const double shift = curvature < 0.0 ? 0.5 * (before - after) / curvature : 0.0;
    return static_cast<double>(best) + std::clamp(shift, -0.5, 0.5);
}

// The best chain of beats about `period` frames apart through the onsets.
std::vector<long> beatChain(const std::vector<double>& onsets, double period) {
    const long count = static_cast<long>(onsets.size());
    std::vector<double> score(onsets.size(), 0.0);
    std::vector<long> previous(onsets.size(), -1);
    const long nearest = std::max(1L, std::lround(period / 2.0));
    const long farthest = std::lround(period * 2.0);
    // What a step of each length costs, looked up rather than computed per pair.
    std::vector<double> stepCost(static_cast<std::size_t>(farthest + 1), 0.0);
    for (long step = nearest; step <= farthest; ++step) {
        const double stretch = std::log(static_cast<double>(step) / period);
        stepCost[static_cast<std::size_t>(step)] = kTightness * stretch * stretch;
    }
    for (long n = 0; n < count; ++n) {
        double best = 0.0;
        for (long m = std::max(0L, n - farthest); m <= n - nearest; ++m) {
            const double candidate = score[m] - stepCost[static_cast<std::size_t>(n - m)];
            if (candidate > best || previous[n] < 0) {
                best = candidate;
                previous[n] = m;
            }
        }
        score[n] = onsets[n] + std::max(best, 0.0);
        if (best < 0.0) {
            previous[n] = -1;
        }
    }
    // The chain ends on the best-scoring frame of the last period.
    const long from = std::max(0L, count - 1 - std::lround(period));
    long last = from;
    for (long n = from; n < count; ++n) {
        if (score[n] > score[last]) {
            last = n;
        }
    }
    std::vector<long> chain;
    for (long n = last; n >= 0; n = previous[n]) {
        chain.push_back(n);
    }
    std::reverse(chain.begin(), chain.end());
    return chain;
}

// A beat on an envelope peak sits between frames where the peak's two
// sides are unequal.
double refinedFrame(const std::vector<double>& onsets, long frame) {
    if (frame <= 0 || frame + 1 >= static_cast<long>(onsets.size())) {
        return static_cast<double>(frame);
    }
    const double before = onsets[frame - 1], peak = onsets[frame], after = onsets[frame + 1];
    const double curvature = before - 2.0 * peak + after;
    if (peak < before || peak < after || curvature >= 0.0) {
        return static_cast<double>(frame);
    }
    return static_cast<double>(frame) + std::clamp(0.5 * (before - after) / curvature, -0.5, 0.5);
}

// Beats of a chain that starts late (after an intro without a pulse) or
// ends early go on at the period of its first or last few beats, so the
// cues pulse from the start to the end.
void extendToBothEnds(std::vector<double>& frames, double lastFrame) {
    constexpr std::size_t kEdgeBeats = 4;
    if (frames.size() < kEdgeBeats + 1) {
        return;
    }
    const double early = (frames[kEdgeBeats] - frames[0]) / kEdgeBeats;
    const double late = (frames.back() - frames[frames.size() - 1 - kEdgeBeats]) / kEdgeBeats;
    std::vector<double> before;
    for (double frame = frames.front() - early; frame >= 0.0; frame -= early) {
        before.push_back(frame);
    }
    frames.insert(frames.begin(), before.rbegin(), before.rend());
    for (double frame = frames.back() + late; frame <= lastFrame; frame += late) {
        frames.push_back(frame);
    }
}

} // namespace

std::vector<double> trackBeats(const OnsetAnalysis& analysis) {
    const std::vector<double> onsets = normalisedEnvelope(analysis);
    const double period = beatPeriod(onsets, analysis.frameMs);
    if (period <= 0.0) {
        return {};
    }
    std::vector<double> frames;
    for (long frame : beatChain(onsets, period)) {
        frames.push_back(refinedFrame(onsets, frame));
    }
    extendToBothEnds(frames, static_cast<double>(onsets.size() - 1));
    std::vector<double> beats;
    for (double frame : frames) {
        beats.push_back(timeOfFrame(analysis, frame));
    }
    return beats;
}

double tempoOf(const std::vector<double>& beatsMs) {
    const std::size_t count = beatsMs.size();
    if (count < 2) {
        return 0.0;
    }
    // The slope of a least-squares line through the beats against their
    // numbers: one late or early beat hardly moves it.
    const double meanIndex = (static_cast<double>(count) - 1.0) / 2.0;
    const double meanTime = std::accumulate(beatsMs.begin(), beatsMs.end(), 0.0) / count;
    double covariance = 0.0, variance = 0.0;
    for (std::size_t i = 0; i < count; ++i) {
        const double index = static_cast<double>(i) - meanIndex;
        covariance += index * (beatsMs[i] - meanTime);
        variance += index * index;
    }
    const double periodMs = covariance / variance;
    return periodMs > 0.0 ? 60000.0 / periodMs : 0.0;
}

} // namespace chart
