#include "tests/support/flowfixture.h"
#include "tests/support/testfiles.h"
#include "tests/support/uitest.h"
#include "ui/frmmain.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

using namespace kivola;
using uitest::child;

namespace {

const QStringList MainControls {u"CBottun"_s, u"btnScore"_s, u"Command1"_s, u"mnuFileExit"_s,
    u"mnuViewStatusBar"_s, u"mnuHelpAbout"_s};
const QStringList ResultControls {u"btnOK"_s, u"Command1"_s, u"btnReview0"_s, u"btnReview4"_s};

// The control as an assistive tool sees it: a button, or a menu item inside its menu.
QAccessibleInterface *accessibleControl(QObject *control)
{
    auto *action = qobject_cast<QAction *>(control);
    if (!action)
        return QAccessible::queryAccessibleInterface(control);
    for (QObject *owner : action->associatedObjects()) {
        QAccessibleInterface *menu = QAccessible::queryAccessibleInterface(owner);
        for (int i = 0; menu && qobject_cast<QMenu *>(owner) && i < menu->childCount(); ++i) {
            if (menu->child(i)->object() == action)
                return menu->child(i);
        }
    }
    return nullptr;
}

QObject *control(const QWidget *window, const QString &name)
{
    auto *widget = window->findChild<QWidget *>(name);
    return widget ? static_cast<QObject *>(widget) : window->findChild<QAction *>(name);
}

// Which of the window's controls an assistive tool finds enabled, and which act when it
// presses them.
QStringList reachable(const QWidget *window, const QStringList &names, bool press)
{
    QStringList reached;
    for (const QString &name : names) {
        QObject *target = control(window, name);
        QAccessibleInterface *accessible = target ? accessibleControl(target) : nullptr;
        if (!accessible) {
            reached << name + QStringLiteral(" missing");
            continue;
        }
        if (!accessible->state().disabled)
            reached << name + QStringLiteral(" enabled");
        if (!press)
            continue;
        auto *action = qobject_cast<QAction *>(target);
        QSignalSpy acted = action
            ? QSignalSpy(action, &QAction::triggered)
            : QSignalSpy(qobject_cast<QAbstractButton *>(target), &QAbstractButton::clicked);
        accessible->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        // A button pressed this way goes down at once and clicks a moment later.
        auto *button = qobject_cast<QAbstractButton *>(target);
        if (!acted.isEmpty() || (button && button->isDown()))
            reached << name + QStringLiteral(" acted");
    }
    return reached;
}

int visibleWindows(const QString &name)
{
    int count = 0;
    for (const QWidget *window : QApplication::topLevelWidgets())
        count += window->isVisible() && window->objectName() == name;
    return count;
}

void answerAll(uitest::ModalScript &script)
{
    for (int question = 0; question < 5; ++question) {
        script.expect(QStringLiteral("frmQuestion"),
            [](QWidget *w) { child<QPushButton>(w, QStringLiteral("btnYesNo1"))->click(); });
    }
}

} // namespace

class TestModalDisabling : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanup();
    void mainWindowUnreachableBelowModal_data();
    void mainWindowUnreachableBelowModal();
    void nestedWindowsComeBackInTurn();
    void secondStartDuringTestIsIgnored();
    void focusWhereTheWindowPutsIt_data();
    void focusWhereTheWindowPutsIt();
};

void TestModalDisabling::initTestCase()
{
    uitest::setUpApplication();
}

void TestModalDisabling::cleanup()
{
    QVERIFY(uitest::noWindowLeft());
}

void TestModalDisabling::mainWindowUnreachableBelowModal_data()
{
    QTest::addColumn<QString>("opener");
    QTest::addColumn<bool>("answerFirst");
    QTest::addColumn<bool>("testTaken");
    QTest::addColumn<QString>("modal");
    QTest::newRow("question") << "CBottun" << false << false << "frmQuestion";
    QTest::newRow("result") << "CBottun" << true << false << "frmResult";
    QTest::newRow("report") << "btnScore" << false << true << "frmScore";
    QTest::newRow("first-run message") << "btnScore" << false << false << "QMessageBox";
    QTest::newRow("version") << "mnuHelpAbout" << false << false << "frmAbout";
    QTest::newRow("daily review") << "mnuStudyReview" << false << false << "frmDailyReview";
}

void TestModalDisabling::mainWindowUnreachableBelowModal()
{
    QFETCH(QString, opener);
    QFETCH(bool, answerFirst);
    QFETCH(bool, testTaken);
    QFETCH(QString, modal);
    FlowFixture f({1, 2, 3, 4, 5});
    if (testTaken)
        writeFile(f.store.path(), "[MAIN]\r\nNO= 1\r\nGETS= 60\r\n");
    FrmMain main(f.session);
    main.show();
    QVERIFY(QTest::qWaitForWindowExposed(&main));
    QWidget *focus = main.focusWidget();

    uitest::ModalScript script;
    if (answerFirst)
        answerAll(script);
    QStringList reachedBelow;
    script.expect(modal, [&](QWidget *w) {
        reachedBelow = reachable(&main, MainControls, true);
        w->close();
    });
    script.start();
    auto *action = qobject_cast<QAction *>(control(&main, opener));
    if (action)
        action->trigger();
    else
        child<QPushButton>(&main, opener)->click();

    QVERIFY(script.finished());
    QCOMPARE(reachedBelow, QStringList());
    QStringList everyControl;
    for (const QString &name : MainControls)
        everyControl << name + QStringLiteral(" enabled");
    QCOMPARE(reachable(&main, MainControls, false), everyControl);
    QCOMPARE(main.focusWidget(), focus);
}

void TestModalDisabling::nestedWindowsComeBackInTurn()
{
    FlowFixture f({1, 2, 3, 4, 5});
    FrmMain main(f.session);
    main.show();
    QVERIFY(QTest::qWaitForWindowExposed(&main));
    uitest::ModalScript script;
    answerAll(script);
    QStringList reachedUnderReview;
    QStringList resultAfterReview;
    QStringList mainAfterReview;
    script.expect(QStringLiteral("frmResult"),
        [](QWidget *w) { child<QPushButton>(w, QStringLiteral("btnReview2"))->click(); });
    script.expect(QStringLiteral("frmReview"), [&](QWidget *w) {
        QWidget *result = w->parentWidget();
        reachedUnderReview
            = reachable(result, ResultControls, false) + reachable(&main, MainControls, false);
        w->close();
        resultAfterReview = reachable(result, ResultControls, false);
        mainAfterReview = reachable(&main, MainControls, false);
        result->close();
    });
    script.start();
    child<QPushButton>(&main, QStringLiteral("CBottun"))->click();
    QVERIFY(script.finished());
    QCOMPARE(reachedUnderReview, QStringList());
    QCOMPARE(resultAfterReview.size(), ResultControls.size());
    QCOMPARE(mainAfterReview, QStringList());
    QCOMPARE(reachable(&main, MainControls, false).size(), MainControls.size());
}

void TestModalDisabling::secondStartDuringTestIsIgnored()
{
    // Were the main window left enabled under a test, its start button must still not begin a
    // test inside the running one.
    FlowFixture f({1, 2, 3, 4, 5, 6, 7, 8, 9, 10});
    FrmMain main(f.session);
    main.show();
    QVERIFY(QTest::qWaitForWindowExposed(&main));
    uitest::ModalScript script;
    int mostQuestionsOpen = 0;
    int resultsOpen = 0;
    for (int question = 0; question < 5; ++question) {
        script.expect(QStringLiteral("frmQuestion"), [&, question](QWidget *w) {
            if (question == 0) {
                main.setEnabled(true);
                auto *start = child<QPushButton>(&main, QStringLiteral("CBottun"));
                QSignalSpy clicked(start, &QAbstractButton::clicked);
                accessibleControl(start)->actionInterface()->doAction(
                    QAccessibleActionInterface::pressAction());
                QVERIFY(clicked.wait());
            }
            mostQuestionsOpen
                = std::max(mostQuestionsOpen, visibleWindows(QStringLiteral("frmQuestion")));
            child<QPushButton>(w, QStringLiteral("btnYesNo1"))->click();
        });
    }
    script.expect(QStringLiteral("frmResult"), [&](QWidget *w) {
        resultsOpen = visibleWindows(QStringLiteral("frmResult"));
        w->close();
    });
    script.start();
    child<QPushButton>(&main, QStringLiteral("CBottun"))->click();
    QVERIFY(script.finished());
    QCOMPARE(mostQuestionsOpen, 1);
    QCOMPARE(resultsOpen, 1);
    QCOMPARE(f.store.testsTaken(), 1);
}

void TestModalDisabling::focusWhereTheWindowPutsIt_data()
{
    QTest::addColumn<QString>("opener");
    QTest::addColumn<bool>("answerFirst");
    QTest::addColumn<bool>("settingsUnwritable");
    // Windows passed on the way, each with the button that leads on (none: it is closed), and
    // ":closes" where that button closes it.
    QTest::addColumn<QStringList>("through");
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("focus");

    QTest::newRow("question") << "CBottun" << false << false << QStringList() << "frmQuestion"
                              << "btnYesNo1";
    QTest::newRow("result") << "CBottun" << true << false << QStringList() << "frmResult"
                            << "btnOK";
    QTest::newRow("review") << "CBottun" << true << false << QStringList {u"frmResult:btnReview2"_s}
                            << "frmReview"
                            << "btnOK";
    QTest::newRow("report from the result")
        << "CBottun" << true << false << QStringList {u"frmResult:Command1"_s} << "frmScore"
        << "btnOK";
    QTest::newRow("result after its message")
        << "CBottun" << true << true << QStringList {u"unsavedScoreMessage:"_s} << "frmResult"
        << "btnOK";
    QTest::newRow("version") << "mnuHelpAbout" << false << false << QStringList() << "frmAbout"
                             << "cmdOK";
    QTest::newRow("practice choice")
        << "mnuStudyChoose" << false << false << QStringList() << "frmPractice"
        << "chkPart0";
    QTest::newRow("study record") << "mnuStudyRecord" << false << false << QStringList()
                                  << "frmRecord"
                                  << "btnOK";
    QTest::newRow("daily review") << "mnuStudyReview" << false << false << QStringList()
                                  << "frmDailyReview"
                                  << "btnTrue";
    QTest::newRow("review settings")
        << "mnuStudyReviewSettings" << false << false << QStringList() << "frmReviewSettings"
        << "spnRetention";
    QTest::newRow("question browser")
        << "mnuStudyBrowse" << false << false << QStringList() << "frmBrowser"
        << "txtSearch";
    QTest::newRow("item drill") << "mnuStudyDrill" << false << false
                                << QStringList {u"frmPractice:btnOK:closes"_s} << "frmItemDrill"
                                << "btnOption1";
    // Every fixture statement belongs to 2002年度本試験.
    QTest::newRow("mock paper start")
        << "mnuStudyMock" << false << false << QStringList() << "frmMockStart"
        << "optPaper2";
}

void TestModalDisabling::focusWhereTheWindowPutsIt()
{
    QFETCH(QString, opener);
    QFETCH(bool, answerFirst);
    QFETCH(bool, settingsUnwritable);
    QFETCH(QStringList, through);
    QFETCH(QString, window);
    QFETCH(QString, focus);
    FlowFixture f({1, 2, 3, 4, 5});
    if (settingsUnwritable)
        QVERIFY(QDir().mkpath(f.store.path()));
    FrmMain main(f.session);
    main.show();
    QVERIFY(QTest::qWaitForWindowExposed(&main));

    uitest::ModalScript script;
    if (answerFirst)
        answerAll(script);
    QStringList left;
    for (const QString &step : std::as_const(through)) {
        const QString button = step.section(u':', 1, 1);
        script.expect(step.section(u':', 0, 0), [button](QWidget *w) {
            if (button.isEmpty())
                w->close();
            else
                child<QPushButton>(w, button)->click();
        });
        if (!button.isEmpty() && step.section(u':', 2) != u"closes")
            left.prepend(step.section(u':', 0, 0));
    }
    QString focused;
    script.expect(window, [&focused](QWidget *w) {
        focused = w->focusWidget() ? w->focusWidget()->objectName() : QString();
        w->close();
    });
    for (const QString &name : std::as_const(left))
        script.expect(name, [](QWidget *w) { w->close(); });
    script.start();
    if (auto *action = qobject_cast<QAction *>(control(&main, opener)))
        action->trigger();
    else
        child<QPushButton>(&main, opener)->click();
    QVERIFY(script.finished());
    QCOMPARE(focused, focus);
}

QTEST_MAIN(TestModalDisabling)
#include "tst_modaldisabling.moc"
