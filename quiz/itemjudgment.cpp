#include "quiz/itemjudgment.h"

#include "bank/banktext.h"

namespace kivola {

namespace {

constexpr double OneOfTwo = 0.5;
constexpr double OneOfFour = 0.25;

StatementJudgment judged(const QuestionBank &bank, const ExamItem &item, int id, AnswerCode given)
{
    return {id, given, codeOf(bank.record(id).answerCode) == given, item.format};
}

AnswerCode opposite(AnswerCode code)
{
    return code == AnswerTrue ? AnswerFalse : AnswerTrue;
}

} // namespace

QList<StatementJudgment> judgmentsOf(const ExamItem &item, const QuestionBank &bank, int option)
{
    QList<StatementJudgment> judgments;
    if (option < 1 || option > item.optionCount())
        return judgments;
    const int count = int(item.bankIds.size());
    switch (item.format) {
    case ItemFormat::Single:
        judgments.append(judged(bank, item, item.firstBankId(), AnswerCode(option)));
        break;
    case ItemFormat::Pair:
    case ItemFormat::Triple:
        for (int i = 0; i < count; ++i) {
            const bool saysFalse = optionJudgesFalse(option, i, count);
            judgments.append(
                judged(bank, item, item.bankIds.at(i), saysFalse ? AnswerFalse : AnswerTrue));
        }
        break;
    case ItemFormat::ChooseTrue:
    case ItemFormat::ChooseFalse: {
        const AnswerCode sought = item.format == ItemFormat::ChooseTrue ? AnswerTrue : AnswerFalse;
        judgments.append(judged(bank, item, item.bankIds.value(option - 1), sought));
        if (option != item.rightOption) {
            judgments.append(
                judged(bank, item, item.bankIds.value(item.rightOption - 1), opposite(sought)));
        }
        break;
    }
    }
    return judgments;
}

double luckyChance(ItemFormat format)
{
    switch (format) {
    case ItemFormat::ChooseTrue:
    case ItemFormat::ChooseFalse:
        return OneOfFour;
    case ItemFormat::Pair:
    case ItemFormat::Triple:
    case ItemFormat::Single:
        break;
    }
    return OneOfTwo;
}

} // namespace kivola
