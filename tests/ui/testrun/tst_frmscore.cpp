#include "bank/grading.h"
#include "scores/scoresummary.h"
#include "tests/support/controlcheck.h"
#include "tests/support/uitest.h"
#include "ui/kit/twips.h"
#include "ui/testrun/frmscore.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

using namespace kivola;
using uitest::child;
using uitest::textOf;

class TestFrmScore : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanup();
    void frame();
    void controls_data();
    void controls();
    void report_data();
    void report();
    void noTestShowsNoMadeUpFigures();
    void freshWindowShowsLayoutTexts();
    void wideValuesGrowToTheRight();
    void okCloses();
    void captionOnBorder();
};

void TestFrmScore::initTestCase()
{
    uitest::setUpApplication();
}

void TestFrmScore::cleanup()
{
    QVERIFY(uitest::noWindowLeft());
}

void TestFrmScore::frame()
{
    FrmScore report(nullptr);
    QCOMPARE(report.objectName(), QStringLiteral("frmScore"));
    QCOMPARE(report.windowTitle(), QStringLiteral("Torenza　Kivola　- 成績表 -"));
    QCOMPARE(report.size(), QSize(kit::px(4590), kit::px(4680)));
    QCOMPARE(
        child<QGroupBox>(&report, QStringLiteral("Frame1"))->title(), QStringLiteral("コメント"));
    QCOMPARE(child<QLabel>(&report, QStringLiteral("lblComment"))->parentWidget()->objectName(),
        QStringLiteral("Frame1"));
    QCOMPARE(report.focusWidget(), child<QPushButton>(&report, QStringLiteral("btnOK")));
    checkCentredOnScreen(&report);
}

void TestFrmScore::controls_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<ControlRow>("row");

    const QColor white = Qt::white;
    QTest::newRow("btnOK") << "btnOK"
                           << ControlRow {{240, 4080, 4095, 495}, false, 19, true, false};
    QTest::newRow("Frame1") << "Frame1"
                            << ControlRow {{480, 2640, 3615, 975}, false, 0, false, false,
                                   QColor(0x00, 0x80, 0x00), QPalette::Window};
    QTest::newRow("lblComment") << "lblComment"
                                << ControlRow {
                                       {120, 240, 3375, 615}, false, 13, false, false, white};
    QTest::newRow("Label5") << "Label5"
                            << ControlRow {{720, 2160, 930, 315}, true, 21, true, false, white};
    QTest::newRow("lblLevel") << "lblLevel"
                              << ControlRow {{2520, 2160, 1320, 315}, true, 21, true, false, white};
    QTest::newRow("Shape3") << "Shape3"
                            << shapeRow({120, 3720, 4335, 255}, QColor(0x80, 0x40, 0x00));
    QTest::newRow("lblNo") << "lblNo"
                           << ControlRow {{3120, 720, 690, 315}, true, 21, true, false, white};
    QTest::newRow("Label9") << "Label9"
                            << ControlRow {{720, 720, 1485, 315}, true, 21, true, false, white};
    QTest::newRow("lblScore") << "lblScore"
                              << ControlRow {{3120, 1200, 690, 315}, true, 21, true, false, white};
    QTest::newRow("Label7") << "Label7"
                            << ControlRow {{720, 1200, 1320, 315}, true, 21, true, false, white};
    QTest::newRow("lblRate") << "lblRate"
                             << ControlRow {{3120, 1680, 690, 315}, true, 21, true, false, white};
    QTest::newRow("Label3") << "Label3"
                            << ControlRow {{720, 1680, 990, 315}, true, 21, true, false, white};
    QTest::newRow("Title1a") << "Title1a"
                             << ControlRow {{1800, 240, 1125, 360}, true, 24, true, true, white};
    QTest::newRow("Shape1") << "Shape1"
                            << shapeRow({240, 120, 4095, 2895}, QColor(0x00, 0x80, 0x00));
    QTest::newRow("Shape2") << "Shape2"
                            << shapeRow({240, 1800, 4095, 1935}, QColor(0x00, 0x80, 0x00));
}

void TestFrmScore::controls()
{
    QFETCH(QString, name);
    QFETCH(ControlRow, row);
    FrmScore report(nullptr);
    checkControl(&report, name, row);
}

void TestFrmScore::report_data()
{
    QTest::addColumn<int>("tests");
    QTest::addColumn<int>("points");
    QTest::addColumn<QString>("count");
    QTest::addColumn<QString>("total");
    QTest::addColumn<QString>("rate");
    QTest::addColumn<QString>("level");
    QTest::addColumn<int>("rank");

    QTest::newRow("three tests 160") << 3 << 160 << "3回"
                                     << "160点"
                                     << "53％"
                                     << "高校二年生" << 5;
    QTest::newRow("one perfect") << 1 << 100 << "1回"
                                 << "100点"
                                 << "100％"
                                 << "難関私立大学" << 10;
    QTest::newRow("two tests 180") << 2 << 180 << "2回"
                                   << "180点"
                                   << "90％"
                                   << "一流大学" << 9;
    QTest::newRow("four tests 20") << 4 << 20 << "4回"
                                   << "20点"
                                   << "5％"
                                   << "幼稚園児" << 0;
    QTest::newRow("truncated average") << 3 << 200 << "3回"
                                       << "200点"
                                       << "66％"
                                       << "三流大学" << 6;
}

void TestFrmScore::report()
{
    QFETCH(int, tests);
    QFETCH(int, points);
    QFETCH(QString, count);
    QFETCH(QString, total);
    QFETCH(QString, rate);
    QFETCH(QString, level);
    QFETCH(int, rank);

    FrmScore report(nullptr);
    report.showSummary(ScoreSummary::of(tests, points));
    QCOMPARE(textOf(&report, u"lblNo"_s), count);
    QCOMPARE(textOf(&report, u"lblScore"_s), total);
    QCOMPARE(textOf(&report, u"lblRate"_s), rate);
    QCOMPARE(textOf(&report, u"lblLevel"_s), level);
    QCOMPARE(textOf(&report, u"lblComment"_s), CommentFor(rank));
}

void TestFrmScore::noTestShowsNoMadeUpFigures()
{
    FrmScore report(nullptr);
    report.showSummary(ScoreSummary::of(0, 0));
    QCOMPARE(textOf(&report, u"lblNo"_s), QStringLiteral("0回"));
    QCOMPARE(textOf(&report, u"lblScore"_s), QStringLiteral("0点"));
    QCOMPARE(textOf(&report, u"lblRate"_s), QStringLiteral("0％"));
    QCOMPARE(textOf(&report, u"lblLevel"_s), QString());
    QCOMPARE(textOf(&report, u"lblComment"_s), QString());
}

void TestFrmScore::freshWindowShowsLayoutTexts()
{
    {
        FrmScore report(nullptr);
        report.showSummary(ScoreSummary::of(3, 160));
    }
    FrmScore again(nullptr);
    QCOMPARE(textOf(&again, u"lblNo"_s), QStringLiteral("30問"));
    QCOMPARE(textOf(&again, u"lblScore"_s), QStringLiteral("30問"));
    QCOMPARE(textOf(&again, u"lblRate"_s), QStringLiteral("84％"));
    QCOMPARE(textOf(&again, u"lblLevel"_s), QStringLiteral("三流大学"));
    QCOMPARE(textOf(&again, u"lblComment"_s), QStringLiteral("この調子でがんばりましょう！"));
}

void TestFrmScore::wideValuesGrowToTheRight()
{
    FrmScore report(nullptr);
    auto *count = child<QLabel>(&report, QStringLiteral("lblNo"));
    const int narrow = count->width();
    report.showSummary(ScoreSummary::of(2147483647, 2147483647));
    QCOMPARE(count->x(), kit::px(3120));
    QVERIFY(count->width() > narrow);
    QCOMPARE(count->width(), count->sizeHint().width());
}

void TestFrmScore::okCloses()
{
    FrmScore report(nullptr);
    report.show();
    QVERIFY(QTest::qWaitForWindowExposed(&report));
    QTest::keyClick(&report, Qt::Key_Escape);
    QVERIFY(report.isVisible());
    child<QPushButton>(&report, QStringLiteral("btnOK"))->click();
    QVERIFY(!report.isVisible());
}

void TestFrmScore::captionOnBorder()
{
    FrmScore report(nullptr);
    report.showSummary(ScoreSummary::of(3, 160));
    checkCaptionOnBorder(&report, QStringLiteral("Frame1"), QStringLiteral("lblComment"));
}

QTEST_MAIN(TestFrmScore)
#include "tst_frmscore.moc"
