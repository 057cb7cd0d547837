#pragma once

#include "bank/paper.h"
#include "bank/questionbank.h"
#include "bank/questionplace.h"
#include "quiz/examitem.h"

#include <QList>
#include <QString>

#include <array>
#include <optional>

namespace kivola {

// Which parts and papers a practice by era or paper covers: a statement belongs to it when both
// its part and its paper are chosen.
struct PracticeChoice
{
    // parts[0] is 第1問; papers follow the bank order (2003年度本試験 first).
    std::array<bool, PartCount> parts {};
    std::array<bool, Papers.size()> papers {};

    static PracticeChoice everything();

    // The ids of the bank's statements that the choice covers, in bank order.
    QList<int> idsIn(const QuestionBank &bank) const;
    // The items the choice covers, in the order given: those of a chosen part and paper.
    QList<ExamItem> itemsIn(const QList<ExamItem> &items) const;

    // A compact form to remember the choice by, "parts=1,2;papers=0,5"; text that is not such a
    // form gives nothing.
    QString toText() const;
    static std::optional<PracticeChoice> fromText(const QString &text);

    bool operator==(const PracticeChoice &) const = default;
};

} // namespace kivola
