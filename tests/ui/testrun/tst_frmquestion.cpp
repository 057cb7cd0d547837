#include "tests/support/controlcheck.h"
#include "tests/support/flowfixture.h"
#include "tests/support/uitest.h"
#include "ui/kit/label.h"
#include "ui/kit/twips.h"
#include "ui/testrun/frmquestion.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

using namespace kivola;
using uitest::child;

class TestFrmQuestion : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanup();
    void frame();
    void controls_data();
    void controls();
    void headingFollowsQuestionNumber_data();
    void headingFollowsQuestionNumber();
    void buttonsAnswer_data();
    void buttonsAnswer();
    void longTextIsClippedNotGrown();
    void buttonsDrawnInTheirColour_data();
    void buttonsDrawnInTheirColour();
};

void TestFrmQuestion::initTestCase()
{
    uitest::setUpApplication();
}

void TestFrmQuestion::cleanup()
{
    QVERIFY(uitest::noWindowLeft());
}

void TestFrmQuestion::frame()
{
    FlowFixture f({12});
    f.quiz.StartTest();
    FrmQuestion question(f.session);
    QCOMPARE(question.objectName(), QStringLiteral("frmQuestion"));
    QCOMPARE(question.windowTitle(), QStringLiteral("Torenza　Kivola　- 問題 -"));
    QCOMPARE(question.size(), QSize(kit::px(4605), kit::px(3345)));
    QCOMPARE(question.parentWidget(), nullptr);
    QVERIFY(question.isModal());
    auto *yes = child<QPushButton>(&question, QStringLiteral("btnYesNo1"));
    QCOMPARE(yes->text(), QStringLiteral("○"));
    QCOMPARE(
        child<QPushButton>(&question, QStringLiteral("btnYesNo2"))->text(), QStringLiteral("×"));
    QCOMPARE(question.focusWidget(), yes);
    QCOMPARE(
        uitest::nextFocusable(yes), child<QPushButton>(&question, QStringLiteral("btnYesNo2")));
    QCOMPARE(child<QLabel>(&question, QStringLiteral("lblQuestion"))->text(),
        fixture::question(12).questionText);
    checkCentredOnScreen(&question);
}

void TestFrmQuestion::controls_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<ControlRow>("row");

    QTest::newRow("btnYesNo2") << "btnYesNo2"
                               << ControlRow {{2520, 2040, 1335, 1095}, false, 64, false, false,
                                      QColor(0xC0, 0xC0, 0xFF), QPalette::Button};
    QTest::newRow("btnYesNo1") << "btnYesNo1"
                               << ControlRow {{720, 2040, 1335, 1095}, false, 48, true, false,
                                      QColor(0xFF, 0xC0, 0xC0), QPalette::Button};
    QTest::newRow("lblQuestion") << "lblQuestion"
                                 << ControlRow {{360, 840, 3855, 855}, false, 13, false, false};
    QTest::newRow("lblQuestionCase") << "lblQuestionCase"
                                     << ControlRow {{240, 720, 4095, 1095}, false, 0, false, false,
                                            QColor(0xFF, 0xE0, 0xC0), QPalette::Window};
    // Centred headings that fit their text keep their left and top edges all the same.
    QTest::newRow("Title1a") << "Title1a"
                             << ControlRow {
                                    {1200, 120, 2250, 360}, true, 24, true, true, Qt::black};
    QTest::newRow("Title1b") << "Title1b"
                             << ControlRow {{1245, 150, 2250, 360}, true, 24, true, true,
                                    QColor(0xC0, 0xC0, 0xC0)};
}

void TestFrmQuestion::controls()
{
    QFETCH(QString, name);
    QFETCH(ControlRow, row);
    FlowFixture f({1});
    f.quiz.StartTest();
    FrmQuestion question(f.session);
    checkControl(&question, name, row);
}

void TestFrmQuestion::headingFollowsQuestionNumber_data()
{
    QTest::addColumn<int>("answered");
    QTest::addColumn<QString>("heading");
    QTest::newRow("first") << 0 << "第1問";
    QTest::newRow("third") << 2 << "第3問";
    QTest::newRow("fifth") << 4 << "第5問";
}

void TestFrmQuestion::headingFollowsQuestionNumber()
{
    QFETCH(int, answered);
    QFETCH(QString, heading);
    FlowFixture f({5, 6, 7, 8, 9});
    f.quiz.StartTest();
    for (int n = 0; n < answered; ++n)
        f.quiz.RecordAnswer(AnswerTrue);
    FrmQuestion question(f.session);
    QCOMPARE(child<QLabel>(&question, QStringLiteral("Title1a"))->text(), heading);
    QCOMPARE(child<QLabel>(&question, QStringLiteral("Title1b"))->text(), heading);
    QCOMPARE(child<QLabel>(&question, QStringLiteral("lblQuestion"))->text(),
        fixture::question(5 + answered).questionText);
}

void TestFrmQuestion::buttonsAnswer_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("tabFirst");
    QTest::addColumn<int>("answer");
    QTest::newRow("Enter answers true") << int(Qt::Key_Return) << QString() << false << 1;
    QTest::newRow("Space answers true") << int(Qt::Key_Space) << QString() << false << 1;
    QTest::newRow("Tab then Enter answers false") << int(Qt::Key_Return) << QString() << true << 2;
    QTest::newRow("O answers true") << int(Qt::Key_O) << QStringLiteral("o") << true << 1;
    QTest::newRow("shifted O answers true") << int(Qt::Key_O) << QStringLiteral("O") << true << 1;
    QTest::newRow("1 answers true") << int(Qt::Key_1) << QStringLiteral("1") << true << 1;
    QTest::newRow("X answers false") << int(Qt::Key_X) << QStringLiteral("x") << false << 2;
    QTest::newRow("2 answers false") << int(Qt::Key_2) << QStringLiteral("2") << false << 2;
    // With a Japanese input method on, a key may come as a full-width character alone.
    QTest::newRow("full-width x answers false")
        << int(Qt::Key_unknown) << QStringLiteral("ｘ") << false << 2;
    QTest::newRow("full-width 1 answers true")
        << int(Qt::Key_unknown) << QStringLiteral("１") << true << 1;
}

void TestFrmQuestion::buttonsAnswer()
{
    QFETCH(int, key);
    QFETCH(QString, text);
    QFETCH(bool, tabFirst);
    QFETCH(int, answer);
    FlowFixture f({3});
    f.quiz.StartTest();
    FrmQuestion question(f.session);
    question.show();
    QVERIFY(QTest::qWaitForWindowActive(&question));
    if (tabFirst)
        QTest::keyClick(question.focusWidget(), Qt::Key_Tab);
    if (text.isEmpty())
        QTest::keyClick(question.focusWidget(), Qt::Key(key));
    else
        QTest::sendKeyEvent(QTest::Click, question.focusWidget(), Qt::Key(key), text, {});
    QTRY_VERIFY(!question.isVisible());
    QCOMPARE(question.result(), int(QDialog::Accepted));
    QCOMPARE(int(f.quiz.run().answers[1]), answer);
    QCOMPARE(f.quiz.run().currentNo, 2);
}

void TestFrmQuestion::longTextIsClippedNotGrown()
{
    FlowFixture f({1});
    f.quiz.StartTest();
    FrmQuestion question(f.session);
    auto *label = child<kit::Label>(&question, QStringLiteral("lblQuestion"));
    const QRect before = label->geometry();
    label->setText(QString(200, u'長'));
    QCOMPARE(label->geometry(), before);
    QVERIFY(label->wordWrap());
    QVERIFY(label->heightForWidth(label->width()) > label->height());
}

void TestFrmQuestion::buttonsDrawnInTheirColour_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("other");
    QTest::addColumn<QColor>("colour");
    QTest::newRow("true") << QStringLiteral("btnYesNo1") << QStringLiteral("btnYesNo2")
                          << QColor(0xFF, 0xC0, 0xC0);
    QTest::newRow("false") << QStringLiteral("btnYesNo2") << QStringLiteral("btnYesNo1")
                           << QColor(0xC0, 0xC0, 0xFF);
}

void TestFrmQuestion::buttonsDrawnInTheirColour()
{
    QFETCH(QString, name);
    QFETCH(QString, other);
    QFETCH(QColor, colour);
    FlowFixture f({1});
    f.quiz.StartTest();
    FrmQuestion question(f.session);
    question.show();
    QVERIFY(QTest::qWaitForWindowActive(&question));
    auto *button = child<QPushButton>(&question, name);
    const auto grabbed = [button] { return button->grab().toImage(); };
    // Between the bevel and the mark, left of the mark and above it.
    const QList<QPointF> fillPoints {
        {button->width() / 8.0, button->height() / 2.0}, {button->width() / 2.0, 8.5}};
    const auto checkFill = [&](const QImage &image, bool expected) {
        const qreal ratio = image.devicePixelRatio();
        for (const QPointF &at : fillPoints) {
            const QColor drawn = image.pixelColor((at * ratio).toPoint());
            constexpr int Tolerance = 2;
            const bool near = qAbs(drawn.red() - colour.red()) <= Tolerance
                && qAbs(drawn.green() - colour.green()) <= Tolerance
                && qAbs(drawn.blue() - colour.blue()) <= Tolerance;
            QVERIFY2(near == expected, qPrintable(drawn.name()));
        }
    };

    child<QPushButton>(&question, other)->setFocus();
    const QImage plain = grabbed();
    checkFill(plain, true);
    if (QTest::currentTestFailed())
        return;
    button->setFocus();
    QVERIFY(button->hasFocus());
    const QImage focused = grabbed();
    checkFill(focused, true);
    if (QTest::currentTestFailed())
        return;
    QVERIFY(focused != plain);
    button->setDown(true);
    checkFill(grabbed(), false);
    if (QTest::currentTestFailed())
        return;
    button->setDown(false);
}

QTEST_MAIN(TestFrmQuestion)
#include "tst_frmquestion.moc"
