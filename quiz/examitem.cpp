#include "quiz/examitem.h"

#include "bank/banktext.h"
#include "bank/questionplace.h"

#include <algorithm>

namespace kivola {

namespace {

constexpr int FourStatements = 4;
constexpr int PairOptions = 4;
constexpr int TripleOptions = 8;
constexpr int SingleOptions = 2;

bool isTrue(const QuestionBank &bank, int id)
{
    return codeOf(bank.record(id).answerCode) == AnswerTrue;
}

bool sameSource(const QuestionRecord &a, const QuestionRecord &b)
{
    return a.year == b.year && a.examKind == b.examKind && a.partNo == b.partNo
        && a.itemNo == b.itemNo;
}

ExamItem singleItem(const QuestionBank &bank, const ExamItem &source, int id)
{
    ExamItem item = source;
    item.bankIds = {id};
    item.format = ItemFormat::Single;
    item.rightOption = isTrue(bank, id) ? 1 : 2;
    return item;
}

// Appends the item the group of statements makes, or one item per statement when the group fits
// no format.
void appendItems(const QuestionBank &bank, ExamItem group, QList<ExamItem> &items)
{
    const QList<int> &ids = group.bankIds;
    const auto trueCount
        = std::count_if(ids.cbegin(), ids.cend(), [&bank](int id) { return isTrue(bank, id); });
    auto indexOf = [&](bool truth) {
        const auto it = std::find_if(
            ids.cbegin(), ids.cend(), [&](int id) { return isTrue(bank, id) == truth; });
        return int(it - ids.cbegin()) + 1;
    };
    switch (ids.size()) {
    case 1:
        items.append(singleItem(bank, group, ids.first()));
        return;
    case 2:
    case 3: {
        group.format = ids.size() == 2 ? ItemFormat::Pair : ItemFormat::Triple;
        int option = 0;
        for (int id : ids)
            option = option * 2 + (isTrue(bank, id) ? 0 : 1);
        group.rightOption = option + 1;
        items.append(group);
        return;
    }
    case FourStatements:
        if (trueCount == 1) {
            group.format = ItemFormat::ChooseTrue;
            group.rightOption = indexOf(true);
            items.append(group);
            return;
        }
        if (trueCount == FourStatements - 1) {
            group.format = ItemFormat::ChooseFalse;
            group.rightOption = indexOf(false);
            items.append(group);
            return;
        }
        break;
    default:
        break;
    }
    for (int id : ids)
        items.append(singleItem(bank, group, id));
}

} // namespace

int ExamItem::optionCount() const
{
    switch (format) {
    case ItemFormat::ChooseTrue:
    case ItemFormat::ChooseFalse:
        return FourStatements;
    case ItemFormat::Pair:
        return PairOptions;
    case ItemFormat::Triple:
        return TripleOptions;
    case ItemFormat::Single:
        break;
    }
    return SingleOptions;
}

bool optionJudgesFalse(int option, int statementIndex, int statementCount)
{
    const int bit = statementCount - 1 - statementIndex;
    return (((option - 1) >> bit) & 1) != 0;
}

QList<ExamItem> buildExamItems(const QuestionBank &bank)
{
    QList<ExamItem> items;
    ExamItem group;
    for (int id = 1; id <= bank.questionCount(); ++id) {
        const QuestionRecord &record = bank.record(id);
        if (!group.bankIds.isEmpty() && sameSource(bank.record(group.bankIds.first()), record)) {
            group.bankIds.append(id);
            continue;
        }
        if (!group.bankIds.isEmpty())
            appendItems(bank, group, items);
        group = {paperIndexOf(record), partOf(record), record.itemNo, {id}};
    }
    if (!group.bankIds.isEmpty())
        appendItems(bank, group, items);
    return items;
}

ExamItem statementItem(const QuestionBank &bank, int id)
{
    const QuestionRecord &record = bank.record(id);
    return singleItem(bank, {paperIndexOf(record), partOf(record), record.itemNo, {id}}, id);
}

QList<ExamItem> itemsOfPaper(const QList<ExamItem> &items, int paperIndex)
{
    QList<ExamItem> paper;
    std::copy_if(items.cbegin(), items.cend(), std::back_inserter(paper),
        [paperIndex](const ExamItem &item) { return item.paperIndex == paperIndex; });
    return paper;
}

QList<ExamItem> drawItems(QList<ExamItem> candidates, int count, RandomSource &random)
{
    QList<ExamItem> drawn;
    while (drawn.size() < count && !candidates.isEmpty()) {
        const double position = std::clamp(double(random.uniform()), 0.0, 1.0) * candidates.size();
        const qsizetype index = std::min(qsizetype(position), candidates.size() - 1);
        drawn.append(candidates.takeAt(index));
    }
    return drawn;
}

} // namespace kivola
