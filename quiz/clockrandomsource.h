#pragma once

#include "quiz/randomsource.h"

#include <random>

namespace kivola {

class ClockRandomSource final : public RandomSource
{
public:
    void seedFromClock() override;
    float uniform() override;

private:
    std::mt19937 m_engine;
};

} // namespace kivola
