#include "library/song_listing.h"

#include "platform/atomic_write.h"

#include <fstream>
#include <sstream>
#include <vector>

namespace library {

namespace fs = std::filesystem;

namespace {

constexpr const char* kHeader = "# cueflight song listing 1";

// Fields are tab-separated; names may hold tabs, line breaks and anything
// else but a NUL, so those and the backslash are escaped.
std::string escaped(const std::string& text) {
    std::string out;
    for (char c : text) {
        switch (c) {
        case '\\':
            out += "\\\\";
            break;
        case '\t':
            out += "\\t";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        default:
            out += c;
        }
    }
    return out;
}

std::optional<std::string> unescaped(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\') {
            out += text[i];
            continue;
        }
        if (++i == text.size()) {
            return std::nullopt;
        }
        switch (text[i]) {
        case '\\':
            out += '\\';
            break;
        case 't':
            out += '\t';
            break;
        case 'n':
            out += '\n';
            break;
        case 'r':
            out += '\r';
            break;
        default:
            return std::nullopt;
        }
    }
    return out;
}

std::vector<std::string> fieldsOf(const std::string& line) {
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (std::size_t tab; (tab = line.find('\t', start)) != std::string::npos; start = tab + 1) {
        fields.push_back(line.substr(start, tab - start));
    }
    fields.push_back(line.substr(start));
    return fields;
}

template <typename Number> std::optional<Number> numberOf(const std::string& text) {
    if (text.empty()) {
        return std::nullopt;
    }
    std::istringstream in(text);
    Number value{};
    in >> value;
    if (in.fail() || !in.eof()) {
        return std::nullopt;
    }
    return value;
}

} // namespace

std::optional<SongFacts> SongListing::find(const FoundFile& file) const {
    auto known = files.find(file.path);
    if (known == files.end() || known->second.size != file.size ||
        known->second.modified != file.modified) {
        return std::nullopt;
    }
    return known->second.facts;
}

void SongListing::remember(const FoundFile& file, const SongFacts& facts) {
    files[file.path] = {file.size, file.modified, facts};
}

std::optional<std::string> SongListing::chartProblem(const std::string& identity,
                                                     int chartVersion) const {
    auto known = chartProblems.find(identity);
    if (identity.empty() || known == chartProblems.end() || known->second.first != chartVersion) {
        return std::nullopt;
    }
    return known->second.second;
}

void SongListing::rememberChartProblem(const std::string& identity, int chartVersion,
                                       const std::string& reason) {
    chartProblems[identity] = {chartVersion, reason};
}

// "F" lines: path, size, modified, length, identity, title, artist, problem.
// "X" lines: identity, chart version, reason.
std::string SongListing::text() const {
    std::ostringstream out;
    out << kHeader << '\n';
    for (const auto& [path, known] : files) {
        const SongFacts& facts = known.facts;
        out << "F\t" << escaped(path.string()) << '\t' << known.size << '\t' << known.modified
            << '\t' << facts.lengthMs << '\t' << facts.identity << '\t' << escaped(facts.title)
            << '\t' << escaped(facts.artist) << '\t' << escaped(facts.problem) << '\n';
    }
    for (const auto& [identity, problem] : chartProblems) {
        out << "X\t" << identity << '\t' << problem.first << '\t' << escaped(problem.second)
            << '\n';
    }
    return out.str();
}

SongListing SongListing::parse(const std::string& text) {
    SongListing listing;
    std::istringstream in(text);
    std::string line;
    if (!std::getline(in, line) || line != kHeader) {
        return listing;
    }
    while (std::getline(in, line)) {
        const std::vector<std::string> fields = fieldsOf(line);
        if (fields[0] == "F" && fields.size() == 9) {
            std::optional<std::string> path = unescaped(fields[1]);
            auto size = numberOf<std::uintmax_t>(fields[2]);
            auto modified = numberOf<std::int64_t>(fields[3]);
            auto length = numberOf<long long>(fields[4]);
            auto title = unescaped(fields[6]);
            auto artist = unescaped(fields[7]);
            auto problem = unescaped(fields[8]);
            if (path && !path->empty() && size && modified && length && title && artist &&
                problem) {
                listing.files[*path] = {*size, *modified,
                                        SongFacts{*title, *artist, *length, fields[5], *problem}};
            }
        } else if (fields[0] == "X" && fields.size() == 4) {
            auto version = numberOf<int>(fields[2]);
            auto reason = unescaped(fields[3]);
            if (!fields[1].empty() && version && reason) {
                listing.chartProblems[fields[1]] = {*version, *reason};
            }
        }
    }
    return listing;
}

SongListing SongListing::load(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return parse(text.str());
}

bool SongListing::save(const fs::path& file) const {
    std::string error;
    return platform::writeFileAtomically(file, text(), error, platform::Durability::Cache);
}

} // namespace library
