#include "platform/random.h"

#include <QTime>
#include <cmath>
#include <cstring>

namespace plat {

void RandomGenerator::randomize(double seed) {
    std::uint64_t bits = 0;
    static_assert(sizeof bits == sizeof seed);
    std::memcpy(&bits, &seed, sizeof bits);
    const auto hi = static_cast<std::uint32_t>(bits >> 32);
    const std::uint32_t folded = (hi & 0xFFFF) ^ (hi >> 16);
    state_ = (state_ & 0xFF) | (folded << 8);
}

float RandomGenerator::next() {
    state_ = static_cast<std::uint32_t>((static_cast<std::uint64_t>(state_) * 1140671485u + 12820163u) & 0xFFFFFF);
    return static_cast<float>(state_) / 16777216.0f;
}

int RandomGenerator::nextInt(int n) {
    const double r = next();
    if (n < 1) return 1;
    // r <= 1 - 2^-24, so the double product stays below n; the bound is a guard.
    const int k = static_cast<int>(std::floor(static_cast<double>(n) * r)) + 1;
    return k > n ? n : k;
}

RandomGenerator& randomGenerator() {
    static RandomGenerator g;
    return g;
}

void randomize(double seed) { randomGenerator().randomize(seed); }

void randomize() { randomGenerator().randomize(timer()); }

float rnd() { return randomGenerator().next(); }

int rndInt(int n) { return randomGenerator().nextInt(n); }

double timer() { return (QTime::currentTime().msecsSinceStartOfDay() / 10) / 100.0; }

} // namespace plat
