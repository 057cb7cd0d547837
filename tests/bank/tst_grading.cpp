#include "bank/grading.h"

#include <QTest>

using namespace kivola;

class TestGrading : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void points_data();
    void points();
    void rank_data();
    void rank();
    void comments_data();
    void comments();
};

void TestGrading::points_data()
{
    QTest::addColumn<int>("correct");
    QTest::addColumn<int>("given");
    QTest::addColumn<int>("points");

    QTest::newRow("true judged true") << 1 << 1 << 20;
    QTest::newRow("false judged false") << 2 << 2 << 20;
    QTest::newRow("true judged false") << 1 << 2 << 0;
    QTest::newRow("false judged true") << 2 << 1 << 0;
    QTest::newRow("unreadable code never matches an answer") << 0 << 1 << 0;
}

void TestGrading::points()
{
    QFETCH(int, correct);
    QFETCH(int, given);
    QFETCH(int, points);
    QCOMPARE(int(PointsFor(std::int16_t(correct), std::int16_t(given))), points);
}

void TestGrading::rank_data()
{
    QTest::addColumn<int>("score");
    QTest::addColumn<int>("rank");

    QTest::newRow("negative") << -1 << 0;
    QTest::newRow("0") << 0 << 0;
    QTest::newRow("9") << 9 << 0;
    QTest::newRow("10") << 10 << 1;
    QTest::newRow("19") << 19 << 1;
    QTest::newRow("20") << 20 << 2;
    QTest::newRow("59") << 59 << 5;
    QTest::newRow("60") << 60 << 6;
    QTest::newRow("99") << 99 << 9;
    QTest::newRow("100") << 100 << 10;
    QTest::newRow("101") << 101 << 0;
    QTest::newRow("16-bit top") << 32767 << 0;
}

void TestGrading::rank()
{
    QFETCH(int, score);
    QFETCH(int, rank);
    QCOMPARE(RankOf(std::int16_t(score)), rank);
}

void TestGrading::comments_data()
{
    QTest::addColumn<int>("rank");
    QTest::addColumn<QString>("comment");

    QTest::newRow("0") << 0 << QStringLiteral("勉強不足です。一念発起しましょう");
    QTest::newRow("1") << 1 << QStringLiteral("悔い改めてもっとがんばりましょう");
    QTest::newRow("2") << 2 << QStringLiteral("まだまだ知識があいまいなようです");
    QTest::newRow("3") << 3 << QStringLiteral("正確な知識をつけるように努力しましょう");
    QTest::newRow("4") << 4 << QStringLiteral("この知識では、まだ受験に通用しません");
    QTest::newRow("5") << 5
                       << QStringLiteral(
                              "平均に近づいてきましたが、これで満足しないようにしましょう");
    QTest::newRow("6") << 6 << QStringLiteral("平均以上です。努力を怠らないようにしましょう");
    QTest::newRow("7") << 7
                       << QStringLiteral(
                              "センター試験でも通用できそうですが、さらに上を目指しましょう");
    QTest::newRow("8") << 8
                       << QStringLiteral(
                              "優秀です。難関私大を目指すならさらに高得点を狙いましょう");
    QTest::newRow("9") << 9 << QStringLiteral("極めて優秀です！あと少しで完璧になれます！");
    QTest::newRow("10") << 10
                        << QStringLiteral(
                               "完璧です！あとは本試験まで忘れないようにしましょう(*^^)v");
    QTest::newRow("-1") << -1 << QString();
    QTest::newRow("11") << 11 << QString();
}

void TestGrading::comments()
{
    QFETCH(int, rank);
    QFETCH(QString, comment);
    QCOMPARE(CommentFor(rank), comment);
}

QTEST_GUILESS_MAIN(TestGrading)
#include "tst_grading.moc"
