#pragma once

#include "bank/questionrecord.h"
#include "bank/testkind.h"

#include <QDateTime>

#include <array>

namespace kivola {

inline constexpr int AnswersPerTest = 5;

// One answer of a graded test: the slot it was asked in (1..5), the statement's bank id
// (1..565), the code the student gave and whether that was the bank's answer.
struct GivenAnswer
{
    int slot = 0;
    int bankId = 0;
    AnswerCode givenCode = 0;
    bool right = false;
};

// A graded test as the learning record keeps it.
struct CompletedTest
{
    QDateTime finishedUtc;
    TestKind kind = TestKind::Ordinary;
    int points = 0;
    std::array<GivenAnswer, AnswersPerTest> answers;
};

} // namespace kivola
