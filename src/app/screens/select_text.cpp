#include "app/screens/select_text.h"

#include <cstdio>

namespace selecttext {

namespace {

constexpr std::size_t kNameWidth = 32;
constexpr std::size_t kLengthWidth = 6;
constexpr std::size_t kTempoWidth = 9;
constexpr std::size_t kBestWidth = 10; // "100.0 99x" and a blank before it
constexpr std::size_t kLineWidth = kNameWidth + kLengthWidth + kTempoWidth + 3 * kBestWidth;

std::string rightAligned(const std::string& text, std::size_t width) {
    if (text.size() >= width) {
        return text.substr(0, width);
    }
    return std::string(width - text.size(), ' ') + text;
}

std::string nameOf(const library::SongRow& row) {
    std::string name = row.name();
    if (!row.artist.empty()) {
        name += " - " + row.artist;
    }
    return library::drawableText(name);
}

std::string tempoText(const library::SongRow& row) {
    char text[32] = "";
    if (row.tempoBpm > 0.0) {
        std::snprintf(text, sizeof text, "%.0f BPM", row.tempoBpm);
    }
    for (library::Density density : library::kDensities) {
        if (row.chart(density) == library::ChartState::Charting) {
            std::snprintf(text, sizeof text, ".. %d%%", row.chartingPercent);
        }
    }
    return text;
}

std::string bestText(const library::SongRow& row, library::Density density) {
    const auto index = static_cast<std::size_t>(density);
    if (row.bestPercent[index] < 0.0) {
        return "-";
    }
    const int plays = row.plays[index];
    char text[32];
    std::snprintf(text, sizeof text, "%.1f %s", row.bestPercent[index],
                  plays > 99 ? "99+" : (std::to_string(plays) + "x").c_str());
    return text;
}

} // namespace

std::string upper(const char* text) {
    std::string out = text;
    for (char& c : out) {
        c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
    }
    return out;
}

std::string fitted(const std::string& text, std::size_t width) {
    if (text.size() <= width) {
        return text + std::string(width - text.size(), ' ');
    }
    if (width <= 3) {
        return text.substr(0, width);
    }
    return text.substr(0, width - 3) + "...";
}

std::string lengthText(long long lengthMs) {
    if (lengthMs <= 0) {
        return "";
    }
    const long long seconds = (lengthMs + 500) / 1000;
    char text[32];
    if (seconds >= 3600) {
        std::snprintf(text, sizeof text, "%lld:%02lld:%02lld", seconds / 3600, seconds / 60 % 60,
                      seconds % 60);
    } else {
        std::snprintf(text, sizeof text, "%lld:%02lld", seconds / 60, seconds % 60);
    }
    return text;
}

std::string headerLine() {
    std::string line = fitted("SONG", kNameWidth) + rightAligned("LENGTH", kLengthWidth) +
                       rightAligned("TEMPO", kTempoWidth);
    for (library::Density density : library::kDensities) {
        line += rightAligned(upper(library::densityName(density)), kBestWidth);
    }
    return line;
}

std::string rowLine(const library::SongRow& row) {
    const std::string name = fitted(nameOf(row), kNameWidth - 1) + " ";
    if (!row.problem.empty()) {
        return name + fitted(library::drawableText(row.problem), kLineWidth - kNameWidth);
    }
    std::string line = name + rightAligned(lengthText(row.lengthMs), kLengthWidth) +
                       rightAligned(tempoText(row), kTempoWidth);
    for (library::Density density : library::kDensities) {
        line += rightAligned(bestText(row, density), kBestWidth);
    }
    return line;
}

std::string detailLine(const library::SongRow& row, library::Density density) {
    const std::string at = upper(library::densityName(density));
    if (!row.problem.empty()) {
        return fitted("Cannot be played: " + library::drawableText(row.problem), kLineWidth);
    }
    switch (row.chart(density)) {
    case library::ChartState::Charting:
        return fitted("Charting for " + at + ": " + std::to_string(row.chartingPercent) + " %",
                      kLineWidth);
    case library::ChartState::Missing:
    case library::ChartState::Unknown:
        return fitted("Not charted for " + at + " yet: Enter charts it, then it plays", kLineWidth);
    case library::ChartState::Charted:
        break;
    }
    return fitted(library::drawableText(row.path.filename().string()), kLineWidth);
}

std::string chartedLine(int charted, int songs, bool scanning) {
    std::string line = "charted " + std::to_string(charted) + " of " + std::to_string(songs);
    return scanning ? "scanning, " + line : line;
}

std::string historyLine(const store::PlaySummary& play) {
    std::string date = play.playedAt;
    if (date.size() >= 16) {
        date = date.substr(0, 10) + " " + date.substr(11, 5); // minutes are enough
    }
    char text[128];
    std::snprintf(text, sizeof text, "%-17s %-7s %6.1f %%   mean %+7.1f ms   spread %5.1f ms%s",
                  date.c_str(), upper(play.density.c_str()).c_str(), play.accuracy, play.meanMs,
                  play.spreadMs, play.demo ? "   demo" : "");
    return text;
}

} // namespace selecttext
