#include "chart_folder.h"

#include <cctype>
#include <fstream>
#include <iterator>
#include <set>
#include <unistd.h>

#include "chart_files.h"

namespace chart {

namespace fs = std::filesystem;

namespace {

// Entries of the run folder a chart folder does not link: its own files and
// the charting tool.
const std::set<fs::path> kNotLinked = {kBeatFile, kCueFile, kConfigFile, kSoundDir,
                                       "cueflight-chart"};

bool writeText(const fs::path& path, const std::string& text) {
    std::ofstream file(path, std::ios::binary);
    file << text;
    file.close();
    return !file.fail();
}

std::string readText(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
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

void fillFolder(const fs::path& runDir, const fs::path& song, const Chart& chart,
                const fs::path& dir) {
    linkEntries(runDir, dir, kNotLinked);
    fs::create_directory(dir / kSoundDir);
    if (fs::is_directory(runDir / kSoundDir)) {
        linkEntries(runDir / kSoundDir, dir / kSoundDir, {});
    }
    const fs::path music = kSoundDir / songName(song);
    fs::remove(dir / music); // a run folder's own file of that name
    fs::copy_file(song, dir / music);
    const std::string config = configText(readText(runDir / kConfigFile), music.string(), chart);
    if (!writeText(dir / kBeatFile, beatFileText(chart)) ||
        !writeText(dir / kCueFile, cueFileText(chart)) || !writeText(dir / kConfigFile, config)) {
        throw fs::filesystem_error("cannot write the chart", dir, std::error_code());
    }
}

// A folder this tool made: its config names a song of its own. The game's run
// folder has cue and config files too, but plays the shipped song.
bool isChartFolder(const fs::path& dir) {
    const std::string config = readText(dir / kConfigFile);
    return fs::is_regular_file(dir / kCueFile) &&
           (config.rfind("music=", 0) == 0 || config.find("\nmusic=") != std::string::npos);
}

} // namespace

bool writeChartFolder(const fs::path& runDir, const fs::path& song, const Chart& chart,
                      const fs::path& outDir, std::string& error) {
    std::error_code status;
    if (fs::exists(outDir, status) &&
        !(fs::is_directory(outDir, status) && fs::is_empty(outDir, status)) &&
        !isChartFolder(outDir)) {
        error = outDir.string() + " exists and is not a chart folder";
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
        fillFolder(runDir, song, chart, building);
        if (fs::exists(target)) {
            fs::rename(target, replaced);
        }
        fs::rename(building, target);
        fs::remove_all(replaced);
        return true;
    } catch (const fs::filesystem_error& failure) {
        fs::remove_all(building, status);
        if (!fs::exists(target, status) && fs::exists(replaced, status)) {
            fs::rename(replaced, target, status);
        }
        error = failure.what();
        return false;
    }
}

} // namespace chart
