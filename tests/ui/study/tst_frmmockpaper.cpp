#include "bank/compiledpapers.h"
#include "session/mockpapersession.h"
#include "study/studyrecord.h"
#include "tests/support/uitest.h"
#include "ui/study/frmmockpaper.h"
#include "ui/study/mockpaperflow.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace kivola;
using uitest::child;
using uitest::textOf;

namespace {

constexpr qint64 MsPerSecond = 1000;

QString labelText(QWidget *window, const char *name)
{
    return child<QLabel>(window, QString::fromLatin1(name))->text();
}

// Where the window's keyboard focus is.
QWidget *focusIn(QWidget *window)
{
    return window->focusWidget() ? window->focusWidget() : window;
}

// The key that chooses the option, typed where the focus is, as the student types it.
void typeOption(QWidget *window, const ExamItem &item, int option)
{
    QWidget *focus = focusIn(window);
    if (item.format == ItemFormat::Single)
        QTest::keyClick(focus, option == 1 ? Qt::Key_O : Qt::Key_X);
    else
        QTest::keyClick(focus, Qt::Key(Qt::Key_0 + option));
}

} // namespace

class TestFrmMockPaper : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void wholePaperByKeys();
    void countdownRunsOut();
    void closedPaperIsOfferedAgain();
    void enterPressesTheFocusedButton_data();
    void enterPressesTheFocusedButton();

private:
    void startFlow();
    // Lets the countdown run for the seconds given, ticking as the window's timer does.
    void letTimePass(QWidget *window, int seconds);

    QuestionBank m_bank;
    StudyLayer m_layer;
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<StudyRecord> m_study;
    qint64 m_nowMs = 0;
};

void TestFrmMockPaper::initTestCase()
{
    uitest::setUpApplication();
    const BankBuild build = BankLoader(compiledPapersDirectory()).build();
    QVERIFY(build.isUsable());
    m_bank = build.bank;
    m_layer = StudyLayerLoader(compiledStudyLayerDirectory(), m_bank).build().layer;
}

void TestFrmMockPaper::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_study = std::make_unique<StudyRecord>(StudyRecord::pathIn(m_dir->path()));
    m_nowMs = 0;
}

void TestFrmMockPaper::cleanup()
{
    QVERIFY(uitest::noWindowLeft());
}

void TestFrmMockPaper::startFlow()
{
    MockPaperFlow::start(m_bank, m_layer, *m_study, nullptr, [this] { return m_nowMs; });
}

void TestFrmMockPaper::letTimePass(QWidget *window, int seconds)
{
    auto *timer = window->findChild<QTimer *>(QStringLiteral("tmrCountdown"));
    QVERIFY(timer);
    QVERIFY(timer->isActive());
    QCOMPARE(timer->interval(), FrmMockPaper::TickMs);
    for (int second = 0; second < seconds; ++second) {
        m_nowMs += MsPerSecond;
        QVERIFY(QMetaObject::invokeMethod(timer, "timeout"));
        if (!window->isVisible())
            return;
    }
}

void TestFrmMockPaper::wholePaperByKeys()
{
    int right = 0;
    uitest::ModalScript script;
    script.expect(QStringLiteral("frmMockStart"), [](QWidget *w) {
        QCOMPARE(child<QRadioButton>(w, QStringLiteral("optPaper0"))->text(),
            QStringLiteral("2003年度本試験　28問・46分40秒"));
        QVERIFY(child<QCheckBox>(w, QStringLiteral("chkTimed"))->isChecked());
        QVERIFY(!child<QWidget>(w, QStringLiteral("frameResume"))->isVisible());
        QTest::keyClick(focusIn(w), Qt::Key_Return);
    });
    script.expect(QStringLiteral("frmMockPaper"), [this, &right](QWidget *w) {
        auto *window = qobject_cast<FrmMockPaper *>(w);
        // The paper's keys are shortcuts of its window, which a window manager activates a
        // moment after showing it.
        QVERIFY(QTest::qWaitForWindowActive(w));
        QCOMPARE(labelText(w, "lblClock"), QStringLiteral("残り 46:40"));
        letTimePass(w, 75);
        QCOMPARE(labelText(w, "lblClock"), QStringLiteral("残り 45:25"));
        const MockPaper &paper = window->paper();
        for (int index = 0; index < paper.itemCount(); ++index) {
            const ExamItem &item = paper.item(index);
            QVERIFY(textOf(w, QStringLiteral("lblHeading"))
                        .startsWith(QStringLiteral("問%1／28").arg(index + 1)));
            // Every third item wrong, first chosen wrong then changed for the others.
            const int wrong = item.rightOption % item.optionCount() + 1;
            typeOption(w, item, wrong);
            if (index % 3 != 0) {
                typeOption(w, item, item.rightOption);
                ++right;
            }
            QCOMPARE(paper.chosen(index), index % 3 != 0 ? item.rightOption : wrong);
            if (index == 4)
                QTest::keyClick(focusIn(w), Qt::Key_F);
            QTest::keyClick(focusIn(w), Qt::Key_Return);
        }
        QCOMPARE(paper.position(), 27);
        QVERIFY(paper.isFlagged(4));
        QCOMPARE(paper.unansweredCount(), 0);
        // Back and forth by arrows and pages.
        QTest::keyClick(focusIn(w), Qt::Key_Left);
        QTest::keyClick(focusIn(w), Qt::Key_PageUp);
        QCOMPARE(paper.position(), 25);
        QTest::keyClick(focusIn(w), Qt::Key_PageDown);
        QCOMPARE(paper.position(), 26);
        // The answer sheet: a row chosen by arrows and Enter leads to its item.
        child<QPushButton>(w, QStringLiteral("btnSheet"))->click();
        auto *sheet = child<QTableWidget>(w, QStringLiteral("tblSheet"));
        QCOMPARE(w->focusWidget(), sheet);
        QCOMPARE(sheet->item(4, 3)->text(), QStringLiteral("あとで見直す"));
        QTest::keyClick(sheet, Qt::Key_Home, Qt::ControlModifier);
        QTest::keyClick(sheet, Qt::Key_Down);
        QTest::keyClick(sheet, Qt::Key_Return);
        QTRY_VERIFY(!sheet->isVisible());
        QCOMPARE(paper.position(), 1);
        // Nothing unanswered: the paper ends without a question.
        QTest::keyClick(child<QPushButton>(w, QStringLiteral("btnFinish")), Qt::Key_Space);
    });
    script.expect(QStringLiteral("frmMockResult"), [&right](QWidget *w) {
        QCOMPARE(labelText(w, "lblRight"), QStringLiteral("28問中%1問正解").arg(right));
        QCOMPARE(labelText(w, "lblScore"),
            QStringLiteral("%1点／100点").arg(MockPaper::scoreOf(right, 28)));
        QCOMPARE(labelText(w, "lblTime"), QStringLiteral("解答時間 1分15秒（制限時間 46分40秒）"));
        auto *items = child<QTableWidget>(w, QStringLiteral("tblItems"));
        QCOMPARE(items->rowCount(), 28);
        // Enter on a row opens that item's review, and nothing else.
        QTest::keyClick(items, Qt::Key_Down);
        QTest::keyClick(items, Qt::Key_Return);
    });
    script.expect(QStringLiteral("frmItemReview"), [](QWidget *w) {
        QVERIFY(textOf(w, QStringLiteral("lblHeading")).startsWith(u"問2"));
        int reviews = 0;
        for (const QWidget *window : QApplication::topLevelWidgets())
            reviews += window->isVisible() && window->objectName() == u"frmItemReview";
        QCOMPARE(reviews, 1);
        QTest::keyClick(w, Qt::Key_Escape);
    });
    script.expect(
        QStringLiteral("frmMockResult"), [](QWidget *w) { QTest::keyClick(w, Qt::Key_Escape); });
    script.start();
    startFlow();
    QVERIFY(script.finished());
    QVERIFY(
        MockPaperSession::resumablePapers(m_study->path(), &QDateTime::currentDateTime)->isEmpty());
}

void TestFrmMockPaper::countdownRunsOut()
{
    uitest::ModalScript script;
    script.expect(QStringLiteral("frmMockStart"), [](QWidget *w) {
        child<QRadioButton>(w, QStringLiteral("optPaper5"))->setChecked(true);
        child<QPushButton>(w, QStringLiteral("btnStart"))->click();
    });
    script.expect(QStringLiteral("frmMockPaper"), [this](QWidget *w) {
        typeOption(w, qobject_cast<FrmMockPaper *>(w)->paper().item(0), 1);
        // Asked to finish, then left with the question open until the time is up.
        child<QPushButton>(w, QStringLiteral("btnFinish"))->click();
    });
    script.expect(QStringLiteral("finishPaperQuestion"), [this](QWidget *w) {
        QCOMPARE(qobject_cast<QMessageBox *>(w)->text(),
            QStringLiteral("未解答が25問あります。解答を終えますか？"));
        letTimePass(qobject_cast<QWidget *>(w->parent()), 2600);
    });
    script.expect(QStringLiteral("frmMockResult"), [](QWidget *w) {
        QCOMPARE(labelText(w, "lblTime"),
            QStringLiteral("解答時間 43分20秒（制限時間 43分20秒）　時間切れで終了しました。"));
        QTest::keyClick(w, Qt::Key_Escape);
    });
    script.start();
    startFlow();
    QVERIFY(script.finished());
}

void TestFrmMockPaper::closedPaperIsOfferedAgain()
{
    uitest::ModalScript first;
    first.expect(QStringLiteral("frmMockStart"),
        [](QWidget *w) { child<QPushButton>(w, QStringLiteral("btnStart"))->click(); });
    first.expect(QStringLiteral("frmMockPaper"), [this](QWidget *w) {
        typeOption(w, qobject_cast<FrmMockPaper *>(w)->paper().item(0), 3);
        letTimePass(w, 150);
        QTest::keyClick(focusIn(w), Qt::Key_Escape);
    });
    first.start();
    startFlow();
    QVERIFY(first.finished());

    uitest::ModalScript second;
    second.expect(QStringLiteral("frmMockStart"), [](QWidget *w) {
        auto *resume = child<QPushButton>(w, QStringLiteral("btnResume"));
        QCOMPARE(resume->text(), QStringLiteral("続ける（残り44分10秒）"));
        QCOMPARE(w->focusWidget(), resume);
        QVERIFY(!child<QPushButton>(w, QStringLiteral("btnStart"))->isEnabled());
        QTest::keyClick(resume, Qt::Key_Return);
    });
    second.expect(QStringLiteral("frmMockPaper"), [](QWidget *w) {
        const MockPaper &paper = qobject_cast<FrmMockPaper *>(w)->paper();
        QCOMPARE(paper.chosen(0), 3);
        QCOMPARE(labelText(w, "lblClock"), QStringLiteral("残り 44:10"));
        QTest::keyClick(w, Qt::Key_Escape);
    });
    second.start();
    startFlow();
    QVERIFY(second.finished());
}

void TestFrmMockPaper::enterPressesTheFocusedButton_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("position");
    QTest::addColumn<bool>("sheetShown");

    // 次へ is the window's default; a button reached by Tab takes Enter from it.
    QTest::newRow("answer sheet") << "btnSheet" << 1 << true;
    QTest::newRow("previous item") << "btnPrevious" << 0 << false;
    QTest::newRow("next item") << "btnNext" << 2 << false;
}

void TestFrmMockPaper::enterPressesTheFocusedButton()
{
    QFETCH(QString, button);
    QFETCH(int, position);
    QFETCH(bool, sheetShown);
    uitest::ModalScript script;
    script.expect(QStringLiteral("frmMockStart"),
        [](QWidget *w) { QTest::keyClick(focusIn(w), Qt::Key_Return); });
    script.expect(QStringLiteral("frmMockPaper"), [&](QWidget *w) {
        auto *window = qobject_cast<FrmMockPaper *>(w);
        QTest::keyClick(focusIn(w), Qt::Key_Return);
        QCOMPARE(window->paper().position(), 1);
        child<QPushButton>(w, button)->setFocus();
        QTest::keyClick(focusIn(w), Qt::Key_Return);
        QCoreApplication::processEvents();
        QCOMPARE(window->paper().position(), position);
        QCOMPARE(child<QTableWidget>(w, QStringLiteral("tblSheet"))->isVisible(), sheetShown);
        w->close();
    });
    script.start();
    startFlow();
    QVERIFY(script.finished());
}

QTEST_MAIN(TestFrmMockPaper)
#include "tst_frmmockpaper.moc"
