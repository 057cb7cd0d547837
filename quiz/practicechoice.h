#pragma once

#include "bank/paper.h"
#include "bank/questionbank.h"
#include "bank/questionplace.h"
#include "bank/studylayer.h"
#include "quiz/examitem.h"

#include <QList>
#include <QString>

#include <array>
#include <optional>

namespace kivola {

// Which parts, papers, periods and themes a practice covers: a statement belongs to it when its
// part, its paper and its period are chosen, and at least one of its themes.
struct PracticeChoice
{
    // parts[0] is 第1問; papers follow the bank order (2003年度本試験 first); periods and themes
    // the order of the study layer's lists (Period, AllThemes).
    std::array<bool, PartCount> parts {};
    std::array<bool, Papers.size()> papers {};
    std::array<bool, PeriodCount> periods {};
    std::array<bool, ThemeCount> themes {};

    static PracticeChoice everything();

    // Whether the statement's period and one of its themes are chosen; a statement the layer
    // has no note for has neither.
    bool coversNote(const StudyNote &note) const;

    // The ids of the bank's statements that the choice covers, in bank order.
    QList<int> idsIn(const QuestionBank &bank, const StudyLayer &layer) const;
    // The items the choice covers, in the order given: those of a chosen part and paper with at
    // least one statement of a chosen period and theme. One statement is enough because an item
    // of 第1問 テーマ史 runs through the ages: asking for 江戸 should bring the items that ask
    // about 江戸 among other periods, not only the rare ones that stay inside it.
    QList<ExamItem> itemsIn(const QList<ExamItem> &items, const StudyLayer &layer) const;

    // A compact form to remember the choice by, "parts=1,2;papers=0,5;periods=7;themes=0,4";
    // the form without periods and themes, as earlier versions wrote it, means every period and
    // theme. Text that is neither gives nothing.
    QString toText() const;
    static std::optional<PracticeChoice> fromText(const QString &text);

    bool operator==(const PracticeChoice &) const = default;
};

} // namespace kivola
