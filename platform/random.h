// The program's random numbers: the runtime's 24-bit linear congruential
// generator, so that a seed gives the same sequence on every run.
//
// State x (24 bits); each draw sets x = (x * 1140671485 + 12820163) mod 2^24
// and returns x / 2^24 as a single-precision number in [0, 1).
#pragma once

#include <cstdint>

namespace plat {

class RandomGenerator {
public:
    // The state a fresh program starts from (first draw 0.7055475).
    static constexpr std::uint32_t kInitialState = 0x50000;

    explicit RandomGenerator(std::uint32_t state = kInitialState) : state_(state & 0xFFFFFF) {}

    // Seeding from a number: the upper 32 bits of the seed's IEEE double
    // representation are folded into 16 (upper half XOR lower half), and those
    // 16 bits replace bits 8..23 of the state; the low 8 bits of the state are
    // kept. Equal seeds from equal states give equal sequences.
    void randomize(double seed);

    // The next number in [0, 1).
    float next();
    // A whole number in 1..n: Int(n * next()) + 1 (for n >= 1); n < 1 gives 1
    // (the draw is still made).
    int nextInt(int n);

    std::uint32_t state() const { return state_; }
    void setState(std::uint32_t state) { state_ = state & 0xFFFFFF; }

private:
    std::uint32_t state_;
};

// The program-wide generator.
RandomGenerator& randomGenerator();
void randomize(double seed);
// Seeds from timer(), as the program does at start and at every deal.
void randomize();
float rnd();
int rndInt(int n);

// Seconds since local midnight, in hundredths of a second.
double timer();

} // namespace plat
