#pragma once
// A small deterministic generator (SplitMix64). The standard distributions differ between
// library implementations, so the simulator draws only through this to keep its output the same
// byte for byte on every platform.
#include <cstdint>

class CSimRandom {
public:
    explicit CSimRandom(uint64_t seed) : m_nState(seed) {}

    uint64_t Next() {
        uint64_t z = (m_nState += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // Uniform in [0, 1).
    double Uniform() { return static_cast<double>(Next() >> 11) * (1.0 / 9007199254740992.0); }
    // Uniform in [lo, hi).
    double Range(double lo, double hi) { return lo + (hi - lo) * Uniform(); }
    // Uniform integer in [lo, hi].
    int Int(int lo, int hi) {
        return lo + static_cast<int>(Next() % static_cast<uint64_t>(hi - lo + 1));
    }
    // Roughly normal (sum of four uniforms), mean 0, standard deviation `sigma`.
    double Noise(double sigma) {
        const double s = Uniform() + Uniform() + Uniform() + Uniform() - 2.0;
        return s * sigma * 1.7320508075688772;
    }

private:
    uint64_t m_nState;
};
