#include "core/random_source.h"

#include <algorithm>

namespace tavenzo {

int drawWhole(RandomSource& random, int n)
{
    const double r = random.next();
    const int k = static_cast<int>(r * n) + 1;
    // A source that breaks its promise of r < 1 must still not hand out slot n + 1.
    return std::clamp(k, 1, std::max(n, 1));
}

double ClockSeededRandom::next()
{
    // 53 random bits scaled by 2^-53 can never reach 1.0, unlike std::generate_canonical.
    return static_cast<double>(m_engine() >> 11) * 0x1.0p-53;
}

void ClockSeededRandom::seedFromClock()
{
    const auto ticks = std::chrono::high_resolution_clock::now().time_since_epoch().count();
    m_engine.seed(static_cast<std::uint64_t>(ticks));
}

} // namespace tavenzo
