#include "tests/support/fixturebank.h"
#include "tests/support/uitest.h"
#include "ui/study/frmpractice.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <memory>

using namespace kivola;
using namespace Qt::Literals::StringLiterals;
using uitest::child;

namespace {

// The next widget Tab goes to.
QWidget *nextTabStop(QWidget *widget)
{
    QWidget *next = widget->nextInFocusChain();
    while (next != widget && !(next->focusPolicy() & Qt::TabFocus))
        next = next->nextInFocusChain();
    return next;
}

} // namespace

class TestFrmPractice : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanup();
    void labelsAndStart();
    void countFollowsChoice_data();
    void countFollowsChoice();
    void keepsItsOwnBank();
    void periodsAndThemes();
    void boxesShowTheirWholeText();

private:
    QuestionBank m_bank = fixture::completeBank();
    StudyLayer m_layer = fixture::completeLayer();
};

void TestFrmPractice::initTestCase()
{
    uitest::setUpApplication();
}

void TestFrmPractice::cleanup()
{
    QVERIFY(uitest::noWindowLeft());
}

void TestFrmPractice::labelsAndStart()
{
    PracticeChoice initial;
    initial.parts[1] = true;
    initial.papers[2] = true;
    initial.periods[7] = true;
    initial.themes[4] = true;
    FrmPractice dialog(m_bank, m_layer, initial, nullptr);
    QCOMPARE(dialog.objectName(), QStringLiteral("frmPractice"));
    QCOMPARE(dialog.minimumSize(), dialog.maximumSize());
    QCOMPARE(child<QCheckBox>(&dialog, QStringLiteral("chkPart0"))->text(),
        QStringLiteral("第1問 テーマ史"));
    QCOMPARE(child<QCheckBox>(&dialog, QStringLiteral("chkPart5"))->text(),
        QStringLiteral("第6問 近現代"));
    QCOMPARE(child<QCheckBox>(&dialog, QStringLiteral("chkPaper0"))->text(),
        QStringLiteral("2003年度本試験"));
    QCOMPARE(child<QCheckBox>(&dialog, QStringLiteral("chkPaper5"))->text(),
        QStringLiteral("2001年度追試験"));
    QCOMPARE(dialog.choice(), initial);
    QVERIFY(child<QCheckBox>(&dialog, QStringLiteral("chkPart1"))->isChecked());
    QVERIFY(!child<QCheckBox>(&dialog, QStringLiteral("chkPart0"))->isChecked());

    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    QTest::keyClick(&dialog, Qt::Key_Escape);
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
}

void TestFrmPractice::countFollowsChoice_data()
{
    QTest::addColumn<QStringList>("toggled");
    QTest::addColumn<int>("count");

    // Every fixture statement belongs to 2002年度本試験 (chkPaper2); parts and themes follow
    // id % 6, periods id % 12.
    QTest::newRow("everything") << QStringList() << 565;
    QTest::newRow("one part fewer") << QStringList {u"chkPart0"_s} << 471;
    QTest::newRow("one period fewer") << QStringList {u"chkPeriod0"_s} << 518;
    QTest::newRow("one theme fewer") << QStringList {u"chkTheme3"_s} << 471;
    QTest::newRow("one part and its theme fewer")
        << QStringList {u"chkPart0"_s, u"chkTheme0"_s} << 471;
    QTest::newRow("no theme") << QStringList {u"chkTheme0"_s, u"chkTheme1"_s, u"chkTheme2"_s,
        u"chkTheme3"_s, u"chkTheme4"_s, u"chkTheme5"_s}
                              << 0;
    QTest::newRow("without the fixture paper") << QStringList {u"chkPaper2"_s} << 0;
    QTest::newRow("no part") << QStringList {u"chkPart0"_s, u"chkPart1"_s, u"chkPart2"_s,
        u"chkPart3"_s, u"chkPart4"_s, u"chkPart5"_s}
                             << 0;
}

void TestFrmPractice::countFollowsChoice()
{
    QFETCH(QStringList, toggled);
    QFETCH(int, count);
    FrmPractice dialog(m_bank, m_layer, PracticeChoice::everything(), nullptr);
    for (const QString &name : toggled)
        child<QCheckBox>(&dialog, name)->toggle();
    QCOMPARE(dialog.chosenIds().size(), count);
    QCOMPARE(child<QLabel>(&dialog, QStringLiteral("lblCount"))->text(),
        QStringLiteral("この条件の問題：%1問").arg(count));
    QCOMPARE(child<QPushButton>(&dialog, QStringLiteral("btnOK"))->isEnabled(), count > 0);
}

void TestFrmPractice::keepsItsOwnBank()
{
    // The bank the window was opened with is rebuilt when the practice starts, before the window
    // has gone: the window must not read the caller's.
    auto bank = std::make_unique<QuestionBank>(fixture::completeBank());
    auto layer = std::make_unique<StudyLayer>(fixture::completeLayer());
    FrmPractice dialog(*bank, *layer, PracticeChoice::everything(), nullptr);
    bank.reset();
    layer.reset();
    QCOMPARE(dialog.chosenIds().size(), QuestionBank::QuestionCount);
}

void TestFrmPractice::periodsAndThemes()
{
    PracticeChoice initial = PracticeChoice::everything();
    initial.periods.fill(false);
    initial.periods[7] = true;
    initial.themes[0] = false;
    FrmPractice dialog(m_bank, m_layer, initial, nullptr);
    auto *edo = child<QCheckBox>(&dialog, QStringLiteral("chkPeriod7"));
    QCOMPARE(edo->text(), QStringLiteral("江戸"));
    QVERIFY(edo->isChecked());
    QCOMPARE(edo->accessibleName(), QStringLiteral("時代：江戸"));
    QCOMPARE(child<QCheckBox>(&dialog, QStringLiteral("chkPeriod0"))->text(),
        QStringLiteral("原始・古墳"));
    QCOMPARE(
        child<QCheckBox>(&dialog, QStringLiteral("chkPeriod11"))->text(), QStringLiteral("戦後"));
    auto *politics = child<QCheckBox>(&dialog, QStringLiteral("chkTheme0"));
    QCOMPARE(politics->text(), QStringLiteral("政治"));
    QVERIFY(!politics->isChecked());
    QCOMPARE(child<QCheckBox>(&dialog, QStringLiteral("chkTheme5"))->accessibleName(),
        QStringLiteral("分野：学問・教育"));
    QCOMPARE(dialog.choice(), initial);

    // Tab runs from the papers on through the periods and themes to the buttons.
    QCOMPARE(nextTabStop(child<QCheckBox>(&dialog, QStringLiteral("chkPaper5"))),
        child<QCheckBox>(&dialog, QStringLiteral("chkPeriod0")));
    QCOMPARE(nextTabStop(child<QCheckBox>(&dialog, QStringLiteral("chkPeriod11"))),
        child<QCheckBox>(&dialog, QStringLiteral("chkTheme0")));
    QCOMPARE(nextTabStop(child<QCheckBox>(&dialog, QStringLiteral("chkTheme5"))),
        child<QPushButton>(&dialog, QStringLiteral("btnOK")));
}

void TestFrmPractice::boxesShowTheirWholeText()
{
    FrmPractice dialog(m_bank, m_layer, PracticeChoice::everything(), nullptr);
    for (QCheckBox *box : dialog.findChildren<QCheckBox *>()) {
        QVERIFY2(box->sizeHint().width() <= box->width(), qPrintable(box->objectName()));
        const QRect inWindow(box->mapTo(&dialog, QPoint(0, 0)), box->size());
        QVERIFY2(dialog.rect().contains(inWindow), qPrintable(box->objectName()));
        QVERIFY2(
            box->parentWidget()->rect().contains(box->geometry()), qPrintable(box->objectName()));
    }
}

QTEST_MAIN(TestFrmPractice)
#include "tst_frmpractice.moc"
