#include "app/config.h"

#include "app/settings.h"
#include "app/window.h"
#include "game/level_sound.h"
#include "game/timing_stats.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <charconv>
#include <climits>
#include <cstdlib>
#include <fstream>
#include <istream>
#include <ostream>
#include <sstream>
#include <system_error>

namespace {

// True when the value held a number, which then replaced the target.
bool readInteger(const std::string& value, int& target) {
    std::optional<int> number = parseConfigInteger(value);
    if (number) {
        target = *number;
    }
    return number.has_value();
}

// A size line without a number keeps the record's side, so a slip in the file
// cannot shrink the window to nothing.
void readWindowSide(const std::string& value, int& sizeInteger, int& side) {
    if (readInteger(value, sizeInteger)) {
        side = std::max(sizeInteger, minimumWindowSide);
    }
}

// Latency beyond the limit is taken as the limit: the judging cannot move
// further (see kJudgingOffsetLimitMs), and a picture further from its sound
// than that is no screen's latency.
void readOffset(const std::string& value, double& target) {
    if (std::optional<double> number = parseConfigDecimal(value)) {
        const double limit = game::kJudgingOffsetLimitMs;
        target = std::clamp(*number, -limit, limit);
    }
}

// An end at or before the song's start would end the game before it began:
// such a value is taken as a slip and changes nothing.
void readSongEnd(const std::string& value) {
    std::optional<int> number = parseConfigInteger(value);
    if (number && *number > 0) {
        songEndMs = *number;
    }
}

// Which lines a file may set: the run folder's config.cfg sets all of them,
// the player's own all but the level's.
// Which lines a file may set: the run folder's config.cfg sets all of them,
// the player's own all but the level's, and a level the song library plays
// the level's alone.
enum class ConfigSource { RunFolder, Player, Level };

bool isLevelKey(const std::string& key) {
    return key == "music" || key == "song_end_ms";
}

void applyLine(const std::string& key, const std::string& value, Window& window) {
    if (key == "window_width") {
        readWindowSide(value, windowWidth, window.width);
    } else if (key == "window_height") {
        readWindowSide(value, windowHeight, window.height);
    } else if (key == "glMajorVersion") {
        readInteger(value, glMajorVersion);
    } else if (key == "glMinorVersion") {
        readInteger(value, glMinorVersion);
    } else if (key == "fullscreen") {
        window.mode = value == "true" ? platform::GLFW_FULLSCREEN : platform::GLFW_WINDOW;
    } else if (key == "forwardcontextflag") {
        forwardcontextflag = value == "true";
    } else if (key == "showfps") {
        showfps = value == "true";
    } else if (key == "demo") {
        demoMode = value == "true";
    } else if (key == "offset_ms") {
        readOffset(value, offsetMs);
    } else if (key == "visual_offset_ms") {
        readOffset(value, visualOffsetMs);
    } else if (key == "music") {
        musicPath = value;
    } else if (key == "song_end_ms") {
        readSongEnd(value);
    } else if (key == "scores") {
        scoresPath = value;
    }
}

void loadLines(std::istream& in, Window& window, ConfigSource source) {
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (line.empty() || line.front() == '#') {
            continue;
        }
        auto split = line.find('=');
        if (split == std::string::npos) {
            continue;
        }
        const std::string key = line.substr(0, split);
        if ((source == ConfigSource::Player && isLevelKey(key)) ||
            (source == ConfigSource::Level && !isLevelKey(key))) {
            continue;
        }
        applyLine(key, line.substr(split + 1), window);
    }
}

} // namespace

std::optional<std::string> readPlayerConfigText(const std::filesystem::path& file,
                                                std::string& reason) {
    std::error_code status;
    if (std::filesystem::is_directory(file, status)) {
        reason = "it is a folder";
        return std::nullopt;
    }
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        reason = std::error_code(errno, std::generic_category()).message();
        return std::nullopt;
    }
    std::string text(kPlayerConfigLimit + 1, '\0');
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    if (in.bad()) {
        reason = "reading failed";
        return std::nullopt;
    }
    text.resize(static_cast<std::size_t>(in.gcount()));
    if (text.size() > kPlayerConfigLimit) {
        reason = "it is larger than 1 MiB";
        return std::nullopt;
    }
    if (text.find('\0') != std::string::npos) {
        reason = "it is not a text file";
        return std::nullopt;
    }
    return text;
}

std::optional<int> parseConfigInteger(const std::string& text) {
    const char* begin = text.c_str();
    char* end = nullptr;
    long number = std::strtol(begin, &end, 0);
    if (end == begin) {
        return std::nullopt;
    }
    return static_cast<int>(std::clamp<long>(number, INT_MIN, INT_MAX));
}

std::optional<double> parseConfigDecimal(const std::string& text) {
    std::optional<int> whole = parseConfigInteger(text);
    if (!whole) {
        return std::nullopt;
    }
    // Where the whole number ends decides: only a decimal one may go on
    // with a point.
    const std::size_t start = text.find_first_not_of(" \t\n\v\f\r");
    std::size_t digits = start;
    const bool negative = text[digits] == '-';
    if (text[digits] == '-' || text[digits] == '+') {
        ++digits;
    }
    std::size_t end = digits;
    while (end < text.size() && std::isdigit(static_cast<unsigned char>(text[end])) != 0) {
        ++end;
    }
    const bool hexadecimal =
        text.compare(digits, 2, "0x") == 0 || text.compare(digits, 2, "0X") == 0;
    if (hexadecimal || end >= text.size() || text[end] != '.') {
        return static_cast<double>(*whole);
    }
    double number = 0.0;
    const auto [stop, status] = std::from_chars(text.data() + digits, text.data() + text.size(),
                                                number, std::chars_format::fixed);
    if (status != std::errc()) {
        return static_cast<double>(*whole);
    }
    return negative ? -number : number;
}

void loadConfig(std::istream& in, Window& window) {
    loadLines(in, window, ConfigSource::RunFolder);
}

void loadConfig(const std::string& fileName, Window& window) {
    std::ifstream file(fileName);
    if (file) {
        loadConfig(file, window);
    }
}

void loadPlayerConfig(const std::filesystem::path& file, bool namedByPlayer, Window& window,
                      std::ostream& err) {
    std::error_code status;
    if (!namedByPlayer && !std::filesystem::exists(std::filesystem::symlink_status(file, status))) {
        return;
    }
    std::string reason;
    std::optional<std::string> text = readPlayerConfigText(file, reason);
    if (!text) {
        err << "cueflight: cannot use your settings " << file.string() << ": " << reason
            << "; playing with the defaults" << std::endl;
        return;
    }
    std::istringstream in(*text);
    loadLines(in, window, ConfigSource::Player);
}

void loadLevelConfig(const std::string& fileName) {
    const game::SongChoice shipped;
    musicPath = shipped.musicPath;
    songEndMs = static_cast<int>(shipped.endMs);
    std::ifstream file(fileName);
    Window windowKeysGoNowhere;
    loadLines(file, windowKeysGoNowhere, ConfigSource::Level);
}
