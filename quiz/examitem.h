#pragma once

#include "bank/questionbank.h"
#include "quiz/randomsource.h"

#include <QList>

namespace kivola {

// How the exam asks an item. Stored as its number in the learning record, so the values never
// change.
enum class ItemFormat
{
    // Four statements ①–④, exactly one of them true: choose it.
    ChooseTrue = 1,
    // Four statements ①–④, exactly one of them false: choose it.
    ChooseFalse = 2,
    // Statements X and Y: choose the right combination of 正 and 誤 among four.
    Pair = 3,
    // Statements X, Y and Z: choose the right combination among eight.
    Triple = 4,
    // One statement judged ○ or ×.
    Single = 5
};

// One item of a paper: the statements that share year, exam kind, part and item number, in bank
// order. Options are numbered from 1 in the order the exam prints them.
struct ExamItem
{
    int paperIndex = -1;
    int part = 0;
    QString itemNo;
    QList<int> bankIds;
    ItemFormat format = ItemFormat::Single;
    int rightOption = 0;

    int optionCount() const;
    int firstBankId() const { return bankIds.value(0); }

    bool operator==(const ExamItem &) const = default;
};

// The options of a combination item run 正正…, 正誤…, down to 誤誤…: option n - 1, read as
// binary with the first statement as the highest bit, has a 1 for every statement judged 誤.
bool optionJudgesFalse(int option, int statementIndex, int statementCount);

// Every item of the bank, in bank order. The statements of a source item must stand together,
// as they do in the papers; four statements that are neither one-true nor one-false fit no
// format of the exam and are asked one by one.
QList<ExamItem> buildExamItems(const QuestionBank &bank);

// One statement of the bank on its own, judged ○ or ×, under the source of the item it belongs to.
ExamItem statementItem(const QuestionBank &bank, int id);

// The items of one paper, in paper order.
QList<ExamItem> itemsOfPaper(const QList<ExamItem> &items, int paperIndex);

// Up to `count` different items drawn at random from `candidates`, in the order drawn.
QList<ExamItem> drawItems(QList<ExamItem> candidates, int count, RandomSource &random);

} // namespace kivola
