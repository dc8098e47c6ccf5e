// How the courses of charted songs follow their music and keep to the
// limits, one row per chart folder (made by cueflight-chart):
//   sections    how many the course has
//   rho         Spearman's rank correlation between a section's loudness
//               (its mean power in dB, from the song itself) and its pace
//               (distance flown over its time, as a share of the shipped
//               loop's pace)
//   pace        the slowest and fastest section
//   turn        the fastest camera turn over the song, degrees a second
//               (limit game::kMaxTurnDegreesPerSecond)
//   bend        the sharpest bend as a share of the shipped loop's sharpest
//   shipped     the same two measures for the shipped loop over its song,
//               in the first row, as the baseline
//
//   bench_course_shape [--sections] CHART_DIR...   (--sections: each one's too)
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <numeric>
#include <sstream>
#include <string>
#include <vector>

#include "analysis_signal.h"
#include "app/config.h"
#include "app/settings.h"
#include "app/window.h"
#include "game/course.h"
#include "game/flight_measures.h"
#include "onset_analysis.h"
#include "song_file.h"

namespace fs = std::filesystem;

namespace {

std::vector<double> ranks(const std::vector<double>& values) {
    std::vector<std::size_t> order(values.size());
    std::iota(order.begin(), order.end(), 0);
    std::sort(order.begin(), order.end(), [&](auto a, auto b) { return values[a] < values[b]; });
    std::vector<double> rank(values.size());
    for (std::size_t i = 0; i < order.size();) {
        std::size_t j = i;
        while (j + 1 < order.size() && values[order[j + 1]] == values[order[i]]) {
            ++j;
        }
        for (std::size_t k = i; k <= j; ++k) {
            rank[order[k]] = (static_cast<double>(i + j) / 2.0) + 1.0;
        }
        i = j + 1;
    }
    return rank;
}

double spearman(const std::vector<double>& a, const std::vector<double>& b) {
    const std::vector<double> ra = ranks(a), rb = ranks(b);
    const double n = static_cast<double>(a.size());
    const double mean = (n + 1.0) / 2.0;
    double cov = 0.0, va = 0.0, vb = 0.0;
    for (std::size_t i = 0; i < a.size(); ++i) {
        cov += (ra[i] - mean) * (rb[i] - mean);
        va += (ra[i] - mean) * (ra[i] - mean);
        vb += (rb[i] - mean) * (rb[i] - mean);
    }
    return va > 0.0 && vb > 0.0 ? cov / std::sqrt(va * vb) : 0.0;
}

// Mean power in dB of the song between two moments.
double loudnessDb(const chart::OnsetAnalysis& analysis, double fromMs, double toMs) {
    double power = 0.0;
    long frames = 0;
    for (long frame = chart::frameAt(analysis, fromMs); frame <= chart::frameAt(analysis, toMs);
         ++frame) {
        const double level = analysis.loudness[static_cast<std::size_t>(frame)];
        power += level * level;
        ++frames;
    }
    return 10.0 * std::log10(std::max(power / std::max(frames, 1L), 1e-12));
}

void measure(const fs::path& dir, bool listSections) {
    setDefaultSettings();
    Window window;
    loadConfig((dir / "config.cfg").string(), window);
    const double endMs = songEndMs;
    std::ifstream courseFile(dir / game::kCourseFile);
    std::string problem;
    const std::optional<game::Course> course = game::readCourse(courseFile, endMs, problem);
    std::string error;
    const std::optional<chart::DecodedSong> song = chart::decodeSong(dir / musicPath, error);
    if (!course || !song) {
        std::printf("%-28s %s%s\n", dir.filename().c_str(), problem.c_str(), error.c_str());
        return;
    }
    const chart::OnsetAnalysis analysis = chart::analyseOnsets(song->signal);
    std::vector<double> loudness, pace;
    for (std::size_t i = 0; i < course->sections.size(); ++i) {
        const double from = course->sections[i].startMs;
        const double to = i + 1 < course->sections.size() ? course->sections[i + 1].startMs : endMs;
        loudness.push_back(loudnessDb(analysis, from, to));
        pace.push_back(game::distanceFlown(course->points, from / 1000.0, to / 1000.0) /
                       ((to - from) / 1000.0) / game::shippedPace());
    }
    if (listSections) {
        for (std::size_t i = 0; i < pace.size(); ++i) {
            std::printf("    section %zu at %6.1f s: %6.1f dB, pace %.2f\n", i + 1,
                        course->sections[i].startMs / 1000.0, loudness[i], pace[i]);
        }
    }
    const game::SegmentTurns worst = game::worstTurns(course->points, endMs);
    std::printf("%-28s %8zu %6.2f %5.2f-%4.2f %6.1f %6.2f\n", dir.filename().c_str(),
                course->sections.size(), spearman(loudness, pace),
                *std::min_element(pace.begin(), pace.end()),
                *std::max_element(pace.begin(), pace.end()), worst.turnDegreesPerSecond,
                worst.curvature / game::shippedSharpestBend());
}

} // namespace

int main(int argc, char** argv) {
    const game::SegmentTurns shipped = game::worstTurns(game::pathControlPoints(), 116000.0);
    std::printf("%-28s %8s %6s %9s %6s %6s\n", "chart", "sections", "rho", "pace", "turn", "bend");
    std::printf("%-28s %8s %6s %9s %6.1f %6.2f\n", "(shipped loop, 116 s)", "-", "-", "1.00",
                shipped.turnDegreesPerSecond, 1.0);
    const bool listSections = argc > 1 && std::string(argv[1]) == "--sections";
    for (int i = listSections ? 2 : 1; i < argc; ++i) {
        std::string dir = argv[i];
        while (dir.size() > 1 && dir.back() == '/') {
            dir.pop_back();
        }
        measure(dir, listSections);
    }
    return 0;
}
