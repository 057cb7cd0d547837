#include "quiz/clockrandomsource.h"
#include "quiz/practicedraw.h"
#include "quiz/testrun.h"
#include "tests/support/fixedrandomsource.h"

#include <QSet>
#include <QTest>

using namespace kivola;

namespace {

constexpr int BankSize = 565;

} // namespace

class TestPracticeDraw : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void fillsInOrder_data();
    void fillsInOrder();
    void randomDrawsNeverRepeat();
};

void TestPracticeDraw::fillsInOrder_data()
{
    QTest::addColumn<QList<int>>("practiceSet");
    QTest::addColumn<QList<int>>("unanswered");
    QTest::addColumn<float>("uniform");
    QTest::addColumn<QList<int>>("drawn");
    // How many come from the set, from the unanswered and from the whole bank, as the student is
    // told before the practice starts.
    QTest::addColumn<QList<int>>("sources");

    // A draw of 0 always takes the smallest candidate left, 0.999 the largest.
    QTest::newRow("set of more than five")
        << QList<int> {40, 30, 20, 10, 50, 60} << QList<int> {} << 0.0f
        << QList<int> {10, 20, 30, 40, 50} << QList<int> {5, 0, 0};
    QTest::newRow("set of three, filled from unanswered")
        << QList<int> {12, 10, 11} << QList<int> {103, 11, 100, 200} << 0.0f
        << QList<int> {10, 11, 12, 100, 103} << QList<int> {3, 2, 0};
    QTest::newRow("then from the whole bank") << QList<int> {3} << QList<int> {1} << 0.0f
                                              << QList<int> {3, 1, 2, 4, 5} << QList<int> {1, 1, 3};
    QTest::newRow("empty set draws from unanswered")
        << QList<int> {} << QList<int> {9, 8, 7, 6, 5, 4} << 0.999f << QList<int> {9, 8, 7, 6, 5}
        << QList<int> {0, 5, 0};
    QTest::newRow("repeated ids count once")
        << QList<int> {7, 7, 7, 7, 7} << QList<int> {7} << 0.999f
        << QList<int> {7, 565, 564, 563, 562} << QList<int> {1, 0, 4};
    QTest::newRow("a draw of one stays in range")
        << QList<int> {1, 2} << QList<int> {} << 1.0f << QList<int> {2, 1, 565, 564, 563}
        << QList<int> {2, 0, 3};
}

void TestPracticeDraw::fillsInOrder()
{
    QFETCH(QList<int>, practiceSet);
    QFETCH(QList<int>, unanswered);
    QFETCH(float, uniform);
    QFETCH(QList<int>, drawn);
    QFETCH(QList<int>, sources);
    FixedRandomSource random({uniform});
    QCOMPARE(drawPractice(practiceSet, unanswered, BankSize, random), drawn);
    const PracticeSources counted = practiceSources(practiceSet, unanswered);
    QCOMPARE((QList<int> {counted.fromSet, counted.fromUnanswered, counted.fromBank}), sources);
}

void TestPracticeDraw::randomDrawsNeverRepeat()
{
    ClockRandomSource random;
    random.seedFromClock();
    const QList<int> practiceSet {2, 4, 6, 8, 10, 12, 14};
    QSet<int> seen;
    for (int round = 0; round < 2000; ++round) {
        const QList<int> drawn = drawPractice(practiceSet, {}, BankSize, random);
        QCOMPARE(drawn.size(), QuestionsPerTest);
        QCOMPARE(QSet<int>(drawn.cbegin(), drawn.cend()).size(), QuestionsPerTest);
        for (int id : drawn)
            QVERIFY(practiceSet.contains(id));
        seen.unite(QSet<int>(drawn.cbegin(), drawn.cend()));
    }
    QCOMPARE(seen.size(), practiceSet.size());
}

QTEST_GUILESS_MAIN(TestPracticeDraw)
#include "tst_practicedraw.moc"
