#include "bank/banktext.h"

#include "bank/lenientnumber.h"

namespace kivola {

QString AnswerMark(std::int16_t code)
{
    return code == AnswerTrue ? QStringLiteral("○") : QStringLiteral("×");
}

QString ExamKindName(std::int16_t code)
{
    constexpr std::int16_t mainExamination = 1;
    return code == mainExamination ? QStringLiteral("本試験") : QStringLiteral("追試験");
}

QString CitationText(const QuestionRecord &record)
{
    return record.year + QStringLiteral("年度") + ExamKindName(codeOf(record.examKind))
        + QStringLiteral("　第") + record.partNo + QStringLiteral("問　問") + record.itemNo
        + QStringLiteral("より出題");
}

std::int16_t codeOf(const QString &field)
{
    return toInt16(readLenientNumber(field)).value_or(0);
}

QString ExplanationText(const QuestionRecord &record)
{
    return record.explanation.isEmpty() ? QStringLiteral("解説はありませんm(_ _)m")
                                        : record.explanation;
}

QString spokenAnswer(std::int16_t code)
{
    // Read out alone, a bare circle or cross says nothing about the answer.
    const QString meaning = code == AnswerTrue ? QStringLiteral("正しい") : QStringLiteral("誤り");
    return meaning + QStringLiteral("（") + AnswerMark(code) + QStringLiteral("）");
}

} // namespace kivola
