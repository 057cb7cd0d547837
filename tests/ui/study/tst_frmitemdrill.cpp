#include "bank/compiledpapers.h"
#include "quiz/itemtext.h"
#include "session/drillsession.h"
#include "tests/support/fixedrandomsource.h"
#include "tests/support/sqlitefile.h"
#include "tests/support/uitest.h"
#include "ui/kit/controls.h"
#include "ui/study/frmitemdrill.h"
#include "ui/study/itempanel.h"

#include <QAbstractButton>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace kivola;
using uitest::child;
using uitest::textOf;

namespace {

// Keys go where the student's would: to the control with the focus.
void press(QWidget *window, Qt::Key key, char text = 0)
{
    QWidget *target = window->focusWidget() ? window->focusWidget() : window;
    if (text)
        QTest::keyClick(target, text);
    else
        QTest::keyClick(target, key);
}

int wrongOption(const ExamItem &item)
{
    return item.rightOption % item.optionCount() + 1;
}

} // namespace

class TestFrmItemDrill : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void fiveItemsByKeysToTheSummary();
    void enterBeforeChoosingDoesNothing();
    void moreDrawsItemsNotYetDrawn_data();
    void moreDrawsItemsNotYetDrawn();
    void closedHalfwayKeepsWhatWasAnswered();

private:
    std::unique_ptr<FrmItemDrill> open(const QList<ExamItem> &candidates);
    // Answers the round shown by digit keys and Enter, right where `right` says so, and goes on
    // to the summary.
    void answerRound(FrmItemDrill &drill, const QList<bool> &right);
    int recordCount(const QString &statement) const;

    QuestionBank m_bank;
    StudyLayer m_layer;
    QList<ExamItem> m_items;
    std::unique_ptr<QTemporaryDir> m_dir;
    FixedRandomSource m_random {{0.0f}};
};

void TestFrmItemDrill::initTestCase()
{
    uitest::setUpApplication();
    const BankBuild build = BankLoader(compiledPapersDirectory()).build();
    QVERIFY(build.isUsable());
    m_bank = build.bank;
    m_layer = StudyLayerLoader(compiledStudyLayerDirectory(), m_bank).build().layer;
    m_items = buildExamItems(m_bank);
}

void TestFrmItemDrill::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
}

void TestFrmItemDrill::cleanup()
{
    QVERIFY(uitest::noWindowLeft());
}

std::unique_ptr<FrmItemDrill> TestFrmItemDrill::open(const QList<ExamItem> &candidates)
{
    auto drill = std::make_unique<FrmItemDrill>(m_bank, m_layer, candidates, m_random,
        std::make_unique<DrillSession>(m_dir->filePath(QStringLiteral("kivola.sqlite")), m_bank),
        nullptr);
    drill->show();
    if (!QTest::qWaitForWindowActive(drill.get()))
        return nullptr;
    return drill;
}

void TestFrmItemDrill::answerRound(FrmItemDrill &drill, const QList<bool> &right)
{
    for (qsizetype i = 0; i < right.size(); ++i) {
        const ExamItem item = drill.roundItems().at(i);
        QCOMPARE(textOf(&drill, QStringLiteral("lblHeading")),
            QStringLiteral("第%1問／%2").arg(i + 1).arg(right.size()));
        const int option = right.at(i) ? item.rightOption : wrongOption(item);
        press(&drill, Qt::Key_unknown, char('0' + option));
        QVERIFY(child<QPushButton>(&drill, QStringLiteral("btnAnswer"))->isEnabled());
        press(&drill, Qt::Key_Return);
        // Graded at once, the right option named and marked.
        const QString verdict = textOf(&drill, QStringLiteral("lblVerdict"));
        QVERIFY2(
            verdict.startsWith(right.at(i) ? QStringLiteral("○ 正解") : QStringLiteral("× 不正解")),
            qPrintable(verdict));
        QVERIFY(verdict.endsWith(optionLabel(item, item.rightOption)));
        QVERIFY(child<QAbstractButton>(&drill, kit::indexedName("btnOption", item.rightOption))
                    ->text()
                    .endsWith(QStringLiteral("正解")));
        QTRY_VERIFY(child<QLabel>(&drill, QStringLiteral("lblExplanation0"))->isVisible());
        QCOMPARE(drill.focusWidget(), child<QPushButton>(&drill, QStringLiteral("btnNext")));
        press(&drill, Qt::Key_Return);
    }
}

int TestFrmItemDrill::recordCount(const QString &statement) const
{
    return sqliteValue(m_dir->filePath(QStringLiteral("kivola.sqlite")), statement).toInt();
}

void TestFrmItemDrill::fiveItemsByKeysToTheSummary()
{
    const std::unique_ptr<FrmItemDrill> drill = open(m_items);
    QVERIFY(drill);
    QCOMPARE(drill->objectName(), QStringLiteral("frmItemDrill"));
    QCOMPARE(drill->roundItems().size(), 5);
    answerRound(*drill, {true, false, true, false, true});
    if (QTest::currentTestFailed())
        return;

    QCOMPARE(textOf(drill.get(), QStringLiteral("lblSummary")), QStringLiteral("5問中3問正解"));
    auto *list = child<QListWidget>(drill.get(), QStringLiteral("lstSummary"));
    QVERIFY(list->isVisible());
    QCOMPARE(list->count(), 5);
    QVERIFY(list->item(0)->text().startsWith(QStringLiteral("第1問　○")));
    QVERIFY(list->item(1)->text().startsWith(QStringLiteral("第2問　×")));
    QCOMPARE(drill->focusWidget(), child<QPushButton>(drill.get(), QStringLiteral("btnMore")));
    QCOMPARE(recordCount(QStringLiteral("SELECT count(*) FROM item_attempts WHERE state = 1 "
                                        "AND right_count = 3 AND item_count = 5")),
        1);
    QCOMPARE(recordCount(QStringLiteral("SELECT count(*) FROM item_answers WHERE chosen > 0")), 5);
    press(drill.get(), Qt::Key_Escape);
    QVERIFY(!drill->isVisible());
}

void TestFrmItemDrill::enterBeforeChoosingDoesNothing()
{
    const std::unique_ptr<FrmItemDrill> drill = open(m_items);
    QVERIFY(drill);
    auto *answer = child<QPushButton>(drill.get(), QStringLiteral("btnAnswer"));
    QVERIFY(answer->isVisible());
    QVERIFY(!answer->isEnabled());
    press(drill.get(), Qt::Key_Return);
    press(drill.get(), Qt::Key_Enter);
    QVERIFY(drill->isVisible());
    QVERIFY(textOf(drill.get(), QStringLiteral("lblVerdict")).isEmpty());
    QVERIFY(child<QAbstractButton>(drill.get(), QStringLiteral("btnOption1"))->isEnabled());
    QVERIFY(!child<QPushButton>(drill.get(), QStringLiteral("btnNext"))->isVisible());
    QCOMPARE(recordCount(QStringLiteral("SELECT count(*) FROM item_answers")), 0);
    // A digit past the item's options chooses nothing either.
    press(drill.get(), Qt::Key_9, '9');
    QVERIFY(!answer->isEnabled());
    drill->close();
}

void TestFrmItemDrill::moreDrawsItemsNotYetDrawn_data()
{
    QTest::addColumn<int>("candidates");
    QTest::addColumn<int>("newInSecond");
    QTest::newRow("plenty left") << 174 << 5;
    QTest::newRow("two left") << 7 << 2;
}

void TestFrmItemDrill::moreDrawsItemsNotYetDrawn()
{
    QFETCH(int, candidates);
    QFETCH(int, newInSecond);
    const std::unique_ptr<FrmItemDrill> drill = open(m_items.mid(0, candidates));
    QVERIFY(drill);
    const QList<ExamItem> first = drill->roundItems();
    answerRound(*drill, QList<bool>(5, true));
    if (QTest::currentTestFailed())
        return;
    child<QPushButton>(drill.get(), QStringLiteral("btnMore"))->click();
    const QList<ExamItem> second = drill->roundItems();
    QCOMPARE(second.size(), 5);
    int fresh = 0;
    for (const ExamItem &item : second) {
        fresh += !first.contains(item);
        QCOMPARE(second.count(item), 1);
    }
    QCOMPARE(fresh, newInSecond);
    QCOMPARE(textOf(drill.get(), QStringLiteral("lblHeading")), QStringLiteral("第1問／5"));
    QVERIFY(child<QPushButton>(drill.get(), QStringLiteral("btnAnswer"))->isVisible());
    drill->close();
}

void TestFrmItemDrill::closedHalfwayKeepsWhatWasAnswered()
{
    {
        const std::unique_ptr<FrmItemDrill> drill = open(m_items);
        QVERIFY(drill);
        for (int i = 0; i < 2; ++i) {
            child<QAbstractButton>(drill.get(), QStringLiteral("btnOption1"))->click();
            child<QPushButton>(drill.get(), QStringLiteral("btnAnswer"))->click();
            child<QPushButton>(drill.get(), QStringLiteral("btnNext"))->click();
        }
        press(drill.get(), Qt::Key_Escape);
        QVERIFY(!drill->isVisible());
    }
    QCOMPARE(recordCount(QStringLiteral("SELECT count(*) FROM item_attempts WHERE state = 2")), 1);
    QCOMPARE(recordCount(QStringLiteral("SELECT count(*) FROM item_answers WHERE chosen > 0")), 2);
}

QTEST_MAIN(TestFrmItemDrill)
#include "tst_frmitemdrill.moc"
