#pragma once

#include "bank/questionbank.h"
#include "quiz/examitem.h"

#include <QList>

namespace kivola {

// What the option chosen in an item says about one of its statements: the student judged it
// `given` (○ or ×), which was right or not. Statements the choice says nothing about get none.
struct StatementJudgment
{
    int bankId = 0;
    AnswerCode given = 0;
    bool right = false;
    ItemFormat format = ItemFormat::Single;

    bool operator==(const StatementJudgment &) const = default;
};

// A combination or single item judges every statement. Choosing one of four judges the chosen
// statement (true in a one-true item, false in a one-false item) and, when the choice is wrong,
// the statement that should have been chosen as not so. An option outside the item judges
// nothing.
QList<StatementJudgment> judgmentsOf(const ExamItem &item, const QuestionBank &bank, int option);

// The chance that a judgment of this format comes out right by luck when the statement is not
// known: one in two for a statement judged on its own or within a combination, one in four for a
// statement picked out of four.
double luckyChance(ItemFormat format);

} // namespace kivola
