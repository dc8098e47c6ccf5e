#include "app/settings_file.h"

#include "platform/file_replace.h"

#include <array>
#include <charconv>
#include <cmath>
#include <system_error>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct Line {
    std::size_t begin; // first character
    std::size_t end;   // one past the last, before any line ending
};

// Every line with its place; the line ending stays in the text.
std::vector<Line> linesOf(const std::string& text) {
    std::vector<Line> lines;
    std::size_t begin = 0;
    while (begin < text.size()) {
        std::size_t feed = text.find('\n', begin);
        const std::size_t next = feed == std::string::npos ? text.size() : feed + 1;
        std::size_t end = feed == std::string::npos ? text.size() : feed;
        if (end > begin && text[end - 1] == '\r') {
            --end;
        }
        lines.push_back({begin, end});
        begin = next;
    }
    return lines;
}

// Where the key's last line is, read as loadConfig reads it.
std::optional<Line> lastLineOf(const std::string& text, const std::string& key) {
    std::optional<Line> found;
    const std::string prefix = key + "=";
    for (const Line& line : linesOf(text)) {
        if (text.compare(line.begin, prefix.size(), prefix) == 0 &&
            line.end - line.begin >= prefix.size()) {
            found = line;
        }
    }
    return found;
}

std::string lineEndingOf(const std::string& text) {
    const std::size_t feed = text.find('\n');
    return feed != std::string::npos && feed > 0 && text[feed - 1] == '\r' ? "\r\n" : "\n";
}

// The file's folder, made when missing: the player's config folder by the
// XDG rules, or the one --config named.
bool makeFolderOf(const PlayerConfig& config, std::string& error) {
    const fs::path folder = config.file.parent_path();
    if (folder.empty()) {
        return true;
    }
    std::error_code status;
    fs::create_directories(folder, status);
    if (status) {
        error = "cannot make " + folder.string() + ": " + status.message();
        return false;
    }
    return true;
}

} // namespace

std::string settingNumber(double value) {
    const double tenths = std::round(value * 10.0) / 10.0;
    std::array<char, 32> text{};
    const bool whole = tenths == std::round(tenths);
    const auto result =
        whole ? std::to_chars(text.data(), text.data() + text.size(), std::lround(tenths))
              : std::to_chars(text.data(), text.data() + text.size(), tenths,
                              std::chars_format::fixed, 1);
    return std::string(text.data(), result.ptr);
}

std::optional<std::string> settingIn(const std::string& text, const std::string& key) {
    const std::optional<Line> line = lastLineOf(text, key);
    if (!line) {
        return std::nullopt;
    }
    const std::size_t valueBegin = line->begin + key.size() + 1;
    return text.substr(valueBegin, line->end - valueBegin);
}

std::string withSetting(const std::string& text, const std::string& key,
                        const std::optional<std::string>& value) {
    const std::optional<Line> line = lastLineOf(text, key);
    if (line && value) {
        const std::size_t valueBegin = line->begin + key.size() + 1;
        return text.substr(0, valueBegin) + *value + text.substr(line->end);
    }
    if (line) {
        std::size_t next = text.find('\n', line->end);
        next = next == std::string::npos ? text.size() : next + 1;
        return text.substr(0, line->begin) + text.substr(next);
    }
    if (!value) {
        return text;
    }
    const std::string ending = lineEndingOf(text);
    const bool open = !text.empty() && text.back() != '\n';
    return text + (open ? ending : "") + key + "=" + *value + ending;
}

bool savePlayerSetting(const PlayerConfig& config, const std::string& key,
                       std::optional<std::string> value, std::optional<std::string>& before,
                       std::string& error) {
    if (config.file.empty()) {
        error = "there is no settings file: neither HOME nor XDG_CONFIG_HOME names a folder";
        return false;
    }
    std::string text;
    std::error_code status;
    if (fs::exists(config.file, status)) {
        std::optional<std::string> read = readPlayerConfigText(config.file, error);
        if (!read) {
            return false;
        }
        text = std::move(*read);
    } else if (!makeFolderOf(config, error)) {
        return false;
    }
    const std::string changed = withSetting(text, key, value);
    before = settingIn(text, key);
    return platform::replaceFile(config.file, changed, error);
}
