#include "bank/grading.h"
#include "scores/scorestore.h"
#include "scores/scoresummary.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

using namespace kivola;

class TestScoreSummary : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void figures_data();
    void figures();
    void noTestsGivesCountAndTotalOnly();
    void levels_data();
    void levels();
    void reportReloadsFromFile();
};

void TestScoreSummary::figures_data()
{
    QTest::addColumn<int>("tests");
    QTest::addColumn<int>("points");
    QTest::addColumn<QString>("count");
    QTest::addColumn<QString>("total");
    QTest::addColumn<QString>("rate");
    QTest::addColumn<int>("rank");
    QTest::addColumn<QString>("level");

    QTest::newRow("three tests 160 points") << 3 << 160 << "3回"
                                            << "160点"
                                            << "53％" << 5 << "高校二年生";
    QTest::newRow("one perfect test") << 1 << 100 << "1回"
                                      << "100点"
                                      << "100％" << 10 << "難関私立大学";
    QTest::newRow("two tests 180") << 2 << 180 << "2回"
                                   << "180点"
                                   << "90％" << 9 << "一流大学";
    QTest::newRow("four tests 20") << 4 << 20 << "4回"
                                   << "20点"
                                   << "5％" << 0 << "幼稚園児";
    QTest::newRow("truncated not rounded") << 3 << 200 << "3回"
                                           << "200点"
                                           << "66％" << 6 << "三流大学";
    QTest::newRow("largest record") << 2147483647 << 2147483647 << "2147483647回"
                                    << "2147483647点"
                                    << "1％" << 0 << "幼稚園児";
    QTest::newRow("points beyond possible") << 1 << 500 << "1回"
                                            << "500点"
                                            << "500％" << 11 << "";
}

void TestScoreSummary::figures()
{
    QFETCH(int, tests);
    QFETCH(int, points);
    QFETCH(QString, count);
    QFETCH(QString, total);
    QFETCH(QString, rate);
    QFETCH(int, rank);
    QFETCH(QString, level);

    const ScoreSummary summary = ScoreSummary::of(tests, points);
    QCOMPARE(summary.countText, count);
    QCOMPARE(summary.totalText, total);
    QCOMPARE(summary.rateText.value_or(QString()), rate);
    QCOMPARE(summary.rank.value_or(-1), rank);
    QCOMPARE(summary.comment.value_or(QStringLiteral("none")), CommentFor(rank));
    // A rank outside the table leaves the level label as it was.
    QCOMPARE(summary.level.has_value(), !level.isEmpty());
    QCOMPARE(summary.level.value_or(QString()), level);
}

void TestScoreSummary::noTestsGivesCountAndTotalOnly()
{
    const ScoreSummary summary = ScoreSummary::of(0, 0);
    QCOMPARE(summary.countText, QStringLiteral("0回"));
    QCOMPARE(summary.totalText, QStringLiteral("0点"));
    QVERIFY(!summary.rateText);
    QVERIFY(!summary.rank);
    QVERIFY(!summary.comment);
    QVERIFY(!summary.level);
}

void TestScoreSummary::levels_data()
{
    QTest::addColumn<int>("rank");
    QTest::addColumn<QString>("level");
    const QStringList levels {u"幼稚園児"_s, u"小学生低学年"_s, u"小学生高学年"_s, u"中学生"_s,
        u"高校一年生"_s, u"高校二年生"_s, u"三流大学"_s, u"二流大学"_s, u"センター試験"_s,
        u"一流大学"_s, u"難関私立大学"_s};
    for (int rank = 0; rank < levels.size(); ++rank)
        QTest::addRow("rank %d", rank) << rank << levels.at(rank);
    QTest::newRow("rank -1") << -1 << QString();
    QTest::newRow("rank 11") << 11 << QString();
}

void TestScoreSummary::levels()
{
    QFETCH(int, rank);
    QFETCH(QString, level);
    QCOMPARE(LevelFor(rank), level);
}

void TestScoreSummary::reportReloadsFromFile()
{
    QTemporaryDir dir;
    ScoreStore store(ScoreStore::pathIn(dir.path()));
    QCOMPARE(ReportText(store).countText, QStringLiteral("0回"));
    QFile file(store.path());
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("[MAIN]\nNO= 3\nGETS= 160\n");
    file.close();
    const ScoreSummary summary = ReportText(store);
    QCOMPARE(summary.rateText.value_or(QString()), QStringLiteral("53％"));
    QCOMPARE(store.testsTaken(), 3);
}

QTEST_GUILESS_MAIN(TestScoreSummary)
#include "tst_scoresummary.moc"
