#include "quiz/examitem.h"
#include "quiz/itemjudgment.h"

#include <QTest>

using namespace kivola;
using namespace Qt::StringLiterals;

namespace {

constexpr AnswerCode T = AnswerTrue;
constexpr AnswerCode F = AnswerFalse;

QuestionBank oneItemBank(const QList<AnswerCode> &answers)
{
    QuestionBank bank;
    for (AnswerCode answer : answers) {
        bank.append({QStringLiteral("文"), QString::number(answer), QString(),
            QStringLiteral("2002"), QStringLiteral("2"), QStringLiteral("4"), QStringLiteral("1")});
    }
    return bank;
}

// A judgment written as "id:given:right", e.g. "3:○:1".
QStringList described(const QList<StatementJudgment> &judgments)
{
    QStringList lines;
    for (const StatementJudgment &judgment : judgments) {
        lines.append(
            QStringLiteral("%1:%2:%3")
                .arg(judgment.bankId)
                .arg(judgment.given == AnswerTrue ? QStringLiteral("○") : QStringLiteral("×"))
                .arg(int(judgment.right)));
    }
    return lines;
}

} // namespace

class TestItemJudgment : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void judgments_data();
    void judgments();
    void everyJudgmentCarriesItsFormat();
};

void TestItemJudgment::judgments_data()
{
    QTest::addColumn<QList<AnswerCode>>("answers");
    QTest::addColumn<int>("option");
    QTest::addColumn<QStringList>("expected");

    // One true of four: the third is true.
    const QList<AnswerCode> oneTrue {F, F, T, F};
    QTest::newRow("true one chosen") << oneTrue << 3 << QStringList {u"3:○:1"_s};
    QTest::newRow("false one chosen as true")
        << oneTrue << 1 << QStringList {u"1:○:0"_s, u"3:×:0"_s};
    // One false of four: the second is false.
    const QList<AnswerCode> oneFalse {T, F, T, T};
    QTest::newRow("false one chosen") << oneFalse << 2 << QStringList {u"2:×:1"_s};
    QTest::newRow("true one chosen as false")
        << oneFalse << 4 << QStringList {u"4:×:0"_s, u"2:○:0"_s};
    // X true, Y false.
    const QList<AnswerCode> pair {T, F};
    QTest::newRow("pair right") << pair << 2 << QStringList {u"1:○:1"_s, u"2:×:1"_s};
    QTest::newRow("pair both wrong") << pair << 3 << QStringList {u"1:×:0"_s, u"2:○:0"_s};
    QTest::newRow("pair one wrong") << pair << 1 << QStringList {u"1:○:1"_s, u"2:○:0"_s};
    const QList<AnswerCode> triple {F, T, F};
    QTest::newRow("triple right") << triple << 6
                                  << QStringList {u"1:×:1"_s, u"2:○:1"_s, u"3:×:1"_s};
    QTest::newRow("triple all judged true")
        << triple << 1 << QStringList {u"1:○:0"_s, u"2:○:1"_s, u"3:○:0"_s};
    QTest::newRow("single ○ on a false one")
        << QList<AnswerCode> {F} << 1 << QStringList {u"1:○:0"_s};
    QTest::newRow("single × on a false one")
        << QList<AnswerCode> {F} << 2 << QStringList {u"1:×:1"_s};
    QTest::newRow("no option") << oneTrue << 0 << QStringList();
    QTest::newRow("option past the item") << pair << 5 << QStringList();
}

void TestItemJudgment::judgments()
{
    QFETCH(QList<AnswerCode>, answers);
    QFETCH(int, option);
    QFETCH(QStringList, expected);
    const QuestionBank bank = oneItemBank(answers);
    const ExamItem item = buildExamItems(bank).first();
    QCOMPARE(described(judgmentsOf(item, bank, option)), expected);
}

void TestItemJudgment::everyJudgmentCarriesItsFormat()
{
    const QuestionBank bank = oneItemBank({F, F, T, F});
    const ExamItem item = buildExamItems(bank).first();
    for (const StatementJudgment &judgment : judgmentsOf(item, bank, 2))
        QCOMPARE(judgment.format, ItemFormat::ChooseTrue);
    QCOMPARE(luckyChance(ItemFormat::ChooseTrue), 0.25);
    QCOMPARE(luckyChance(ItemFormat::Pair), 0.5);
}

QTEST_GUILESS_MAIN(TestItemJudgment)
#include "tst_itemjudgment.moc"
