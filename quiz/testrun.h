#pragma once

#include <array>
#include <cstdint>

namespace kivola {

inline constexpr int QuestionsPerTest = 5;

// The one running test. Slots 1..5 hold question 1..5; slot 0 is never used, so slot numbers
// read like question numbers.
struct TestRun
{
    std::array<std::int16_t, QuestionsPerTest + 1> selectedIds {};
    std::array<std::int16_t, QuestionsPerTest + 1> answers {};
    // The question being shown, 1..5; 6 once the fifth has been answered.
    std::int16_t currentNo = 0;
    std::int16_t testScore = 0;
};

} // namespace kivola
