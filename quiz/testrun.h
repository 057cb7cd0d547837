#pragma once

#include <QString>

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

// One line of the result sheet.
struct ResultRow
{
    QString pointsText;
    QString yourMark;
    QString rightMark;

    bool operator==(const ResultRow &) const = default;
};

// Everything grading produces for the result sheet; rows[0] is question 1.
struct TestResult
{
    std::array<ResultRow, QuestionsPerTest> rows;
    std::int16_t score = 0;
    QString scoreText;
    int rank = 0;
    QString comment;
    QString attemptTitle;
};

} // namespace kivola
