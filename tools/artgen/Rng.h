// A small seeded generator (splitmix64) so the art is byte-for-byte the same
// on every build: no clock, no device entropy, no library distribution whose
// algorithm could change between standard libraries.
#pragma once

#include <cstdint>

namespace artgen {

class Rng {
public:
    explicit Rng(uint64_t seed) : state(seed) {}

    uint64_t Next() {
        uint64_t z = (state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }

    // Uniform integer in lo..hi, both included (hi >= lo).
    int Range(int lo, int hi) { return lo + int(Next() % uint64_t(hi - lo + 1)); }

    // Uniform in [0, 1).
    double Unit() { return double(Next() >> 11) * (1.0 / 9007199254740992.0); }

    // Uniform in [lo, hi).
    double Real(double lo, double hi) { return lo + (hi - lo) * Unit(); }

    bool Chance(int percent) { return Range(0, 99) < percent; }

private:
    uint64_t state;
};

// A stateless hash of a grid position, for textures that must repeat with a
// period (a tile that lines up with its neighbours) whatever the draw order.
inline uint32_t Hash(int x, int y, uint32_t seed) {
    uint32_t h = seed * 0x9E3779B1u ^ uint32_t(x) * 0x85EBCA77u ^ uint32_t(y) * 0xC2B2AE3Du;
    h ^= h >> 15;
    h *= 0x2C1B3C6Du;
    h ^= h >> 12;
    h *= 0x297A2D39u;
    return h ^ (h >> 15);
}

}  // namespace artgen
