#pragma once

#include "bank/questionrecord.h"

#include <QString>

#include <cstdint>

namespace kivola {

// "○" for a true judgement (code 1), "×" for any other code.
QString AnswerMark(std::int16_t code);

// "本試験" for the main examination (code 1), "追試験" for any other code.
QString ExamKindName(std::int16_t code);

// The source line of a question, e.g. "2002年度本試験　第2問　問6より出題"; year, part and item
// are copied as stored.
QString CitationText(const QuestionRecord &record);

// The explanation of a question, or the fixed notice "解説はありませんm(_ _)m" when it has none.
QString ExplanationText(const QuestionRecord &record);

// A judgement as a screen reader should say it: "正しい（○）", "誤り（×）". Like its mark, any
// code other than true is read as false.
QString spokenAnswer(std::int16_t code);

// A numeric field of a record as a 16-bit code; text that is no number or does not fit gives 0,
// which every renderer treats as "not 1".
std::int16_t codeOf(const QString &field);

} // namespace kivola
