#include "chart_folder.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <set>
#include <unistd.h>

#include "chart_files.h"

namespace chart {

namespace fs = std::filesystem;

namespace {

// Entries of the run folder a chart folder does not link: its own files and
// the charting tool.
const std::set<fs::path> kNotLinked = {kBeatFile,      kCueFile,          kConfigFile, kSoundDir,
                                       kChartMarkFile, "cueflight-chart", kCourseFile};

// The game's config.cfg, which every chart's config starts from: without it
// a chart would open no OpenGL 3.2 window, so a file that cannot be read
// stops the chart.
std::string readBaseConfig(const fs::path& path) {
    std::error_code status;
    const std::uintmax_t size = fs::file_size(path, status);
    std::string text(status ? 0 : size, '\0');
    std::ifstream file(path, std::ios::binary);
    if (!status && !file.read(text.data(), static_cast<std::streamsize>(size))) {
        status = std::make_error_code(std::errc::io_error);
    }
    if (status) {
        throw fs::filesystem_error("cannot read the game's settings", path, status);
    }
    return text;
}

void linkEntries(const fs::path& from, const fs::path& to, const std::set<fs::path>& skipped) {
    for (const fs::directory_entry& entry : fs::directory_iterator(from)) {
        const fs::path name = entry.path().filename();
        if (skipped.count(name) == 0) {
            fs::create_symlink(fs::absolute(entry.path()), to / name);
        }
    }
}

fs::path songName(const fs::path& song) {
    std::string extension = song.extension().string();
    for (char& c : extension) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return fs::path("song" + extension);
}

void fillFolder(const fs::path& runDir, const fs::path& song, const Chart& chart, Density density,
                const fs::path& dir) {
    linkEntries(runDir, dir, kNotLinked);
    fs::create_directory(dir / kSoundDir);
    if (fs::is_directory(runDir / kSoundDir)) {
        linkEntries(runDir / kSoundDir, dir / kSoundDir, {});
    }
    const fs::path music = kSoundDir / songName(song);
    fs::remove(dir / music); // a run folder's own file of that name
    fs::copy_file(song, dir / music);
    const std::string config =
        configText(readBaseConfig(runDir / kConfigFile), music.string(), chart);
    if (!writeText(dir / kBeatFile, beatFileText(chart)) ||
        !writeText(dir / kCueFile, cueFileText(chart)) ||
        !writeText(dir / kCourseFile, courseFileText(chart)) ||
        !writeText(dir / kConfigFile, config) ||
        !writeText(dir / kChartMarkFile, chartMarkText(chart, density, song))) {
        throw fs::filesystem_error("cannot write the chart", dir, std::error_code());
    }
}

// A folder this tool made holds its mark. Nothing a player writes in a
// config.cfg (music= is theirs to set) makes a folder a chart.
bool isChartFolder(const fs::path& dir) {
    std::error_code status;
    return fs::is_regular_file(fs::symlink_status(dir / kChartMarkFile, status));
}

// The folder may take the chart: it is missing, empty, or a chart, and it is
// not the game's run folder (which a mark copied into it must not give away).
bool mayReplace(const fs::path& runDir, const fs::path& outDir, std::string& error) {
    std::error_code status;
    if (!fs::exists(outDir, status)) {
        return true;
    }
    if (fs::equivalent(outDir, runDir, status)) {
        error = outDir.string() + " is the game's own run folder";
        return false;
    }
    if (!(fs::is_directory(outDir, status) && fs::is_empty(outDir, status)) &&
        !isChartFolder(outDir)) {
        error = outDir.string() + " exists and is not a chart folder";
        return false;
    }
    return true;
}

} // namespace

bool writeText(const fs::path& path, const std::string& text) {
    std::ofstream file(path, std::ios::binary);
    file << text;
    // A short text is only written as the file closes: a full disk shows then.
    file.close();
    return !file.fail();
}

std::string chartMarkText(const Chart& chart, Density density, const fs::path& song) {
    char numbers[96];
    std::snprintf(numbers, sizeof numbers, "tempo_bpm=%.1f\npreview_ms=%lld\n", chart.tempoBpm,
                  std::llround(chart.previewMs));
    // One line per key: a line break in a file's name cannot end it early.
    std::string songFile = song.filename().string();
    std::replace(songFile.begin(), songFile.end(), '\n', '?');
    std::replace(songFile.begin(), songFile.end(), '\r', '?');
    return "# cueflight-chart made this folder and may replace it with a new chart.\n"
           "chart_version=" +
           std::to_string(kChartVersion) + "\ndensity=" + densityName(density) + "\n" + numbers +
           "song_file=" + songFile + "\n";
}

bool writeChartFolder(const fs::path& runDir, const fs::path& song, const Chart& chart,
                      Density density, const fs::path& outDir, std::string& error,
                      std::string& warning) {
    std::error_code status;
    if (!mayReplace(runDir, outDir, error)) {
        return false;
    }
    const fs::path target = fs::absolute(outDir).lexically_normal();
    const std::string suffix = ".part" + std::to_string(::getpid());
    const fs::path building = target.string() + suffix;
    const fs::path replaced = target.string() + suffix + ".old";
    try {
        fs::create_directories(target.parent_path());
        fs::remove_all(building);
        fs::create_directory(building);
        fillFolder(runDir, song, chart, density, building);
        if (fs::exists(target)) {
            fs::rename(target, replaced);
        }
        fs::rename(building, target);
    } catch (const fs::filesystem_error& failure) {
        fs::remove_all(building, status);
        if (!fs::exists(target, status) && fs::exists(replaced, status)) {
            fs::rename(replaced, target, status);
        }
        error = failure.what();
        return false;
    }
    // The new chart is in place: an old copy that will not go is worth a
    // warning, not a failure.
    fs::remove_all(replaced, status);
    if (status) {
        warning =
            "could not remove the earlier chart " + replaced.string() + ": " + status.message();
    }
    return true;
}

} // namespace chart
