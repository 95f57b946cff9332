#pragma once

#include "core/ports.h"

#include <chrono>
#include <cstdint>
#include <random>

namespace tavenzo {

class ClockSeededRandom final : public RandomSource {
public:
    ClockSeededRandom() { seedFromClock(); }
    double next() override;
    void seedFromClock() override;

private:
    std::mt19937_64 m_engine;
};

class SteadyClock final : public MonotonicClock {
public:
    double seconds() override
    {
        return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
    }
};

} // namespace tavenzo
