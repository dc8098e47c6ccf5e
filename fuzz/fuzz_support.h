#pragma once

// Shared by the fuzz targets. Each target is a plain libFuzzer entry point;
// fuzz/CMakeLists.txt builds it either as a fuzzer (clang) or into the
// corpus replay (any compiler).

#include <cstdio>
#include <cstdlib>
#include <iostream>

namespace fuzzsupport {

// The readers report every fault they meet, and a fuzzer feeds them faults on
// nearly every input: writing those lines would cost most of its time.
// Sanitizer reports do not go through these streams.
inline void silenceGameStreams() {
    std::cout.setstate(std::ios::badbit);
    std::cerr.setstate(std::ios::badbit);
}

// A property the rest of the game relies on; breaking it is a crash for the
// fuzzer and a failure for the replay.
inline void require(bool holds, const char* what) {
    if (!holds) {
        std::fprintf(stderr, "fuzz target: %s\n", what);
        std::abort();
    }
}

} // namespace fuzzsupport
