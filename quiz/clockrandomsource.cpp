#include "quiz/clockrandomsource.h"

#include <chrono>

namespace kivola {

void ClockRandomSource::seedFromClock()
{
    // Wall clock and the high-resolution counter together: two tests started within the same
    // clock tick still get different seeds.
    const auto wall = std::chrono::system_clock::now().time_since_epoch().count();
    const auto fine = std::chrono::high_resolution_clock::now().time_since_epoch().count();
    std::seed_seq seed {std::uint32_t(wall), std::uint32_t(wall >> 32), std::uint32_t(fine),
        std::uint32_t(fine >> 32)};
    m_engine.seed(seed);
}

float ClockRandomSource::uniform()
{
    // 24 random bits fill a float's mantissa exactly, so the result can never round up to 1.
    constexpr int mantissaBits = 24;
    constexpr float scale = 1.0f / float(1u << mantissaBits);
    return float(m_engine() >> (32 - mantissaBits)) * scale;
}

} // namespace kivola
