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

private:
    QuestionBank m_bank = fixture::completeBank();
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
    FrmPractice dialog(m_bank, initial, nullptr);
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

    // Every fixture statement belongs to 2002年度本試験 (chkPaper2); parts follow id % 6.
    QTest::newRow("everything") << QStringList() << 565;
    QTest::newRow("one part fewer") << QStringList {u"chkPart0"_s} << 471;
    QTest::newRow("without the fixture paper") << QStringList {u"chkPaper2"_s} << 0;
    QTest::newRow("no part") << QStringList {u"chkPart0"_s, u"chkPart1"_s, u"chkPart2"_s,
        u"chkPart3"_s, u"chkPart4"_s, u"chkPart5"_s}
                             << 0;
}

void TestFrmPractice::countFollowsChoice()
{
    QFETCH(QStringList, toggled);
    QFETCH(int, count);
    FrmPractice dialog(m_bank, PracticeChoice::everything(), nullptr);
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
    FrmPractice dialog(*bank, PracticeChoice::everything(), nullptr);
    bank.reset();
    QCOMPARE(dialog.chosenIds().size(), QuestionBank::QuestionCount);
}

QTEST_MAIN(TestFrmPractice)
#include "tst_frmpractice.moc"
