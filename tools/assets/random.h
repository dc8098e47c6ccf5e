#pragma once

#include <cstdint>

namespace assetgen {

// SplitMix64: the same sequence on every platform and standard library, which
// std::mt19937 with std:: distributions does not promise. Assets must come out
// byte for byte the same on every build.
class Random {
public:
    explicit Random(uint64_t seed) : state(seed) {}

    uint64_t next() {
        uint64_t z = (state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // Uniform in [0, 1): the top 24 bits fit a float's mantissa exactly.
    float uniform() { return float(next() >> 40) * (1.0f / 16777216.0f); }
    float range(float lo, float hi) { return lo + (hi - lo) * uniform(); }

private:
    uint64_t state; // advanced by the golden-ratio step on every draw
};

// Stateless hash of a lattice point, for noise that needs the same value for
// the same cell no matter in which order cells are visited.
inline uint32_t hashCell(int32_t x, int32_t y, int32_t z, uint32_t seed) {
    uint32_t h = seed * 0x27D4EB2Du;
    h ^= uint32_t(x) * 0x85EBCA6Bu;
    h = (h ^ (h >> 15)) * 0x2C1B3C6Du;
    h ^= uint32_t(y) * 0xC2B2AE35u;
    h = (h ^ (h >> 13)) * 0x297A2D39u;
    h ^= uint32_t(z) * 0x9E3779B1u;
    h = (h ^ (h >> 16)) * 0x85EBCA6Bu;
    return h ^ (h >> 13);
}

inline float hashToUnit(uint32_t h) {
    return float(h >> 8) * (1.0f / 16777216.0f);
}

} // namespace assetgen
