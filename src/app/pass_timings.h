#pragma once

#include "platform/gl.h"

#include <array>
#include <cstdio>
#include <string>
#include <vector>

// Where the time of a frame goes, pass by pass: at each boundary between two
// passes a GL timestamp query and the main thread's clock are read. The GL
// figure is the drawing itself (a software renderer's rasteriser threads);
// the clock figure is what the calls cost the game's thread, vertex and
// geometry stages included when the renderer runs them there. Benchmarks
// hand one to the frame; the game never does.
class PassTimings {
public:
    PassTimings();
    ~PassTimings();
    PassTimings(const PassTimings&) = delete;
    PassTimings& operator=(const PassTimings&) = delete;

    // Starts a frame's first interval.
    void begin();
    // Ends the current interval, as the work of `pass`, and starts the next.
    void mark(const char* pass);
    // Waits for the frame's queries and adds its intervals to the totals.
    void collect();
    // The mean per collected frame of each pass, in the order first seen.
    void print(std::FILE* out) const;

private:
    static constexpr int kMaxMarks = 24;

    struct Total {
        std::string pass;
        double glMs = 0.0;
        double cpuMs = 0.0;
    };

    std::array<GLuint, kMaxMarks> queries{};
    std::array<const char*, kMaxMarks> passes{};
    std::array<double, kMaxMarks> cpuSeconds{};
    int used = 0;   // marks taken this frame, the begin included
    int frames = 0; // frames collected
    std::vector<Total> totals;
};

// Marks the end of a pass when a frame is being timed.
inline void markPass(PassTimings* timings, const char* pass) {
    if (timings != nullptr) {
        timings->mark(pass);
    }
}
