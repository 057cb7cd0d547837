// The study-record window and the question browser with 10,000 tests in the record: from the
// menu item to the window's first paint, reading the record included, and one keystroke in the
// browser's search box until the table shows the new rows. Run it on a real display (Xvfb with
// a window manager) or offscreen through QT_QPA_PLATFORM.
#include "bank/compiledpapers.h"
#include "session/dailyreview.h"
#include "study/itemrecord.h"
#include "study/studyrecord.h"
#include "tests/support/recordhistory.h"
#include "ui/kit/gothicfont.h"
#include "ui/study/frmbrowser.h"
#include "ui/study/frmdailyreview.h"
#include "ui/study/frmrecord.h"
#include "ui/study/reviewfigures.h"

#include <QApplication>
#include <QLineEdit>
#include <QStyleFactory>
#include <QTableView>
#include <QTemporaryDir>
#include <QTimeZone>

#include <benchmark/benchmark.h>

#include <memory>

using namespace kivola;

namespace {

constexpr int RecordedTests = 10000;
constexpr quint32 Seed = 17;

const QString &fullRecord()
{
    static QTemporaryDir dir;
    static const QString path = [] {
        const QString path = StudyRecord::pathIn(dir.path());
        const QList<CompletedTest> tests = history::randomTests(
            RecordedTests, Seed, QDateTime(QDate(2026, 4, 1), QTime(9, 0), Qt::UTC));
        if (!StudyRecord(path).record(std::span<const CompletedTest>(tests)))
            qFatal("cannot create the record");
        return path;
    }();
    return path;
}

const QuestionBank &bank()
{
    static const QuestionBank bank = BankLoader(compiledPapersDirectory()).build().bank;
    return bank;
}

const StudyLayer &layer()
{
    static const StudyLayer layer
        = StudyLayerLoader(compiledStudyLayerDirectory(), bank()).build().layer;
    return layer;
}

// Notes the first paint of a widget.
class PaintWatch : public QObject
{
public:
    explicit PaintWatch(QWidget *widget) { widget->installEventFilter(this); }
    bool painted = false;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        painted = painted || event->type() == QEvent::Paint;
        return false;
    }
};

void waitForPaint(QWidget *widget)
{
    PaintWatch watch(widget);
    widget->show();
    while (!watch.painted)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

// A record opened afresh is the first use of the file in a run, which also checks it.
template <typename Open> void FirstPaint(benchmark::State &state, Open open)
{
    const bool cold = state.range(0) != 0;
    StudyRecord warm(fullRecord());
    warm.statementFigures();
    for (auto _ : state) {
        std::unique_ptr<StudyRecord> fresh;
        if (cold)
            fresh = std::make_unique<StudyRecord>(fullRecord());
        StudyRecord &record = cold ? *fresh : warm;
        const std::unique_ptr<QWidget> window = open(record);
        waitForPaint(window.get());
        state.PauseTiming();
        window->hide();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
}

// The daily review's plan, read from the record as the menu reads it for these windows.
std::unique_ptr<DailyReview> loadedReview(StudyRecord &record)
{
    auto review = std::make_unique<DailyReview>(
        record.path(), bank(), QTimeZone::systemTimeZone(), &QDateTime::currentDateTime);
    review->reload();
    return review;
}

std::unique_ptr<QWidget> openRecord(StudyRecord &record)
{
    return std::make_unique<FrmRecord>(bank(), layer(), *record.statementFigures(),
        *record.testPoints(FrmRecord::ShownTests), *ItemRecord(record.path()).papersTaken(),
        reviewFiguresOf(*loadedReview(record), layer()), nullptr);
}

std::unique_ptr<QWidget> openBrowser(StudyRecord &record)
{
    return std::make_unique<FrmBrowser>(bank(), layer(), *record.statementFigures(),
        statementMemoryOf(loadedReview(record)->plan()), nullptr);
}

// The daily review over a record of 10,000 tests, as its menu item opens it: the plan read and
// worked out, the first statement shown. No fitter: its fit runs after the window, off the main
// thread.
std::unique_ptr<QWidget> openDailyReview(StudyRecord &record)
{
    return std::make_unique<FrmDailyReview>(
        bank(), layer(), loadedReview(record), record.path(), nullptr, nullptr);
}

void DailyReviewFirstPaint(benchmark::State &state)
{
    FirstPaint(state, &openDailyReview);
}
BENCHMARK(DailyReviewFirstPaint)->ArgName("cold")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void RecordWindowFirstPaint(benchmark::State &state)
{
    FirstPaint(state, &openRecord);
}
BENCHMARK(RecordWindowFirstPaint)->ArgName("cold")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BrowserFirstPaint(benchmark::State &state)
{
    FirstPaint(state, &openBrowser);
}
BENCHMARK(BrowserFirstPaint)->ArgName("cold")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// Typing one more character of a search, then taking it back, each until the table repaints.
void SearchKeystroke(benchmark::State &state)
{
    StudyRecord record(fullRecord());
    FrmBrowser window(bank(), layer(), *record.statementFigures(), StatementMemory(), nullptr);
    waitForPaint(&window);
    auto *search = window.findChild<QLineEdit *>(QStringLiteral("txtSearch"));
    auto *table = window.findChild<QTableView *>(QStringLiteral("tblQuestions"));
    search->setText(QStringLiteral("将"));
    QCoreApplication::processEvents();
    bool longer = true;
    for (auto _ : state) {
        PaintWatch watch(table->viewport());
        if (longer)
            search->insert(QStringLiteral("軍"));
        else
            search->backspace();
        longer = !longer;
        while (!watch.painted)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
}
BENCHMARK(SearchKeystroke)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv)
{
    kit::registerGothicSubstitutions();
    QApplication app(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QApplication::setFont(kit::defaultWindowFont());
    fullRecord();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
