// A small seeded random generator for the picture generator. Every picture
// draws from its own fixed seed, so the output is the same bytes on every run
// (the standard distributions differ between libraries, so none are used).
#pragma once
#include <cmath>
#include <cstdint>

class Rng {
  public:
    explicit Rng(std::uint64_t seed) : state_(seed) {}

    // SplitMix64: fast, and good enough for placing stones.
    std::uint64_t next() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // Uniform in [0, 1).
    double uniform() { return static_cast<double>(next() >> 11) * 0x1.0p-53; }
    double range(double lo, double hi) { return lo + (hi - lo) * uniform(); }
    float rangef(float lo, float hi) { return static_cast<float>(range(lo, hi)); }
    // Uniform integer in [0, n).
    int below(int n) { return static_cast<int>(uniform() * n); }
    bool chance(double p) { return uniform() < p; }
    // Standard normal (Box-Muller).
    double normal() {
        double u = 1.0 - uniform();
        double v = uniform();
        return std::sqrt(-2.0 * std::log(u)) * std::cos(6.283185307179586 * v);
    }
    // A new, independent generator for a sub-task.
    Rng fork() { return Rng(next()); }

  private:
    std::uint64_t state_;
};
