#include "bank/compiledpapers.h"
#include "session/mockscoreforecast.h"

#include <QTest>

using namespace kivola;

class TestMockScoreForecast : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void itemChance_data();
    void itemChance();
    void scoreBounds();

private:
    QList<ExamItem> m_items;
};

void TestMockScoreForecast::initTestCase()
{
    const BankBuild build = BankLoader(compiledPapersDirectory()).build();
    QVERIFY(build.isUsable());
    m_items = buildExamItems(build.bank);
}

void TestMockScoreForecast::itemChance_data()
{
    QTest::addColumn<int>("format");
    QTest::addColumn<QList<double>>("known");
    QTest::addColumn<double>("chance");

    const int one = int(ItemFormat::ChooseTrue);
    // The right option is the first statement.
    QTest::newRow("one of four, nothing known") << one << QList<double> {0, 0, 0, 0} << 0.25;
    QTest::newRow("one of four, the others ruled out") << one << QList<double> {0, 1, 1, 1} << 1.0;
    QTest::newRow("one of four, two ruled out") << one << QList<double> {0, 1, 1, 0} << 0.5;
    QTest::newRow("one of four, the right one known") << one << QList<double> {1, 0, 0, 0} << 1.0;
    QTest::newRow("one of four, half known")
        << one << QList<double> {0.5, 0.5, 0.5, 0.5}
        << 0.5 + 0.5 * (0.125 * 1 + 0.375 / 2 + 0.375 / 3 + 0.125 / 4);
    QTest::newRow("pair, one known") << int(ItemFormat::Pair) << QList<double> {1, 0} << 0.5;
    QTest::newRow("triple, half known")
        << int(ItemFormat::Triple) << QList<double> {0.5, 0.5, 0.5} << 0.75 * 0.75 * 0.75;
    QTest::newRow("single") << int(ItemFormat::Single) << QList<double> {0.6} << 0.8;
}

void TestMockScoreForecast::itemChance()
{
    QFETCH(int, format);
    QFETCH(QList<double>, known);
    QFETCH(double, chance);

    ExamItem item;
    item.format = ItemFormat(format);
    item.rightOption = 1;
    QList<double> retrievability {0};
    for (int i = 0; i < known.size(); ++i) {
        item.bankIds.append(i + 1);
        retrievability.append(known.at(i));
    }
    QCOMPARE(ExpectedItemChance(item, retrievability), chance);
}

// Everything known scores full marks; nothing known scores what luck alone gives, worked out here
// from the chance of a lucky judgment of each format.
void TestMockScoreForecast::scoreBounds()
{
    const QList<double> all(QuestionBank::QuestionCount + 1, 1.0);
    QCOMPARE(ExpectedMockScore(m_items, all), 100.0);

    const QList<double> none(QuestionBank::QuestionCount + 1, 0.0);
    double luck = 0;
    for (std::size_t paper = 0; paper < Papers.size(); ++paper) {
        double sum = 0;
        int count = 0;
        for (const ExamItem &item : itemsOfPaper(m_items, int(paper))) {
            sum += 1.0 / item.optionCount();
            ++count;
        }
        QVERIFY(count > 0);
        luck += sum / count;
    }
    luck = 100 * luck / double(Papers.size());
    QCOMPARE(ExpectedMockScore(m_items, none), luck);
    QVERIFY(luck > 20 && luck < 50);
    QCOMPARE(ExpectedMockScore({}, all), 0.0);
}

QTEST_APPLESS_MAIN(TestMockScoreForecast)
#include "tst_mockscoreforecast.moc"
