#include "game/course.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <istream>
#include <ostream>
#include <sstream>

namespace game {

namespace {

// Far beyond any course the tool writes, and small enough that nothing a
// file holds makes the game allocate without bound or lose float precision
// to the point of standing still.
constexpr std::size_t kMaxPoints = 100000;
constexpr std::size_t kMaxMarks = 100000;
constexpr double kMaxCoordinate = 1.0e6;
constexpr double kMaxMs = 1.0e9;
constexpr double kMaxTint = 8.0;

// Whitespace-separated numbers, exactly `count` of them, each finite.
bool readNumbers(std::string_view text, double* values, int count) {
    int found = 0;
    std::size_t at = 0;
    while (true) {
        while (at < text.size() && (text[at] == ' ' || text[at] == '\t' || text[at] == '\r')) {
            ++at;
        }
        if (at == text.size()) {
            break;
        }
        if (found == count) {
            return false;
        }
        double value = 0.0;
        const auto [end, error] =
            std::from_chars(text.data() + at, text.data() + text.size(), value);
        if (error != std::errc() || !std::isfinite(value)) {
            return false;
        }
        values[found++] = value;
        at = static_cast<std::size_t>(end - text.data());
        if (at < text.size() && text[at] != ' ' && text[at] != '\t' && text[at] != '\r') {
            return false;
        }
    }
    return found == count;
}

bool within(double value, double low, double high) {
    return value >= low && value <= high;
}

class CourseReader {
public:
    explicit CourseReader(std::string& problemText) : problem(problemText) {}

    bool line(std::string_view text) {
        const std::size_t equals = text.find('=');
        if (text.empty() || text[0] == '#' || equals == std::string_view::npos) {
            return true;
        }
        const std::string_view key = text.substr(0, equals);
        const std::string_view value = text.substr(equals + 1);
        if (key == "course_version") {
            return version(value);
        }
        if (key == "point") {
            return point(value);
        }
        if (key == "section") {
            return section(value);
        }
        if (key == "flare") {
            return flare(value);
        }
        return true;
    }

    bool finish(double songEndMs) {
        if (!versioned) {
            return fail("no course_version=1 line");
        }
        if (course.sections.empty()) {
            return fail("no section");
        }
        if (course.points.size() < pathPointsFor(songEndMs)) {
            problem = std::to_string(course.points.size()) + " points, the song needs " +
                      std::to_string(pathPointsFor(songEndMs));
            return false;
        }
        return true;
    }

    void setLine(long number) { lineNumber = number; }
    Course course;

private:
    bool fail(const std::string& what) {
        problem = (lineNumber > 0 ? "line " + std::to_string(lineNumber) + ": " : "") + what;
        return false;
    }

    bool version(std::string_view value) {
        double number = 0.0;
        if (!readNumbers(value, &number, 1) || number != kCourseVersion) {
            return fail("not a course this game reads (course_version=1)");
        }
        versioned = true;
        return true;
    }

    bool point(std::string_view value) {
        double v[4];
        if (!readNumbers(value, v, 4) || !within(v[0], -kMaxCoordinate, kMaxCoordinate) ||
            !within(v[1], -kMaxCoordinate, kMaxCoordinate) ||
            !within(v[2], -kMaxCoordinate, kMaxCoordinate) || !within(v[3], 0.0, 1.0)) {
            return fail("a point is x y z and a loudness from 0 to 1");
        }
        if (course.points.size() == kMaxPoints) {
            return fail("more than " + std::to_string(kMaxPoints) + " points");
        }
        course.points.emplace_back(v[0], v[1], v[2], 1.0f);
        course.loudness.push_back(static_cast<float>(v[3]));
        return true;
    }

    bool section(std::string_view value) {
        double v[7];
        if (!readNumbers(value, v, 7) || !within(v[0], 0.0, kMaxMs)) {
            return fail("a section is its start in ms and two colours");
        }
        for (int i = 1; i < 7; ++i) {
            if (!within(v[i], 0.0, kMaxTint)) {
                return fail("a section's colours are from 0 to 8");
            }
        }
        const bool first = course.sections.empty();
        if ((first && v[0] != 0.0) || (!first && v[0] <= course.sections.back().startMs)) {
            return fail("sections start at 0 ms and then ascend");
        }
        if (course.sections.size() == kMaxMarks) {
            return fail("too many sections");
        }
        course.sections.push_back({v[0], glm::vec3(v[1], v[2], v[3]), glm::vec3(v[4], v[5], v[6])});
        return true;
    }

    bool flare(std::string_view value) {
        double ms = 0.0;
        if (!readNumbers(value, &ms, 1) || !within(ms, 0.0, kMaxMs) ||
            (!course.flaresMs.empty() && ms <= course.flaresMs.back())) {
            return fail("flares are ascending moments in ms");
        }
        if (course.flaresMs.size() == kMaxMarks) {
            return fail("too many flares");
        }
        course.flaresMs.push_back(ms);
        return true;
    }

    std::string& problem;
    long lineNumber = 0;
    bool versioned = false;
};

std::string numberText(const char* format, double value) {
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

std::string colourText(const glm::vec3& colour) {
    return numberText("%.4f", colour.r) + " " + numberText("%.4f", colour.g) + " " +
           numberText("%.4f", colour.b);
}

} // namespace

std::string courseText(const Course& course) {
    std::string text = "# The flight cueflight-chart made for this song.\ncourse_version=" +
                       std::to_string(kCourseVersion) + "\n";
    for (std::size_t i = 0; i < course.points.size(); ++i) {
        const glm::vec4& p = course.points[i];
        const float loudness = i < course.loudness.size() ? course.loudness[i] : 0.0f;
        text += "point=" + numberText("%.3f", p.x) + " " + numberText("%.3f", p.y) + " " +
                numberText("%.3f", p.z) + " " + numberText("%.3f", loudness) + "\n";
    }
    for (const CourseSection& section : course.sections) {
        text += "section=" + numberText("%.0f", section.startMs) + " " + colourText(section.light) +
                " " + colourText(section.glow) + "\n";
    }
    for (double ms : course.flaresMs) {
        text += "flare=" + numberText("%.0f", ms) + "\n";
    }
    return text;
}

std::optional<Course> readCourse(std::istream& text, double songEndMs, std::string& problem) {
    CourseReader reader(problem);
    std::string line;
    long number = 0;
    while (std::getline(text, line)) {
        reader.setLine(++number);
        if (!reader.line(line)) {
            return std::nullopt;
        }
    }
    reader.setLine(0);
    if (!reader.finish(songEndMs)) {
        return std::nullopt;
    }
    return std::move(reader.course);
}

std::optional<Course> loadCourse(const std::string& path, double songEndMs, std::ostream& errors) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        return std::nullopt;
    }
    std::string problem;
    std::optional<Course> course = readCourse(file, songEndMs, problem);
    if (!course) {
        errors << path << ": " << problem << " - the shipped course is flown instead" << std::endl;
    }
    return course;
}

} // namespace game
