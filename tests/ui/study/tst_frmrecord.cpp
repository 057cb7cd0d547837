#include "session/dailyreview.h"
#include "study/itemrecord.h"
#include "tests/support/flowfixture.h"
#include "tests/support/recordhistory.h"
#include "tests/support/uitest.h"
#include "ui/frmmain.h"
#include "ui/kit/barchart.h"
#include "ui/kit/columnchart.h"
#include "ui/study/frmrecord.h"
#include "ui/study/reviewtext.h"

#include <QAccessible>
#include <QAction>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

using namespace kivola;
using uitest::child;
using uitest::textOf;

namespace {

// The record of the fixture filled with `count` made-up tests, in one transaction.
void fillRecord(FlowFixture &f, int count)
{
    const QList<CompletedTest> tests = history::randomTests(
        count, quint32(count), QDateTime(QDate(2026, 4, 1), QTime(9, 0), Qt::UTC));
    QVERIFY(f.study.record(std::span<const CompletedTest>(tests)));
}

// The window as the menu opens it, on what the record holds.
std::unique_ptr<FrmRecord> recordWindow(FlowFixture &f, QWidget *owner = nullptr)
{
    return std::make_unique<FrmRecord>(fixture::completeBank(), *f.study.statementFigures(),
        *f.study.testPoints(FrmRecord::ShownTests), *ItemRecord(f.study.path()).papersTaken(),
        ReviewFigures(), owner);
}

QList<kit::BarChart::Bar> barsOf(const QWidget *window, const QString &name)
{
    return child<kit::BarChart>(window, name)->bars();
}

QString descriptionOf(QWidget *widget)
{
    return QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Description);
}

} // namespace

class TestFrmRecord : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanup();
    void emptyRecord();
    void figures_data();
    void figures();
    void review_data();
    void review();
    void openedFromMenu();
    void mockPapersTaken();
    void memoryFigures_data();
    void memoryFigures();
};

void TestFrmRecord::initTestCase()
{
    uitest::setUpApplication();
}

void TestFrmRecord::cleanup()
{
    QVERIFY(uitest::noWindowLeft());
}

void TestFrmRecord::emptyRecord()
{
    FlowFixture f({1});
    const auto window = recordWindow(f);
    window->show();
    QVERIFY(child<QWidget>(window.get(), QStringLiteral("lblEmpty"))->isVisible());
    for (const char *frame : {"frameProgress", "frameParts", "framePapers", "framePoints",
             "frameMistakes", "frameReview", "frameExam"}) {
        QVERIFY2(!child<QWidget>(window.get(), QString::fromLatin1(frame))->isVisible(), frame);
    }
}

void TestFrmRecord::figures_data()
{
    QTest::addColumn<int>("tests");
    QTest::newRow("one test") << 1;
    QTest::newRow("a few tests") << 7;
    QTest::newRow("10,000 tests") << 10000;
}

void TestFrmRecord::figures()
{
    QFETCH(int, tests);
    FlowFixture f({1});
    fillRecord(f, tests);
    const auto window = recordWindow(f);
    window->show();
    QVERIFY(!child<QWidget>(window.get(), QStringLiteral("lblEmpty"))->isVisible());
    // No figures of the memory model were given: their frames stay out of sight.
    QVERIFY(!child<QWidget>(window.get(), QStringLiteral("frameExam"))->isVisible());

    const StatementTable table = *f.study.statementFigures();
    const QuestionBank bank = fixture::completeBank();
    const auto progress = barsOf(window.get(), QStringLiteral("chartProgress"));
    QCOMPARE(progress.at(0).part, seenCount(table));
    QCOMPARE(progress.at(1).part, masteredCount(table));
    QCOMPARE(progress.at(1).whole, QuestionBank::QuestionCount);

    const PartAccuracy parts = accuracyByPart(table, bank);
    const auto partBars = barsOf(window.get(), QStringLiteral("chartParts"));
    QCOMPARE(partBars.size(), PartCount);
    const PaperAccuracy papers = accuracyByPaper(table, bank);
    const auto paperBars = barsOf(window.get(), QStringLiteral("chartPapers"));
    QCOMPARE(paperBars.size(), qsizetype(papers.size()));
    for (int i = 0; i < PartCount; ++i) {
        QCOMPARE(partBars.at(i).label, PartLabel(i + 1));
        QCOMPARE(partBars.at(i).part, parts[i].right);
        QCOMPARE(partBars.at(i).whole, parts[i].answered);
        QCOMPARE(paperBars.at(i).part, papers[i].right);
        QCOMPARE(paperBars.at(i).whole, papers[i].answered);
    }
    QVERIFY(
        textOf(window.get(), QStringLiteral("lblWeakest")).contains(PartLabel(weakestPart(parts))));

    const QList<int> ids = mostWrong(table, FrmRecord::ShownMistakes);
    auto *list = child<QListWidget>(window.get(), QStringLiteral("lstMostWrong"));
    QCOMPARE(list->count(), ids.size());
    for (int i = 0; i < ids.size(); ++i)
        QVERIFY(list->item(i)->text().endsWith(bank.record(ids.at(i)).questionText));

    // A screen reader hears every figure the bars show, and the points of each test.
    for (const char *name : {"chartProgress", "chartParts", "chartPapers"}) {
        auto *chart = child<kit::BarChart>(window.get(), QString::fromLatin1(name));
        for (const kit::BarChart::Bar &bar : chart->bars())
            QVERIFY(descriptionOf(chart).contains(bar.label + QStringLiteral("：") + bar.figure));
    }
    const QList<TestPoints> latest = *f.study.testPoints(FrmRecord::ShownTests);
    const QString points
        = descriptionOf(child<QWidget>(window.get(), QStringLiteral("chartPoints")));
    QVERIFY(points.contains(
        QStringLiteral("%1回目 %2点").arg(latest.size()).arg(latest.last().points)));
}

void TestFrmRecord::review_data()
{
    QTest::addColumn<bool>("byKey");
    QTest::newRow("double-click") << false;
    QTest::newRow("Enter") << true;
}

void TestFrmRecord::review()
{
    QFETCH(bool, byKey);
    FlowFixture f({1});
    fillRecord(f, 40);
    const auto window = recordWindow(f);
    window->show();
    auto *list = child<QListWidget>(window.get(), QStringLiteral("lstMostWrong"));
    const int second = mostWrong(*f.study.statementFigures(), 2).at(1);

    QString title;
    QString question;
    QString back;
    uitest::ModalScript script;
    script.expect(QStringLiteral("frmReview"), [&](QWidget *w) {
        title = textOf(w, QStringLiteral("Title2a"));
        question = textOf(w, QStringLiteral("lblQuestion"));
        auto *ok = child<QPushButton>(w, QStringLiteral("btnOK"));
        back = ok->text();
        ok->click();
    });
    script.start();
    list->setCurrentRow(1);
    if (byKey) {
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Return);
    } else {
        const QRect item = list->visualItemRect(list->item(1));
        // A real double-click: the first click, then the second press arriving as a double-click.
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, item.center());
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, item.center());
    }
    QVERIFY(script.finished());
    QCOMPARE(title, QStringLiteral("見直し"));
    QCOMPARE(question, fixture::question(second).questionText);
    QCOMPARE(back, QStringLiteral("学習記録に戻る"));
    // Enter opened the review and did not close the record window as well.
    QVERIFY(window->isVisible());
}

void TestFrmRecord::openedFromMenu()
{
    FlowFixture f({1});
    fillRecord(f, 3);
    FrmMain main(f.session);
    QString opened;
    uitest::ModalScript script;
    script.expect(QStringLiteral("frmRecord"), [&opened](QWidget *w) {
        opened = descriptionOf(child<QWidget>(w, QStringLiteral("chartPoints")));
        child<QPushButton>(w, QStringLiteral("btnOK"))->click();
    });
    script.start();
    main.findChild<QAction *>(QStringLiteral("mnuStudyRecord"))->trigger();
    QVERIFY(script.finished());
    QVERIFY(opened.startsWith(QStringLiteral("3回の平均")));
}

void TestFrmRecord::mockPapersTaken()
{
    FlowFixture f({1});
    fillRecord(f, 3);
    ItemRecord items(f.study.path());
    // Two papers of 2002年度本試験 and one of 2001年度追試験, each of two items.
    const QList<AttemptItem> set {{1, 1, 3, 2}, {2, 3, 3, 4}};
    for (const auto &[paper, right] : QList<std::pair<int, int>> {{2, 1}, {5, 2}, {2, 2}}) {
        const std::optional<qint64> id = items.start(AttemptKind::MockPaper, paper, 0, set);
        QVERIFY(id);
        QVERIFY(items.end(*id, AttemptState::Finished, 600, right, {}));
    }
    const auto window = recordWindow(f);
    auto *table = child<QTableWidget>(window.get(), QStringLiteral("tblPapers"));
    QCOMPARE(table->rowCount(), 3);
    // Newest first.
    QCOMPARE(table->item(0, 0)->text(), QStringLiteral("2002年度本試験"));
    QCOMPARE(table->item(0, 2)->text(), QStringLiteral("100点"));
    QCOMPARE(table->item(1, 0)->text(), QStringLiteral("2001年度追試験"));
    QCOMPARE(table->item(2, 3)->text(), QStringLiteral("1／2"));
    QCOMPARE(table->item(2, 4)->text(), QStringLiteral("10分"));
    const QList<kit::BarChart::Bar> best = barsOf(window.get(), QStringLiteral("chartBest"));
    QCOMPARE(best.size(), 6);
    QCOMPARE(best.at(2).figure, QStringLiteral("100点"));
    QCOMPARE(best.at(5).figure, QStringLiteral("100点"));
    QCOMPARE(best.at(0).figure, QStringLiteral("—"));
}

void TestFrmRecord::memoryFigures_data()
{
    QTest::addColumn<int>("tests");
    QTest::addColumn<int>("daysLater");
    QTest::newRow("the day after") << 40 << 1;
    QTest::newRow("a month later") << 40 << 30;
}

void TestFrmRecord::memoryFigures()
{
    QFETCH(int, tests);
    QFETCH(int, daysLater);
    FlowFixture f({1});
    fillRecord(f, tests);
    const QDateTime now = QDateTime(QDate(2026, 4, 1), QTime(20, 0), Qt::UTC).addDays(daysLater);
    DailyReview review(
        f.study.path(), fixture::completeBank(), QTimeZone::utc(), [now] { return now; });
    QVERIFY(review.reload());
    const ReviewFigures figures = reviewFiguresOf(review);
    const auto window
        = std::make_unique<FrmRecord>(fixture::completeBank(), *f.study.statementFigures(),
            *f.study.testPoints(FrmRecord::ShownTests), QList<PaperResult>(), figures, nullptr);
    window->show();
    QVERIFY(child<QWidget>(window.get(), QStringLiteral("frameReview"))->isVisible());

    QCOMPARE(textOf(window.get(), QStringLiteral("lblDueToday")),
        QStringLiteral("今日：復習 %1問・新しい問題 %2問")
            .arg(review.dueLeft())
            .arg(review.newLeft()));
    const QList<kit::ColumnChart::Column> days
        = child<kit::ColumnChart>(window.get(), QStringLiteral("chartForecast"))->columns();
    QCOMPARE(days.size(), ReviewPlan::ForecastDays);
    QCOMPARE(days.at(0).value, review.dueLeft());
    QCOMPARE(days.at(0).label, QStringLiteral("今日"));
    for (int day = 0; day < days.size(); ++day)
        QCOMPARE(days.at(day).value, review.plan().dueForecast().at(day));

    const ReviewPlan &plan = review.plan();
    const QList<kit::BarChart::Bar> exam = barsOf(window.get(), QStringLiteral("chartExam"));
    QCOMPARE(exam.size(), 4);
    const QList<double> shares {plan.meanRetrievabilityNow(), plan.meanRetrievabilityOnExam(),
        plan.expectedJudgmentShareOnExam()};
    for (int i = 0; i < shares.size(); ++i)
        QCOMPARE(exam.at(i).figure, QStringLiteral("%1％").arg(qRound(shares.at(i) * 100)));
    QCOMPARE(
        exam.at(3).figure, QStringLiteral("%1点").arg(qRound(review.expectedMockScoreOnExam())));
    // Nothing answered before the exam lets memory fade; guessing keeps ○× at 50 % or more.
    QVERIFY(shares.at(1) <= shares.at(0));
    QVERIFY(shares.at(2) >= 0.5);
    QVERIFY(textOf(window.get(), QStringLiteral("lblExamNote"))
                .contains(reviewDateText(review.settings().examDate, now.date())));
}

QTEST_MAIN(TestFrmRecord)
#include "tst_frmrecord.moc"
