#include "quiz/mockpaper.h"
#include "quiz/mockpapertext.h"

#include <QTest>

using namespace kivola;

namespace {

using Chosen = QList<int>;
using Parts = QList<PartScore>;

// An item of part `part` whose right option is `right`, asked as one of four.
ExamItem fourChoice(int part, int right)
{
    return {0, part, QStringLiteral("1"), {1, 2, 3, 4}, ItemFormat::ChooseTrue, right};
}

// Parts 1, 1, 2, 6 with right options 1, 2, 3, 4, and a single statement of part 3 (right ×).
QList<ExamItem> fiveItems()
{
    return {fourChoice(1, 1), fourChoice(1, 2), fourChoice(2, 3), fourChoice(6, 4),
        {0, 3, QStringLiteral("2"), {9}, ItemFormat::Single, 2}};
}

MockPaper answered(const Chosen &chosen, MockPaper::Countdown countdown)
{
    MockPaper paper(0, fiveItems(), countdown);
    for (int index = 0; index < chosen.size(); ++index)
        paper.choose(index, chosen.at(index));
    return paper;
}

} // namespace

class TestMockPaper : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void grading_data();
    void grading();
    void scoreRounding_data();
    void scoreRounding();
    void choosing_data();
    void choosing();
    void clock_data();
    void clock();
    void restoring_data();
    void restoring();
    void movesStayInPaper();
    void timeTexts_data();
    void timeTexts();
};

void TestMockPaper::grading_data()
{
    QTest::addColumn<Chosen>("chosen");
    QTest::addColumn<int>("right");
    QTest::addColumn<int>("unanswered");
    QTest::addColumn<int>("score");
    QTest::addColumn<Parts>("parts");

    QTest::newRow("nothing answered")
        << Chosen {} << 0 << 5 << 0 << Parts {{0, 2}, {0, 1}, {0, 1}, {}, {}, {0, 1}};
    QTest::newRow("all right") << Chosen {1, 2, 3, 4, 2} << 5 << 0 << 100
                               << Parts {{2, 2}, {1, 1}, {1, 1}, {}, {}, {1, 1}};
    QTest::newRow("wrong and unanswered")
        << Chosen {1, 1, 0, 4, 1} << 2 << 1 << 40 << Parts {{1, 2}, {0, 1}, {0, 1}, {}, {}, {1, 1}};
    QTest::newRow("withdrawn answer counts as unanswered")
        << Chosen {1, 0, 3, 0, 2} << 3 << 2 << 60 << Parts {{1, 2}, {1, 1}, {1, 1}, {}, {}, {0, 1}};
}

void TestMockPaper::grading()
{
    QFETCH(Chosen, chosen);
    QFETCH(int, right);
    QFETCH(int, unanswered);
    QFETCH(int, score);
    QFETCH(Parts, parts);

    const MockPaper paper = answered(chosen, MockPaper::Countdown::On);
    QCOMPARE(paper.rightCount(), right);
    QCOMPARE(paper.unansweredCount(), unanswered);
    QCOMPARE(paper.score(), score);
    const auto byPart = paper.partScores();
    QCOMPARE(Parts(byPart.cbegin(), byPart.cend()), parts);
}

void TestMockPaper::scoreRounding_data()
{
    QTest::addColumn<int>("right");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("score");

    QTest::newRow("19 of 28") << 19 << 28 << 68;
    QTest::newRow("half rounds up") << 1 << 8 << 13;
    QTest::newRow("1 of 40 is 2.5") << 1 << 40 << 3;
    QTest::newRow("below half rounds down") << 1 << 3 << 33;
    QTest::newRow("above half rounds up") << 2 << 3 << 67;
    QTest::newRow("all of 31") << 31 << 31 << 100;
    QTest::newRow("none of 26") << 0 << 26 << 0;
    QTest::newRow("no items") << 0 << 0 << 0;
}

void TestMockPaper::scoreRounding()
{
    QFETCH(int, right);
    QFETCH(int, count);
    QFETCH(int, score);
    QCOMPARE(MockPaper::scoreOf(right, count), score);
}

void TestMockPaper::choosing_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("option");
    QTest::addColumn<bool>("changed");
    QTest::addColumn<int>("chosen");

    // Item 0 holds option 1 before each row.
    QTest::newRow("another option") << 0 << 3 << true << 3;
    QTest::newRow("the same option") << 0 << 1 << false << 1;
    QTest::newRow("withdrawn") << 0 << 0 << true << 0;
    QTest::newRow("past the four options") << 0 << 5 << false << 1;
    QTest::newRow("negative option") << 0 << -1 << false << 1;
    QTest::newRow("single statement takes 2") << 4 << 2 << true << 2;
    QTest::newRow("single statement has no 3") << 4 << 3 << false << 0;
    QTest::newRow("past the paper") << 5 << 1 << false << 0;
}

void TestMockPaper::choosing()
{
    QFETCH(int, index);
    QFETCH(int, option);
    QFETCH(bool, changed);
    QFETCH(int, chosen);

    MockPaper paper = answered({1}, MockPaper::Countdown::On);
    QCOMPARE(paper.choose(index, option), changed);
    QCOMPARE(paper.chosen(index), chosen);
}

void TestMockPaper::clock_data()
{
    QTest::addColumn<bool>("timed");
    // Clock moments in ms: start, then each advance; a negative one stops the clock at its
    // absolute value.
    QTest::addColumn<QList<qint64>>("moments");
    QTest::addColumn<int>("used");
    QTest::addColumn<int>("left");
    QTest::addColumn<bool>("timeUp");

    // Five items: 500 seconds.
    QTest::newRow("not started") << true << QList<qint64> {} << 0 << 500 << false;
    QTest::newRow("a second and a half")
        << true << QList<qint64> {1000, 1700, 2500} << 1 << 499 << false;
    QTest::newRow("stopped time is not counted")
        << true << QList<qint64> {0, -60000, 900000} << 60 << 440 << false;
    QTest::newRow("clock going back counts nothing")
        << true << QList<qint64> {5000, 4000, 6000} << 2 << 498 << false;
    QTest::newRow("runs out at zero") << true << QList<qint64> {0, 500000} << 500 << 0 << true;
    QTest::newRow("stays at zero past the end")
        << true << QList<qint64> {0, 400000, 9000000} << 500 << 0 << true;
    QTest::newRow("without countdown counts on")
        << false << QList<qint64> {0, 9000000} << 9000 << 0 << false;
}

void TestMockPaper::clock()
{
    QFETCH(bool, timed);
    QFETCH(QList<qint64>, moments);
    QFETCH(int, used);
    QFETCH(int, left);
    QFETCH(bool, timeUp);

    MockPaper paper(0, fiveItems(), timed ? MockPaper::Countdown::On : MockPaper::Countdown::Off);
    QCOMPARE(paper.timeLimitSeconds(), timed ? 500 : 0);
    for (qsizetype i = 0; i < moments.size(); ++i) {
        if (i == 0)
            paper.startClock(moments.at(i));
        else if (moments.at(i) < 0)
            paper.stopClock(-moments.at(i));
        else if (!paper.isClockRunning())
            paper.startClock(moments.at(i));
        else
            paper.advanceClock(moments.at(i));
    }
    QCOMPARE(paper.secondsUsed(), used);
    QCOMPARE(paper.secondsLeft(), left);
    QCOMPARE(paper.isTimeUp(), timeUp);
}

void TestMockPaper::restoring_data()
{
    QTest::addColumn<bool>("timed");
    QTest::addColumn<Chosen>("chosen");
    QTest::addColumn<int>("flags");
    QTest::addColumn<int>("secondsLeft");
    QTest::addColumn<bool>("restores");
    QTest::addColumn<int>("used");

    QTest::newRow("timed") << true << Chosen {1, 0, 2, 0, 1} << 5 << 330 << true << 170;
    QTest::newRow("more left than the limit")
        << true << Chosen {0, 0, 0, 0, 0} << 5 << 900 << true << 0;
    QTest::newRow("untimed keeps its seconds used")
        << false << Chosen {0, 0, 0, 0, 2} << 5 << 0 << true << 77;
    QTest::newRow("an answer too few") << true << Chosen {1, 0, 2, 0} << 5 << 330 << false << 0;
    QTest::newRow("a flag too few") << true << Chosen {1, 0, 2, 0, 1} << 4 << 330 << false << 0;
    QTest::newRow("option the item lacks")
        << true << Chosen {1, 0, 2, 0, 3} << 5 << 330 << false << 0;
}

void TestMockPaper::restoring()
{
    QFETCH(bool, timed);
    QFETCH(Chosen, chosen);
    QFETCH(int, flags);
    QFETCH(int, secondsLeft);
    QFETCH(bool, restores);
    QFETCH(int, used);

    QList<bool> flagged(flags, false);
    flagged[1] = true;
    const std::optional<MockPaper> paper = MockPaper::restored(2, fiveItems(),
        timed ? MockPaper::Countdown::On : MockPaper::Countdown::Off,
        {chosen, flagged, secondsLeft, 77});
    QCOMPARE(paper.has_value(), restores);
    if (!paper)
        return;
    QCOMPARE(paper->paperIndex(), 2);
    QCOMPARE(paper->state().chosen, chosen);
    QVERIFY(paper->isFlagged(1));
    QVERIFY(!paper->isFlagged(0));
    QCOMPARE(paper->secondsUsed(), used);
}

void TestMockPaper::movesStayInPaper()
{
    MockPaper paper(0, fiveItems(), MockPaper::Countdown::On);
    QVERIFY(!paper.goPrevious());
    paper.setPosition(9);
    QCOMPARE(paper.position(), 4);
    QVERIFY(!paper.goNext());
    QVERIFY(paper.goPrevious());
    QCOMPARE(paper.position(), 3);
}

void TestMockPaper::timeTexts_data()
{
    QTest::addColumn<int>("seconds");
    QTest::addColumn<QString>("duration");
    QTest::addColumn<QString>("clock");

    QTest::newRow("28 items") << 2800 << QStringLiteral("46分40秒") << QStringLiteral("46:40");
    QTest::newRow("whole minutes") << 3000 << QStringLiteral("50分") << QStringLiteral("50:00");
    QTest::newRow("under a minute") << 5 << QStringLiteral("5秒") << QStringLiteral("0:05");
    QTest::newRow("past the hour") << 4400 << QStringLiteral("73分20秒") << QStringLiteral("73:20");
    QTest::newRow("nothing left") << 0 << QStringLiteral("0秒") << QStringLiteral("0:00");
}

void TestMockPaper::timeTexts()
{
    QFETCH(int, seconds);
    QFETCH(QString, duration);
    QFETCH(QString, clock);
    QCOMPARE(durationText(seconds), duration);
    QCOMPARE(clockText(seconds), clock);
}

QTEST_GUILESS_MAIN(TestMockPaper)
#include "tst_mockpaper.moc"
