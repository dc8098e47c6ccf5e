#include "app/pass_timings.h"

#include <algorithm>
#include <chrono>

namespace {

double nowSeconds() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

} // namespace

PassTimings::PassTimings() {
    glGenQueries(kMaxMarks, queries.data());
}

PassTimings::~PassTimings() {
    glDeleteQueries(kMaxMarks, queries.data());
}

void PassTimings::begin() {
    used = 0;
    mark(nullptr);
}

void PassTimings::mark(const char* pass) {
    if (used == kMaxMarks) {
        return;
    }
    glQueryCounter(queries[static_cast<std::size_t>(used)], GL_TIMESTAMP);
    passes[static_cast<std::size_t>(used)] = pass;
    cpuSeconds[static_cast<std::size_t>(used)] = nowSeconds();
    ++used;
}

void PassTimings::collect() {
    GLuint64 previous = 0;
    for (int i = 0; i < used; ++i) {
        GLuint64 stamp = 0;
        glGetQueryObjectui64v(queries[static_cast<std::size_t>(i)], GL_QUERY_RESULT, &stamp);
        if (i > 0) {
            const std::string pass = passes[static_cast<std::size_t>(i)];
            auto total = std::find_if(totals.begin(), totals.end(),
                                      [&](const Total& t) { return t.pass == pass; });
            if (total == totals.end()) {
                totals.push_back({pass});
                total = totals.end() - 1;
            }
            total->glMs += static_cast<double>(stamp - previous) * 1e-6;
            total->cpuMs += (cpuSeconds[static_cast<std::size_t>(i)] -
                             cpuSeconds[static_cast<std::size_t>(i - 1)]) *
                            1e3;
        }
        previous = stamp;
    }
    ++frames;
}

void PassTimings::print(std::FILE* out) const {
    std::fprintf(out, "  %-24s %10s %10s\n", "pass", "GL", "calls");
    double gl = 0.0;
    double cpu = 0.0;
    const double n = frames > 0 ? frames : 1;
    for (const Total& total : totals) {
        std::fprintf(out, "  %-24s %7.2f ms %7.2f ms\n", total.pass.c_str(), total.glMs / n,
                     total.cpuMs / n);
        gl += total.glMs / n;
        cpu += total.cpuMs / n;
    }
    std::fprintf(out, "  %-24s %7.2f ms %7.2f ms\n", "sum", gl, cpu);
}
