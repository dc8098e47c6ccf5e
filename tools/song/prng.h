#pragma once

#include <cstdint>

namespace songgen {

// Our own generator (xorshift64*) rather than <random>, whose distributions
// may differ between standard libraries: the outputs must be byte-identical.
class Prng {
public:
    explicit Prng(uint64_t seed) : state(seed == 0 ? 0x9E3779B97F4A7C15ull : seed) {}

    uint64_t next() {
        state ^= state >> 12;
        state ^= state << 25;
        state ^= state >> 27;
        return state * 0x2545F4914F6CDD1Dull;
    }

    // Uniform in [-1, 1): white noise.
    float bipolar() { return static_cast<float>(next() >> 40) / 8388608.0f - 1.0f; }

private:
    uint64_t state; // never zero, or the sequence would stay at zero
};

} // namespace songgen
