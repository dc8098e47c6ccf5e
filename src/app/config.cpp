#include "app/config.h"

#include "app/settings.h"
#include "app/window.h"
#include "game/timing_stats.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <fstream>
#include <istream>

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
// further (see kJudgingOffsetLimitMs).
void readOffset(const std::string& value) {
    if (readInteger(value, offsetMs)) {
        offsetMs = std::clamp(offsetMs, -game::kJudgingOffsetLimitMs, game::kJudgingOffsetLimitMs);
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
        readOffset(value);
    } else if (key == "music") {
        musicPath = value;
    } else if (key == "song_end_ms") {
        readSongEnd(value);
    }
}

} // namespace

std::optional<int> parseConfigInteger(const std::string& text) {
    const char* begin = text.c_str();
    char* end = nullptr;
    long number = std::strtol(begin, &end, 0);
    if (end == begin) {
        return std::nullopt;
    }
    return static_cast<int>(std::clamp<long>(number, INT_MIN, INT_MAX));
}

void loadConfig(std::istream& in, Window& window) {
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
        applyLine(line.substr(0, split), line.substr(split + 1), window);
    }
}

void loadConfig(const std::string& fileName, Window& window) {
    std::ifstream file(fileName);
    if (file) {
        loadConfig(file, window);
    }
}
