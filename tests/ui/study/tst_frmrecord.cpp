#include "bank/banktext.h"
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
#include <QApplication>
#include <QListWidget>
#include <QPushButton>
#include <QTabBar>
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
    return std::make_unique<FrmRecord>(fixture::completeBank(), fixture::completeLayer(),
        *f.study.statementFigures(), *f.study.testPoints(FrmRecord::ShownTests),
        *ItemRecord(f.study.path()).papersTaken(), ReviewFigures(), owner);
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
    void layerFigures_data();
    void layerFigures();
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
             "frameMistakes", "frameReview", "frameExam", "tabPages", "pageLayer"}) {
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
    const int weakest = weakestPart(parts);
    QVERIFY(textOf(window.get(), QStringLiteral("lblWeakest"))
                .contains(weakest == 0 ? QStringLiteral("10問以上答えた大問がまだありません")
                                       : PartLabel(weakest)));

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

void TestFrmRecord::layerFigures_data()
{
    QTest::addColumn<int>("tests");
    // Five answers in all: no period or theme has ten yet.
    QTest::newRow("one test") << 1;
    QTest::newRow("10,000 tests") << 10000;
}

void TestFrmRecord::layerFigures()
{
    QFETCH(int, tests);
    FlowFixture f({1});
    fillRecord(f, tests);
    const auto window = recordWindow(f);
    window->show();
    QVERIFY(!child<QWidget>(window.get(), QStringLiteral("pageLayer"))->isVisible());
    child<QTabBar>(window.get(), QStringLiteral("tabPages"))->setCurrentIndex(1);
    QVERIFY(child<QWidget>(window.get(), QStringLiteral("pageLayer"))->isVisible());
    QVERIFY(!child<QWidget>(window.get(), QStringLiteral("frameParts"))->isVisible());
    // No figures of the memory model were given.
    QVERIFY(!child<QWidget>(window.get(), QStringLiteral("framePeriodsNow"))->isVisible());

    const StatementTable table = *f.study.statementFigures();
    const StudyLayer layer = fixture::completeLayer();
    const PeriodAccuracy periods = accuracyByPeriod(table, layer);
    const auto periodBars = barsOf(window.get(), QStringLiteral("chartPeriods"));
    QCOMPARE(periodBars.size(), PeriodCount);
    for (int i = 0; i < PeriodCount; ++i) {
        QCOMPARE(periodBars.at(i).label, periodLabel(Period(i)));
        QCOMPARE(periodBars.at(i).part, periods[i].right);
        QCOMPARE(periodBars.at(i).whole, periods[i].answered);
    }
    const ThemeAccuracy themes = accuracyByTheme(table, layer);
    const auto themeBars = barsOf(window.get(), QStringLiteral("chartThemes"));
    QCOMPARE(themeBars.size(), ThemeCount);
    for (int i = 0; i < ThemeCount; ++i) {
        QCOMPARE(themeBars.at(i).label, themeLabel(AllThemes[i]));
        QCOMPARE(themeBars.at(i).part, themes[i].right);
        QCOMPARE(themeBars.at(i).whole, themes[i].answered);
    }

    const std::optional<Period> period = weakestPeriod(periods);
    const std::optional<Theme> theme = weakestTheme(themes);
    QCOMPARE(period.has_value(), tests > 1);
    QCOMPARE(textOf(window.get(), QStringLiteral("lblWeakestPeriod")),
        period ? QStringLiteral("いちばん苦手な時代は %1（正答率 %2）")
                     .arg(periodLabel(*period),
                         kit::BarChart::percentText(
                             periods[int(*period)].right, periods[int(*period)].answered))
               : QStringLiteral("10問以上答えた時代がまだありません"));
    QVERIFY(textOf(window.get(), QStringLiteral("lblWeakestTheme"))
                .contains(theme ? themeLabel(*theme)
                                : QStringLiteral("10問以上答えた分野がまだありません")));
}

void TestFrmRecord::review_data()
{
    QTest::addColumn<bool>("openByKey");
    QTest::addColumn<QString>("closeBy");
    QTest::newRow("double-click, Enter closes") << false << QStringLiteral("Enter");
    QTest::newRow("Enter, Escape closes") << true << QStringLiteral("Escape");
    QTest::newRow("Enter, the button closes") << true << QStringLiteral("button");
}

void TestFrmRecord::review()
{
    QFETCH(bool, openByKey);
    QFETCH(QString, closeBy);
    FlowFixture f({1});
    fillRecord(f, 40);
    const auto window = recordWindow(f);
    window->show();
    auto *list = child<QListWidget>(window.get(), QStringLiteral("lstMostWrong"));
    const int second = mostWrong(*f.study.statementFigures(), 2).at(1);

    QString statement;
    QString mark;
    QString commentary;
    QString citation;
    bool verdictShown = true;
    bool closeFocused = false;
    uitest::ModalScript script;
    script.expect(QStringLiteral("frmItemReview"), [&](QWidget *w) {
        statement = textOf(w, QStringLiteral("lblStatement0"));
        mark = textOf(w, QStringLiteral("lblMark0"));
        commentary = textOf(w, QStringLiteral("lblCommentary0"));
        citation = textOf(w, QStringLiteral("lblCitation0"));
        verdictShown = child<QWidget>(w, QStringLiteral("lblAnswer"))->isVisible();
        auto *ok = child<QPushButton>(w, QStringLiteral("btnOK"));
        closeFocused = ok->hasFocus();
        if (closeBy == QLatin1String("button"))
            ok->click();
        else
            QTest::keyClick(QApplication::focusWidget(),
                closeBy == QLatin1String("Enter") ? Qt::Key_Return : Qt::Key_Escape);
    });
    script.start();
    list->setCurrentRow(1);
    if (openByKey) {
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Return);
    } else {
        const QRect item = list->visualItemRect(list->item(1));
        // A real double-click: the first click, then the second press arriving as a double-click.
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, item.center());
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, item.center());
    }
    QVERIFY(script.finished());
    const QuestionRecord record = fixture::question(second);
    QCOMPARE(statement, record.questionText);
    QCOMPARE(mark,
        AnswerMark(codeOf(record.answerCode)) + QStringLiteral("　")
            + (codeOf(record.answerCode) == AnswerTrue ? QStringLiteral("正しい")
                                                       : QStringLiteral("誤り")));
    QCOMPARE(
        commentary, QStringLiteral("補足：") + fixture::completeLayer().note(second).commentary);
    QCOMPARE(citation, CitationText(record));
    // Looked at from the record, the statement was answered nowhere: no verdict.
    QVERIFY(!verdictShown);
    QVERIFY(closeFocused);
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
    const StudyLayer layer = fixture::completeLayer();
    const ReviewFigures figures = reviewFiguresOf(review, layer);
    const auto window
        = std::make_unique<FrmRecord>(fixture::completeBank(), layer, *f.study.statementFigures(),
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

    // By period and by theme: the mean over each group's statements, worked out here afresh.
    window->showPage(FrmRecord::PeriodsAndThemes);
    QVERIFY(child<QWidget>(window.get(), QStringLiteral("framePeriodsOnExam"))->isVisible());
    std::array<std::array<double, 2>, PeriodCount> periodSums {};
    std::array<std::array<double, 2>, ThemeCount> themeSums {};
    std::array<int, PeriodCount> periodCounts {};
    std::array<int, ThemeCount> themeCounts {};
    for (int id = 1; id <= QuestionBank::QuestionCount; ++id) {
        const StatementSchedule &s = plan.statement(id);
        const int period = int(layer.note(id).period);
        periodSums[period][0] += s.retrievabilityNow;
        periodSums[period][1] += s.retrievabilityOnExam;
        ++periodCounts[period];
        // One theme a statement in the fixture.
        const int theme = themeIndex(Theme(int(layer.note(id).themes)));
        themeSums[theme][0] += s.retrievabilityNow;
        themeSums[theme][1] += s.retrievabilityOnExam;
        ++themeCounts[theme];
    }
    const auto percent = [](double sum, int count) {
        return QStringLiteral("%1％").arg(qRound(sum / count * 100));
    };
    const QList<std::pair<const char *, int>> charts {{"chartPeriodsNow", 0},
        {"chartPeriodsOnExam", 1}, {"chartThemesNow", 0}, {"chartThemesOnExam", 1}};
    for (const auto &[name, when] : charts) {
        const QList<kit::BarChart::Bar> bars = barsOf(window.get(), QString::fromLatin1(name));
        const bool byPeriod = QByteArray(name).contains("Periods");
        QCOMPARE(bars.size(), byPeriod ? PeriodCount : ThemeCount);
        for (int i = 0; i < bars.size(); ++i) {
            QCOMPARE(bars.at(i).figure,
                byPeriod ? percent(periodSums[i][when], periodCounts[i])
                         : percent(themeSums[i][when], themeCounts[i]));
        }
    }
    // Memory fades towards the exam in every group alike.
    for (int i = 0; i < PeriodCount; ++i)
        QVERIFY(figures.byPeriod[i].onExam <= figures.byPeriod[i].now);
}

QTEST_MAIN(TestFrmRecord)
#include "tst_frmrecord.moc"
