#include "quiz/itemtext.h"

#include "bank/banktext.h"
#include "bank/questionplace.h"

#include <QStringList>

namespace kivola {

namespace {

constexpr char16_t CircledOne = u'①';
constexpr int CircledCount = 20;

const QString FullWidthSpace = QStringLiteral("　");

QString combinationMarker(int index)
{
    static const QStringList markers {
        QStringLiteral("X"), QStringLiteral("Y"), QStringLiteral("Z")};
    return markers.value(index);
}

bool isCombination(ItemFormat format)
{
    return format == ItemFormat::Pair || format == ItemFormat::Triple;
}

} // namespace

QString circledNumber(int number)
{
    if (number < 1 || number > CircledCount)
        return QString::number(number);
    return QString(QChar(char16_t(CircledOne + number - 1)));
}

QString itemInstruction(ItemFormat format)
{
    switch (format) {
    case ItemFormat::ChooseTrue:
        return QStringLiteral("次の①～④の文のうち、内容が正しいものを一つ選びなさい。");
    case ItemFormat::ChooseFalse:
        return QStringLiteral("次の①～④の文のうち、内容に誤りを含むものを一つ選びなさい。");
    case ItemFormat::Pair:
        return QStringLiteral(
            "次の文X・Yについて、正誤の組合せとして正しいものを①～④から一つ選びなさい。");
    case ItemFormat::Triple:
        return QStringLiteral(
            "次の文X・Y・Zについて、正誤の組合せとして正しいものを①～⑧から一つ選びなさい。");
    case ItemFormat::Single:
        break;
    }
    return QStringLiteral("次の文の内容が正しければ○を、誤っていれば×を選びなさい。");
}

QString statementMarker(ItemFormat format, int index)
{
    if (format == ItemFormat::Single)
        return QString();
    return isCombination(format) ? combinationMarker(index) : circledNumber(index + 1);
}

QString optionLabel(const ExamItem &item, int option)
{
    if (item.format == ItemFormat::Single)
        return AnswerMark(std::int16_t(option));
    if (!isCombination(item.format))
        return circledNumber(option);
    QString label = circledNumber(option);
    const int count = int(item.bankIds.size());
    for (int i = 0; i < count; ++i) {
        label += FullWidthSpace + combinationMarker(i)
            + (optionJudgesFalse(option, i, count) ? QStringLiteral("誤") : QStringLiteral("正"));
    }
    return label;
}

QString spokenOption(const ExamItem &item, int option)
{
    if (item.format == ItemFormat::Single)
        return spokenAnswer(std::int16_t(option));
    QString spoken = QStringLiteral("%1番").arg(option);
    if (!isCombination(item.format))
        return spoken;
    const int count = int(item.bankIds.size());
    for (int i = 0; i < count; ++i) {
        spoken += QStringLiteral("、") + combinationMarker(i)
            + (optionJudgesFalse(option, i, count) ? QStringLiteral("は誤り")
                                                   : QStringLiteral("は正しい"));
    }
    return spoken;
}

QString itemSource(const ExamItem &item)
{
    return PaperLabel(item.paperIndex) + FullWidthSpace + QStringLiteral("第%1問").arg(item.part)
        + FullWidthSpace + QStringLiteral("問") + item.itemNo;
}

} // namespace kivola
