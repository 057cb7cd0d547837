#include "tests/support/controlcheck.h"
#include "tests/support/flowfixture.h"
#include "tests/support/uitest.h"
#include "ui/kit/twips.h"
#include "ui/testrun/frmresult.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

using namespace kivola;
using uitest::child;

class TestFrmResult : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanup();
    void frame();
    void controls_data();
    void controls();
    void showsResult();
    void tabOrder();
};

void TestFrmResult::initTestCase()
{
    uitest::setUpApplication();
}

void TestFrmResult::cleanup()
{
    QVERIFY(uitest::noWindowLeft());
}

void TestFrmResult::frame()
{
    FlowFixture f({1});
    QWidget owner;
    FrmResult result(f.quiz, f.store, &owner);
    QCOMPARE(result.objectName(), QStringLiteral("frmResult"));
    QCOMPARE(result.windowTitle(), QStringLiteral("Torenza　Kivola　- 採点結果 -"));
    QCOMPARE(result.size(), QSize(kit::px(5925), kit::px(5820)));
    QCOMPARE(result.parentWidget(), &owner);
    for (int row = 0; row < 5; ++row) {
        QCOMPARE(child<QLabel>(&result, QStringLiteral("lblQno%1").arg(row))->text(),
            QStringLiteral("第%1問").arg(row + 1));
        QCOMPARE(child<QPushButton>(&result, QStringLiteral("btnReview%1").arg(row))->text(),
            QStringLiteral("見直し"));
    }
    checkCentredOnScreen(&result);
}

void TestFrmResult::controls_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<ControlRow>("row");

    const QColor white = Qt::white;
    for (int i = 0; i < 5; ++i) {
        const int top = 2280 + 480 * i;
        QTest::addRow("btnReview%d", i) << QStringLiteral("btnReview%1").arg(i)
                                        << ControlRow {{4800, top, 735, 375}, false, 13, false,
                                               false, QColor(0xFF, 0xE0, 0xC0), QPalette::Button};
        QTest::addRow("lblRight%d", i)
            << QStringLiteral("lblRight%1").arg(i)
            << ControlRow {{3960, top, 480, 240}, true, 16, false, false, white};
        QTest::addRow("lblYours%d", i)
            << QStringLiteral("lblYours%1").arg(i)
            << ControlRow {{3000, top, 480, 240}, true, 16, false, false, white};
        QTest::addRow("lblScore%d", i)
            << QStringLiteral("lblScore%1").arg(i)
            << ControlRow {{2160, top, 360, 240}, true, 16, false, false, white};
        QTest::addRow("lblQno%d", i)
            << QStringLiteral("lblQno%1").arg(i)
            << ControlRow {{960, top, 600, 240}, true, 16, false, false, white};
    }
    QTest::newRow("Command1") << "Command1"
                              << ControlRow {{3240, 5040, 1095, 615}, false, 19, true, false,
                                     QColor(0xC0, 0xC0, 0xFF), QPalette::Button};
    QTest::newRow("btnOK") << "btnOK"
                           << ControlRow {{1800, 5040, 1095, 615}, false, 19, true, false};
    QTest::newRow("txtScore") << "txtScore"
                              << ControlRow {{3960, 240, 1695, 615}, false, 32, true, false,
                                     QColor(0x00, 0xFF, 0x00), QPalette::Text};
    QTest::newRow("lblComment") << "lblComment"
                                << ControlRow {{360, 1200, 5175, 255}, false, 13, false, false};
    QTest::newRow("Label2") << "Label2"
                            << ControlRow {{2880, 1800, 660, 315}, true, 21, true, false, white};
    QTest::newRow("Label1") << "Label1"
                            << ControlRow {{3840, 1800, 660, 315}, true, 21, true, false, white};
    QTest::newRow("Label9") << "Label9"
                            << ControlRow {{360, 1800, 1320, 315}, true, 21, true, false, white};
    QTest::newRow("Label10") << "Label10"
                             << ControlRow {{1920, 1800, 660, 315}, true, 21, true, false, white};
    QTest::newRow("Title2a") << "Title2a"
                             << ControlRow {{645, 315, 2565, 360}, true, 24, true, true, Qt::black};
    QTest::newRow("lblVase") << "lblVase"
                             << ControlRow {{240, 1080, 5415, 495}, false, 0, false, false,
                                    QColor(0xFF, 0xE0, 0xC0), QPalette::Window};
    QTest::newRow("Title2b") << "Title2b"
                             << ControlRow {{690, 345, 2580, 360}, true, 24, true, true,
                                    QColor(0xC0, 0xC0, 0xC0)};
    QTest::newRow("Shape1") << "Shape1"
                            << shapeRow({240, 120, 3615, 735}, QColor(0xFF, 0xC0, 0x80),
                                   QColor(0xC0, 0x40, 0x00), 3);
    QTest::newRow("Shape2") << "Shape2"
                            << shapeRow({120, 1680, 5655, 3135}, QColor(0x80, 0x40, 0x00),
                                   QApplication::palette().color(QPalette::WindowText), 1);
}

void TestFrmResult::controls()
{
    QFETCH(QString, name);
    QFETCH(ControlRow, row);
    FlowFixture f({1});
    FrmResult result(f.quiz, f.store, nullptr);
    checkControl(&result, name, row);
}

void TestFrmResult::showsResult()
{
    FlowFixture f({1});
    FrmResult result(f.quiz, f.store, nullptr);
    GradedTest graded;
    graded.answers = {{{1, 1, 1, 20}, {3, 2, 1, 0}, {5, 1, 1, 20}, {2, 1, 2, 0}, {4, 2, 2, 20}}};
    graded.score = 60;
    graded.rank = 6;
    const QString title = QStringLiteral("第4回 採点結果");
    result.showResult(graded, title);
    const QStringList points {u"20"_s, u"0"_s, u"20"_s, u"0"_s, u"20"_s};
    const QString yours = QStringLiteral("○×○○×");
    const QString right = QStringLiteral("○○○××");
    for (int row = 0; row < 5; ++row) {
        QCOMPARE(
            child<QLabel>(&result, QStringLiteral("lblScore%1").arg(row))->text(), points.at(row));
        QCOMPARE(
            child<QLabel>(&result, QStringLiteral("lblYours%1").arg(row))->text(), yours.at(row));
        QCOMPARE(
            child<QLabel>(&result, QStringLiteral("lblRight%1").arg(row))->text(), right.at(row));
    }
    QCOMPARE(child<QLineEdit>(&result, QStringLiteral("txtScore"))->text(), QStringLiteral("60点"));
    QVERIFY(child<QLineEdit>(&result, QStringLiteral("txtScore"))->isReadOnly());
    QCOMPARE(child<QLabel>(&result, QStringLiteral("lblComment"))->text(),
        QStringLiteral("平均以上です。努力を怠らないようにしましょう"));
    QCOMPARE(child<QLabel>(&result, QStringLiteral("Title2a"))->text(), title);
    QCOMPARE(child<QLabel>(&result, QStringLiteral("Title2b"))->text(), title);
}

void TestFrmResult::tabOrder()
{
    FlowFixture f({1});
    FrmResult result(f.quiz, f.store, nullptr);
    QStringList order;
    QWidget *w = result.focusWidget();
    QCOMPARE(w->objectName(), QStringLiteral("btnOK"));
    for (int i = 0; i < 8; ++i) {
        order.append(w->objectName());
        w = uitest::nextFocusable(w);
    }
    QCOMPARE(order,
        (QStringList {u"btnOK"_s, u"Command1"_s, u"btnReview0"_s, u"btnReview1"_s, u"btnReview2"_s,
            u"btnReview3"_s, u"btnReview4"_s, u"txtScore"_s}));
    QCOMPARE(w->objectName(), QStringLiteral("btnOK"));
}

QTEST_MAIN(TestFrmResult)
#include "tst_frmresult.moc"
