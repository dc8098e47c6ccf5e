// Draws a chart's course: above, seen from overhead (the flight from left to
// right, left and right of it up and down the picture); below, seen from the
// side (climbs up, dives down). The line's colour is the song's loudness,
// from blue (quiet) through yellow to red (loud); the shipped loop is drawn
// in grey beneath for comparison, and ticks along the top edge mark where
// the sections start, in the colour of their light. Distances across the
// flight are drawn larger than along it.
//
//   course_map CHART_DIR OUT.png

#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb_image_write.h>

#include "app/config.h"
#include "app/settings.h"
#include "app/window.h"
#include "game/course.h"
#include "game/path.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

constexpr int kWidth = 1200;
constexpr int kViewHeight = 300;
constexpr int kMargin = 20;

struct Picture {
    int width, height;
    std::vector<unsigned char> rgb;

    Picture(int w, int h) : width(w), height(h), rgb(static_cast<std::size_t>(w * h * 3), 16) {}

    void dot(int x, int y, glm::vec3 colour, int radius) {
        for (int dy = -radius; dy <= radius; ++dy) {
            for (int dx = -radius; dx <= radius; ++dx) {
                const int px = x + dx, py = y + dy;
                if (px < 0 || py < 0 || px >= width || py >= height ||
                    dx * dx + dy * dy > radius * radius) {
                    continue;
                }
                unsigned char* pixel = &rgb[static_cast<std::size_t>((py * width + px) * 3)];
                for (int c = 0; c < 3; ++c) {
                    pixel[c] =
                        static_cast<unsigned char>(std::clamp(colour[c], 0.0f, 1.0f) * 255.0f);
                }
            }
        }
    }
};

glm::vec3 heat(float loudness) {
    const glm::vec3 quiet(0.25f, 0.45f, 1.0f), middle(1.0f, 0.9f, 0.3f), loud(1.0f, 0.2f, 0.1f);
    return loudness < 0.5f ? glm::mix(quiet, middle, loudness * 2.0f)
                           : glm::mix(middle, loud, loudness * 2.0f - 1.0f);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s CHART_DIR OUT.png\n", argv[0]);
        return 2;
    }
    const std::filesystem::path dir = argv[1];
    setDefaultSettings();
    Window window;
    loadConfig((dir / "config.cfg").string(), window);
    const double endMs = songEndMs;
    std::ifstream file(dir / game::kCourseFile);
    std::string problem;
    const std::optional<game::Course> course = game::readCourse(file, endMs, problem);
    if (!course) {
        std::fprintf(stderr, "%s: %s\n", argv[1], problem.c_str());
        return 1;
    }
    const double seconds = endMs / 1000.0;
    const game::PathPoints shipped = game::levelPath(endMs);
    auto place = [&](const game::PathPoints& points, double t) {
        return glm::vec3(game::pathPointAt(points, t));
    };
    // One scale along the flight and one across it (larger: a course is
    // many times longer than it is wide), for both views and both paths.
    float far = 1.0f, side = 1.0f;
    for (double t = 0.0; t <= seconds; t += 0.5) {
        for (const game::PathPoints* points : {&course->points, &shipped}) {
            const glm::vec3 p = place(*points, t);
            far = std::max(far, -p.z);
            side = std::max({side, std::abs(p.x), std::abs(p.y)});
        }
    }
    const float along = (kWidth - 2.0f * kMargin) / far;
    const float across = (kViewHeight / 2.0f - kMargin) / side;
    Picture picture(kWidth, 2 * kViewHeight);
    auto draw = [&](const glm::vec3& p, int view, glm::vec3 colour, int radius) {
        const float aside = view == 0 ? p.x : -p.y;
        picture.dot(kMargin + static_cast<int>(-p.z * along),
                    view * kViewHeight + kViewHeight / 2 + static_cast<int>(aside * across), colour,
                    radius);
    };
    for (int view = 0; view < 2; ++view) {
        for (double t = 0.0; t <= seconds; t += 0.05) {
            draw(place(shipped, t), view, glm::vec3(0.35f), 1);
        }
        for (double t = 0.0; t <= seconds; t += 0.02) {
            const double u = t / game::kSecondsPerSegment + 1.0;
            const std::size_t index =
                std::min(static_cast<std::size_t>(u), course->loudness.size() - 2);
            const float share = static_cast<float>(u - static_cast<double>(index));
            const float loudness =
                course->loudness[index] * (1.0f - share) + course->loudness[index + 1] * share;
            draw(place(course->points, t), view, heat(loudness), 2);
        }
    }
    for (const game::CourseSection& section : course->sections) {
        const glm::vec3 p = place(course->points, section.startMs / 1000.0);
        for (int y = 0; y < 10; ++y) {
            picture.dot(kMargin + static_cast<int>(-p.z * along), y,
                        glm::clamp(section.light / 1.4f, 0.0f, 1.0f), 1);
        }
    }
    if (stbi_write_png(argv[2], picture.width, picture.height, 3, picture.rgb.data(),
                       picture.width * 3) == 0) {
        std::fprintf(stderr, "cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
