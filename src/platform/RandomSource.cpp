#include "platform/RandomSource.h"

#include <chrono>

int RandomSource::next(int n) {
    if (n < 1)
        return 0;
    std::uniform_int_distribution<int> distribution(0, n - 1);
    return distribution(m_engine);
}

void RandomSource::seedFromClock() {
    seed(static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()) ^
         static_cast<std::uint64_t>(std::chrono::system_clock::now().time_since_epoch().count()));
}

RandomSource& RandomSource::global() {
    static RandomSource source;
    return source;
}
