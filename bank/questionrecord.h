#pragma once

#include <QString>

#include <cstdint>

namespace kivola {

// A judgement: the bank's correct answer and the student's answer use the same code.
using AnswerCode = std::int16_t;
inline constexpr AnswerCode AnswerTrue = 1;
inline constexpr AnswerCode AnswerFalse = 2;

// One question as stored: all seven fields are text, numeric ones included, and are turned into
// numbers only where they are used.
struct QuestionRecord
{
    QString questionText;
    QString answerCode;
    QString explanation;
    QString year;
    QString examKind;
    QString partNo;
    QString itemNo;

    bool operator==(const QuestionRecord &) const = default;
};

} // namespace kivola
