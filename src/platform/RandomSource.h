#pragma once

#include <cstdint>
#include <random>

// The program's pseudo-random generator: seeded from the clock at start-up,
// or with a fixed seed so that a test can replay a quiz.
class RandomSource {
public:
    // A uniform integer from 0 to n - 1; 0 when n is below 1.
    int next(int n);
    void seed(std::uint64_t value) { m_engine.seed(value); }
    void seedFromClock();

    // The one generator the program draws from.
    static RandomSource& global();

private:
    std::mt19937_64 m_engine{5489u};
};
