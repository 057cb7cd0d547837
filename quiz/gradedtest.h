#pragma once

#include "bank/questionrecord.h"
#include "quiz/testrun.h"

#include <array>
#include <cstdint>

namespace kivola {

// One graded answer: which statement it was, what was given, what is right and what it earned.
struct GradedAnswer
{
    std::int16_t bankId = 0;
    AnswerCode given = 0;
    AnswerCode correct = 0;
    std::int16_t points = 0;

    bool isRight() const { return points > 0; }
    bool operator==(const GradedAnswer &) const = default;
};

// A graded test as data; answers[0] is question 1. The windows turn it into text.
struct GradedTest
{
    std::array<GradedAnswer, QuestionsPerTest> answers {};
    std::int16_t score = 0;
    int rank = 0;

    bool operator==(const GradedTest &) const = default;
};

} // namespace kivola
