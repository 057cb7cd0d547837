#include "bank/compiledpapers.h"
#include "quiz/practicechoice.h"

#include <QTest>

using namespace kivola;

namespace {

// Parts are given as 1..6, papers as indexes in the bank order (0 = 2003年度本試験).
PracticeChoice choiceOf(const QList<int> &parts, const QList<int> &papers)
{
    PracticeChoice choice;
    for (int part : parts)
        choice.parts[std::size_t(part - 1)] = true;
    for (int paper : papers)
        choice.papers[std::size_t(paper)] = true;
    return choice;
}

} // namespace

class TestPracticeChoice : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void countsInRealBank_data();
    void countsInRealBank();
    void textRoundTrip_data();
    void textRoundTrip();
    void malformedTextGivesNothing_data();
    void malformedTextGivesNothing();

private:
    BankBuild m_build;
};

void TestPracticeChoice::initTestCase()
{
    m_build = BankLoader(compiledPapersDirectory()).build();
    QVERIFY(m_build.isUsable());
}

void TestPracticeChoice::countsInRealBank_data()
{
    QTest::addColumn<PracticeChoice>("choice");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("firstId");

    QTest::newRow("everything") << PracticeChoice::everything() << 565 << 1;
    QTest::newRow("nothing") << PracticeChoice() << 0 << 0;
    QTest::newRow("part 1 of all six papers") << choiceOf({1}, {0, 1, 2, 3, 4, 5}) << 111 << 1;
    QTest::newRow("2002 supplementary alone")
        << choiceOf({1, 2, 3, 4, 5, 6}, {3}) << 98 << 96 + 107 + 100 + 1;
    QTest::newRow("part 1 of 2002 supplementary") << choiceOf({1}, {3}) << 20 << 304;
    QTest::newRow("parts without papers") << choiceOf({1, 2, 3}, {}) << 0 << 0;
    QTest::newRow("last paper, last part") << choiceOf({6}, {5}) << 9 << 557;
}

void TestPracticeChoice::countsInRealBank()
{
    QFETCH(PracticeChoice, choice);
    QFETCH(int, count);
    QFETCH(int, firstId);
    const QList<int> ids = choice.idsIn(m_build.bank);
    QCOMPARE(ids.size(), count);
    QCOMPARE(ids.value(0), firstId);
    for (int id : ids) {
        const QuestionRecord &record = m_build.bank.record(id);
        QVERIFY(choice.parts[std::size_t(partOf(record) - 1)]);
        QVERIFY(choice.papers[std::size_t(paperIndexOf(record))]);
    }
    // The items it covers hold exactly its statements: a source item never straddles a choice.
    QList<int> itemIds;
    for (const ExamItem &item : choice.itemsIn(buildExamItems(m_build.bank)))
        itemIds.append(item.bankIds);
    QCOMPARE(itemIds, ids);
}

void TestPracticeChoice::textRoundTrip_data()
{
    QTest::addColumn<PracticeChoice>("choice");
    QTest::addColumn<QString>("text");

    QTest::newRow("everything") << PracticeChoice::everything()
                                << QStringLiteral("parts=1,2,3,4,5,6;papers=0,1,2,3,4,5");
    QTest::newRow("nothing") << PracticeChoice() << QStringLiteral("parts=;papers=");
    QTest::newRow("some") << choiceOf({2, 6}, {0, 5}) << QStringLiteral("parts=2,6;papers=0,5");
}

void TestPracticeChoice::textRoundTrip()
{
    QFETCH(PracticeChoice, choice);
    QFETCH(QString, text);
    QCOMPARE(choice.toText(), text);
    QCOMPARE(PracticeChoice::fromText(text), std::optional<PracticeChoice>(choice));
}

void TestPracticeChoice::malformedTextGivesNothing_data()
{
    QTest::addColumn<QString>("text");

    QTest::newRow("empty") << QString();
    QTest::newRow("part 7") << QStringLiteral("parts=7;papers=0");
    QTest::newRow("part 0") << QStringLiteral("parts=0;papers=0");
    QTest::newRow("paper 6") << QStringLiteral("parts=1;papers=6");
    QTest::newRow("not a number") << QStringLiteral("parts=a;papers=0");
    QTest::newRow("fields swapped") << QStringLiteral("papers=0;parts=1");
}

void TestPracticeChoice::malformedTextGivesNothing()
{
    QFETCH(QString, text);
    QVERIFY(!PracticeChoice::fromText(text));
}

QTEST_GUILESS_MAIN(TestPracticeChoice)
#include "tst_practicechoice.moc"
