#include "scores_table.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <ostream>
#include <string>

namespace scores {

namespace {

std::string decimal(double value, const char* format = "%.1f") {
    std::array<char, 32> text{};
    std::snprintf(text.data(), text.size(), format, value);
    return text.data();
}

std::string csvField(const std::string& value) {
    if (value.find_first_of(",\"\r\n") == std::string::npos) {
        return value;
    }
    std::string quoted = "\"";
    for (char c : value) {
        quoted += c;
        if (c == '"') {
            quoted += '"';
        }
    }
    return quoted + "\"";
}

// The columns both forms share, in their order.
std::vector<std::string> fieldsOf(const store::PlayRecord& play) {
    return {play.playedAt,
            play.song.title,
            play.song.artist,
            play.density,
            decimal(play.accuracy, "%.2f"),
            play.rating,
            std::to_string(play.hits),
            std::to_string(play.misses),
            std::to_string(play.bestStreak),
            decimal(play.meanMs),
            decimal(play.spreadMs),
            std::to_string(play.offsetMs),
            play.demo ? "yes" : "no",
            std::to_string(play.chartVersion),
            play.song.fileName,
            play.song.id};
}

const std::vector<std::string> kHeader = {"date",        "title",         "artist",    "density",
                                          "accuracy",    "rating",        "hits",      "misses",
                                          "best_streak", "mean_ms",       "spread_ms", "offset_ms",
                                          "demo",        "chart_version", "file",      "song_id"};

// The table leaves out the rating, the chart version and the song's id,
// which CSV keeps for tools.
constexpr std::array<std::size_t, 12> kTableColumns = {0, 1, 2, 3, 4, 6, 7, 8, 9, 10, 11, 12};

} // namespace

void writeCsv(const std::vector<store::PlayRecord>& plays, std::ostream& out) {
    auto writeLine = [&out](const std::vector<std::string>& fields) {
        for (std::size_t i = 0; i < fields.size(); ++i) {
            out << (i > 0 ? "," : "") << csvField(fields[i]);
        }
        out << "\r\n";
    };
    writeLine(kHeader);
    for (const store::PlayRecord& play : plays) {
        writeLine(fieldsOf(play));
    }
}

void writeTable(const std::vector<store::PlayRecord>& plays, std::ostream& out) {
    std::vector<std::vector<std::string>> rows{kHeader};
    for (const store::PlayRecord& play : plays) {
        rows.push_back(fieldsOf(play));
    }
    std::array<std::size_t, kTableColumns.size()> widths{};
    for (const auto& row : rows) {
        for (std::size_t c = 0; c < kTableColumns.size(); ++c) {
            widths[c] = std::max(widths[c], row[kTableColumns[c]].size());
        }
    }
    for (const auto& row : rows) {
        std::string line;
        for (std::size_t c = 0; c < kTableColumns.size(); ++c) {
            const std::string& field = row[kTableColumns[c]];
            line += field + std::string(widths[c] - field.size() + 2, ' ');
        }
        line.erase(line.find_last_not_of(' ') + 1);
        out << line << '\n';
    }
}

} // namespace scores
