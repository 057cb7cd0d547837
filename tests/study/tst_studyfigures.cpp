#include "study/studyfigures.h"

#include <QTest>

using namespace kivola;

namespace {

QuestionRecord statement(const char *year, const char *examKind, const char *part)
{
    return {QStringLiteral("文"), QStringLiteral("1"), {}, QString::fromLatin1(year),
        QString::fromLatin1(examKind), QString::fromLatin1(part), QStringLiteral("1")};
}

// Five statements seen: 1 mastered, 2 and 3 wrong last, 100 right once, 565 right last after
// a wrong answer.
StatementTable sampleTable()
{
    StatementTable table = emptyStatementTable();
    table[1] = {3, 1, LatestResult::Right, true};
    table[2] = {2, 2, LatestResult::Wrong, false};
    table[3] = {1, 1, LatestResult::Wrong, false};
    table[100] = {1, 0, LatestResult::Right, false};
    table[565] = {4, 2, LatestResult::Right, false};
    return table;
}

} // namespace

class TestStudyFigures : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void countsAndLists();
    void mostWrong_data();
    void mostWrong();
    void accuracy();
    void accuracyByNote();
    void weakestPart_data();
    void weakestPart();
    void weakestThreshold_data();
    void weakestThreshold();
    void runningAverage();
    void paperScore_data();
    void paperScore();
    void bestScores();
};

void TestStudyFigures::countsAndLists()
{
    const StatementTable table = sampleTable();
    QCOMPARE(seenCount(table), 5);
    QCOMPARE(masteredCount(table), 1);
    QCOMPARE(latestWrong(table), QList<int>({2, 3}));
    const QList<int> unseen = neverAnswered(table);
    QCOMPARE(unseen.size(), QuestionBank::QuestionCount - 5);
    QCOMPARE(unseen.first(), 4);
    QCOMPARE(unseen.last(), 564);
    QVERIFY(!unseen.contains(100));

    const StatementTable empty = emptyStatementTable();
    QCOMPARE(seenCount(empty), 0);
    QCOMPARE(neverAnswered(empty).size(), QuestionBank::QuestionCount);
}

void TestStudyFigures::mostWrong_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<QList<int>>("ids");

    // 2 and 565 were wrong twice, 1 and 3 once: equals by ascending id.
    QTest::newRow("none asked") << 0 << QList<int>();
    QTest::newRow("negative count") << -1 << QList<int>();
    QTest::newRow("top one") << 1 << QList<int>({2});
    QTest::newRow("cut among equals") << 3 << QList<int>({2, 565, 1});
    QTest::newRow("more than were wrong") << 10 << QList<int>({2, 565, 1, 3});
}

void TestStudyFigures::mostWrong()
{
    QFETCH(int, count);
    QFETCH(QList<int>, ids);
    QCOMPARE(kivola::mostWrong(sampleTable(), count), ids);
}

void TestStudyFigures::accuracy()
{
    QuestionBank bank;
    bank.append(statement("2003", "1", "1"));
    bank.append(statement("2002", "2", "6"));
    // Names no part: counts for its paper only.
    bank.append(statement("2001", "1", "9"));
    // Statements 100 and 565 are not in this bank and count nowhere.

    PartAccuracy parts {};
    parts[0] = {3, 2};
    parts[5] = {2, 0};
    QCOMPARE(accuracyByPart(sampleTable(), bank), parts);

    PaperAccuracy papers {};
    papers[0] = {3, 2};
    papers[3] = {2, 0};
    papers[4] = {1, 0};
    QCOMPARE(accuracyByPaper(sampleTable(), bank), papers);
}

void TestStudyFigures::accuracyByNote()
{
    StudyLayer layer;
    layer.insert(1, {QStringLiteral("補足"), Period::Edo, Theme::Politics | Theme::Economy});
    layer.insert(2, {QStringLiteral("補足"), Period::Edo, Theme::Culture});
    layer.insert(3, {QStringLiteral("補足"), Period::Meiji, Theme::Politics});
    // Statements 100 and 565 have no note and count nowhere.

    PeriodAccuracy periods {};
    periods[std::size_t(Period::Edo)] = {5, 2};
    periods[std::size_t(Period::Meiji)] = {1, 0};
    QCOMPARE(accuracyByPeriod(sampleTable(), layer), periods);

    ThemeAccuracy themes {};
    themes[std::size_t(themeIndex(Theme::Politics))] = {4, 2};
    themes[std::size_t(themeIndex(Theme::Economy))] = {3, 2};
    themes[std::size_t(themeIndex(Theme::Culture))] = {2, 0};
    QCOMPARE(accuracyByTheme(sampleTable(), layer), themes);
}

void TestStudyFigures::weakestPart_data()
{
    QTest::addColumn<PartAccuracy>("accuracy");
    QTest::addColumn<int>("part");

    QTest::newRow("nothing answered") << PartAccuracy {} << 0;
    // 10 of 30 is below 20 of 40; part 6 was never answered and is no candidate.
    QTest::newRow("lowest rate") << PartAccuracy {{{40, 20}, {30, 10}, {20, 20}}} << 2;
    QTest::newRow("equal rates: lower part") << PartAccuracy {{{}, {}, {40, 10}, {80, 20}}} << 3;
    QTest::newRow("all wrong beats unseen")
        << PartAccuracy {{{}, {}, {}, {}, {}, {WeakestMinimumAnswers, 0}}} << 6;
    QTest::newRow("too few answers are no candidate")
        << PartAccuracy {{{WeakestMinimumAnswers, 9}, {WeakestMinimumAnswers - 1, 0}}} << 1;
}

void TestStudyFigures::weakestPart()
{
    QFETCH(PartAccuracy, accuracy);
    QFETCH(int, part);
    QCOMPARE(kivola::weakestPart(accuracy), part);
}

void TestStudyFigures::weakestThreshold_data()
{
    QTest::addColumn<QString>("group");
    QTest::addColumn<int>("answered");
    QTest::addColumn<bool>("named");

    for (const char *group : {"part", "period", "theme"}) {
        const QString name = QString::fromLatin1(group);
        QTest::addRow("%s: 9 answers", group) << name << 9 << false;
        QTest::addRow("%s: 10 answers", group) << name << 10 << true;
    }
}

void TestStudyFigures::weakestThreshold()
{
    QFETCH(QString, group);
    QFETCH(int, answered);
    QFETCH(bool, named);
    // The third of each list, every answer wrong: the weakest as soon as it counts at all.
    const Accuracy allWrong {answered, 0};
    if (group == QLatin1String("part")) {
        PartAccuracy parts {};
        parts[2] = allWrong;
        QCOMPARE(kivola::weakestPart(parts), named ? 3 : 0);
    } else if (group == QLatin1String("period")) {
        PeriodAccuracy periods {};
        periods[2] = allWrong;
        QCOMPARE(weakestPeriod(periods), named ? std::optional(Period::Nara) : std::nullopt);
    } else {
        ThemeAccuracy themes {};
        themes[2] = allWrong;
        QCOMPARE(weakestTheme(themes), named ? std::optional(Theme::Economy) : std::nullopt);
    }
}

void TestStudyFigures::runningAverage()
{
    const QDateTime t;
    const QList<TestPoints> tests {
        {t, TestKind::Ordinary, 40}, {t, TestKind::PracticeMistakes, 100}, {t, {}, 0}};
    QCOMPARE(kivola::runningAverage(tests), QList<double>({40.0, 70.0, 140.0 / 3}));
    QVERIFY(kivola::runningAverage({}).isEmpty());
}

void TestStudyFigures::paperScore_data()
{
    QTest::addColumn<int>("right");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("score");

    QTest::newRow("all right") << 29 << 29 << 100;
    QTest::newRow("none right") << 0 << 31 << 0;
    QTest::newRow("rounded down") << 1 << 3 << 33;
    QTest::newRow("rounded up") << 2 << 3 << 67;
    QTest::newRow("half rounds up") << 1 << 8 << 13;
    QTest::newRow("no items") << 0 << 0 << 0;
}

void TestStudyFigures::paperScore()
{
    QFETCH(int, right);
    QFETCH(int, count);
    QFETCH(int, score);
    QCOMPARE(kivola::paperScore(right, count), score);
}

void TestStudyFigures::bestScores()
{
    const QList<PaperResult> results {{1, 0, {}, 0, 0, 40}, {2, 5, {}, 0, 0, 90},
        {3, 0, {}, 0, 0, 70}, {4, 0, {}, 0, 0, 55}, {5, 6, {}, 0, 0, 100}};
    BestScores expected {};
    expected[0] = 70;
    expected[5] = 90;
    QCOMPARE(kivola::bestScores(results), expected);
}

QTEST_GUILESS_MAIN(TestStudyFigures)
#include "tst_studyfigures.moc"
