#include "ui/study/frmrecord.h"

#include "bank/banktext.h"
#include "quiz/mockpapertext.h"
#include "ui/kit/barchart.h"
#include "ui/kit/centeronscreen.h"
#include "ui/kit/columnchart.h"
#include "ui/kit/controls.h"
#include "ui/kit/gothicfont.h"
#include "ui/study/figureframe.h"
#include "ui/study/frmitemreview.h"
#include "ui/study/pointschart.h"
#include "ui/study/recordlayerpage.h"
#include "ui/study/reviewtext.h"

#include <QGroupBox>
#include <QHeaderView>
#include <QListWidget>
#include <QPushButton>
#include <QTabBar>
#include <QTableWidget>

namespace kivola {

namespace {

using kit::Twips;
using namespace figureframe;

constexpr int BankIdRole = Qt::UserRole;

const Twips ProgressFrame {240, 960, 4800, 1080};
const Twips PartsFrame {240, 2160, 4800, 2280};
const Twips PapersFrame {240, 4560, 4800, 1920};
const Twips PointsFrame {5160, 960, 4800, 2760};
const Twips MistakesFrame {5160, 3840, 4800, 2640};
const Twips PapersTakenFrame {240, 6600, 5880, 2280};
const Twips BestFrame {6240, 6600, 3720, 2280};
const Twips ReviewFrame {10080, 960, 4320, 3600};
const Twips ExamFrame {10080, 4680, 4320, 4200};
// The tabs stand beside the title panel, on the frames' top edge; the second page takes the
// room the frames of the first do.
const Twips PageTabs {3720, 510, 5400, 450};
const Twips LayerPage {240, 960, 14160, 7920};
constexpr int WeakestHeight = 300;
constexpr int DueTodayHeight = 300;
constexpr int ExamChartHeight = 1680;
constexpr int MockScoreWhole = 100;

// The mock papers taken, newest first: which, when, score, items right, time used.
enum PaperColumn
{
    PaperColumnName,
    PaperColumnDate,
    PaperColumnScore,
    PaperColumnRight,
    PaperColumnTime,
    PaperColumnCount
};
constexpr int BestScoreWhole = 100;

} // namespace

FrmRecord::FrmRecord(const QuestionBank &bank, const StudyLayer &layer,
    const StatementTable &figures, const QList<TestPoints> &latestTests,
    const QList<PaperResult> &papersTaken, const ReviewFigures &review, QWidget *owner)
    : ModalWindow(owner, "frmRecord", QStringLiteral("Torenza　Kivola　- 学習記録 -"),
        {14640, 9660}, Frame::FixedDialog, Escape::Closes)
    , m_bank(bank)
    , m_layer(layer)
    , m_reviewKnown(review.known)
{
    using namespace kit;
    auto *btnOK = addButton(this, QStringLiteral("btnOK"), QStringLiteral("閉じる"),
        {6300, 9000, 2040, 495}, gothic(12, Weight::Bold));
    btnOK->setAutoDefault(false);

    auto *frameProgress = addFigureFrame(this, QStringLiteral("frameProgress"),
        QStringLiteral("出会った問題と覚えた問題"), ProgressFrame);
    m_chartProgress = addChart<kit::BarChart>(
        frameProgress, QStringLiteral("chartProgress"), inside(ProgressFrame));
    m_chartProgress->setAccessibleName(QStringLiteral("出会った問題と覚えた問題"));

    // By part, the exam's 大問: the periods of history have a page of their own.
    auto *frameParts = addFigureFrame(
        this, QStringLiteral("frameParts"), QStringLiteral("大問別の正答率"), PartsFrame);
    m_chartParts = addChart<kit::BarChart>(
        frameParts, QStringLiteral("chartParts"), inside(PartsFrame, WeakestHeight));
    m_chartParts->setAccessibleName(QStringLiteral("大問別の正答率"));
    m_lblWeakest = addLabel(frameParts, QStringLiteral("lblWeakest"), QString(),
        {Inset, PartsFrame.height - Inset - WeakestHeight, PartsFrame.width - 2 * Inset,
            WeakestHeight},
        gothic(9.75, Weight::Bold), readableOnWindow(colors::PanelBorder), Sizing::Wraps);

    auto *framePapers = addFigureFrame(
        this, QStringLiteral("framePapers"), QStringLiteral("試験別の正答率"), PapersFrame);
    m_chartPapers
        = addChart<kit::BarChart>(framePapers, QStringLiteral("chartPapers"), inside(PapersFrame));
    m_chartPapers->setAccessibleName(QStringLiteral("試験別の正答率"));

    auto *framePoints = addFigureFrame(this, QStringLiteral("framePoints"),
        QStringLiteral("最近%1回の得点").arg(ShownTests), PointsFrame);
    m_chartPoints
        = addChart<PointsChart>(framePoints, QStringLiteral("chartPoints"), inside(PointsFrame));
    m_chartPoints->setAccessibleName(QStringLiteral("最近の得点"));

    auto *frameMistakes = addFigureFrame(this, QStringLiteral("frameMistakes"),
        QStringLiteral("よく間違える問題（ダブルクリックで見直し）"), MistakesFrame);
    m_lstMostWrong = new QListWidget(frameMistakes);
    m_lstMostWrong->setObjectName(QStringLiteral("lstMostWrong"));
    m_lstMostWrong->setGeometry(inside(MistakesFrame).toPixels());
    m_lstMostWrong->setFont(gothic(9.75));
    m_lstMostWrong->setAccessibleName(QStringLiteral("よく間違える問題"));

    auto *framePapersTaken = addFigureFrame(this, QStringLiteral("framePapersTaken"),
        QStringLiteral("模擬試験の記録"), PapersTakenFrame);
    m_tblPapers = new QTableWidget(0, PaperColumnCount, framePapersTaken);
    m_tblPapers->setObjectName(QStringLiteral("tblPapers"));
    m_tblPapers->setGeometry(inside(PapersTakenFrame).toPixels());
    m_tblPapers->setFont(gothic(9.75));
    m_tblPapers->setAccessibleName(QStringLiteral("模擬試験の記録"));
    m_tblPapers->setHorizontalHeaderLabels({QStringLiteral("試験"), QStringLiteral("日付"),
        QStringLiteral("得点"), QStringLiteral("正解"), QStringLiteral("時間")});
    m_tblPapers->verticalHeader()->hide();
    m_tblPapers->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_tblPapers->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_tblPapers->setTabKeyNavigation(false);
    m_tblPapers->setWordWrap(false);
    // Every figure whole, whatever the face: the columns take their contents' width, and the
    // last one what is left.
    m_tblPapers->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_tblPapers->horizontalHeader()->setStretchLastSection(true);

    auto *frameBest = addFigureFrame(
        this, QStringLiteral("frameBest"), QStringLiteral("試験ごとの最高点"), BestFrame);
    m_chartBest
        = addChart<kit::BarChart>(frameBest, QStringLiteral("chartBest"), inside(BestFrame));
    m_chartBest->setAccessibleName(QStringLiteral("試験ごとの模擬試験の最高点"));

    auto *frameReview = addFigureFrame(this, QStringLiteral("frameReview"),
        QStringLiteral("今日の復習とこの先2週間"), ReviewFrame);
    m_lblDueToday = addLabel(frameReview, QStringLiteral("lblDueToday"), QString(),
        {Inset, CaptionHeight + Inset, ReviewFrame.width - 2 * Inset, DueTodayHeight},
        gothic(9.75, Weight::Bold), windowTextColor(), Sizing::Fixed);
    m_chartForecast = addChart<kit::ColumnChart>(frameReview, QStringLiteral("chartForecast"),
        {Inset, CaptionHeight + 2 * Inset + DueTodayHeight, ReviewFrame.width - 2 * Inset,
            ReviewFrame.height - CaptionHeight - 3 * Inset - DueTodayHeight});
    m_chartForecast->setAccessibleName(QStringLiteral("復習する問題の数の見通し"));

    auto *frameExam = addFigureFrame(
        this, QStringLiteral("frameExam"), QStringLiteral("試験日の見込み"), ExamFrame);
    m_chartExam = addChart<kit::BarChart>(frameExam, QStringLiteral("chartExam"),
        {Inset, CaptionHeight, ExamFrame.width - 2 * Inset, ExamChartHeight});
    m_chartExam->setAccessibleName(QStringLiteral("試験日の見込み"));
    m_lblExamNote = addLabel(frameExam, QStringLiteral("lblExamNote"), QString(),
        {Inset, CaptionHeight + ExamChartHeight + Inset, ExamFrame.width - 2 * Inset,
            ExamFrame.height - CaptionHeight - ExamChartHeight - 2 * Inset},
        gothic(9.75), windowTextColor(), Sizing::Wraps);

    m_pageLayer = new RecordLayerPage(this);
    m_pageLayer->setGeometry(LayerPage.toPixels());
    m_tabPages = new QTabBar(this);
    m_tabPages->setObjectName(QStringLiteral("tabPages"));
    m_tabPages->setGeometry(PageTabs.toPixels());
    m_tabPages->setFont(gothic(9.75));
    m_tabPages->setDrawBase(false);
    m_tabPages->setExpanding(false);
    m_tabPages->setAccessibleName(QStringLiteral("表示する記録"));
    m_tabPages->insertTab(Overview, QStringLiteral("全体"));
    m_tabPages->insertTab(PeriodsAndThemes, QStringLiteral("時代・分野別"));

    m_lblEmpty = addLabel(this, QStringLiteral("lblEmpty"),
        QStringLiteral("まだ記録がありません。テストを受けると、ここに学習の記録が表示されます。"),
        {240, 4440, 14160, 330}, gothic(12, Weight::Bold), windowTextColor(), Sizing::Fixed,
        Qt::AlignHCenter);
    addShadowedTitle(this, QStringLiteral("Title1"), QStringLiteral("学習記録"),
        {600, 285, 3000, 285}, gothic(14.25, Weight::Bold, Slant::Italic));
    addTitlePanel(this, QStringLiteral("Shape1"), {240, 120, 3360, 660});
    stackInListedOrder(this);
    stackInListedOrder(frameParts);

    m_figureFrames = {frameProgress, frameParts, framePapers, framePoints, frameMistakes,
        framePapersTaken, frameBest, frameReview, frameExam};
    m_reviewFrames = {frameReview, frameExam};
    fill(figures, latestTests);
    fillPapers(papersTaken);
    fillReview(review);
    updatePages();

    connect(btnOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_tabPages, &QTabBar::currentChanged, this, &FrmRecord::updatePages);
    // Queued: Enter goes on from the list to this window, which would press the new review
    // window's default button and close it again at once.
    connect(m_lstMostWrong, &QListWidget::itemActivated, this, &FrmRecord::reviewItem,
        Qt::QueuedConnection);
    btnOK->setFocus();
    CenterOnScreen(this);
}

void FrmRecord::fill(const StatementTable &figures, const QList<TestPoints> &latestTests)
{
    m_empty = latestTests.isEmpty() && seenCount(figures) == 0;
    m_lblEmpty->setVisible(m_empty);
    if (m_empty)
        return;

    const int total = QuestionBank::QuestionCount;
    const int seen = seenCount(figures);
    const int mastered = masteredCount(figures);
    m_chartProgress->setBars({{QStringLiteral("出会った問題"), seen, total,
                                  QStringLiteral("%1／%2問").arg(seen).arg(total)},
        {QStringLiteral("覚えた問題"), mastered, total,
            QStringLiteral("%1／%2問").arg(mastered).arg(total)}});

    const PartAccuracy parts = accuracyByPart(figures, m_bank);
    QList<kit::BarChart::Bar> partBars;
    for (int part = 1; part <= PartCount; ++part) {
        const Accuracy &a = parts[part - 1];
        partBars.append(
            {PartLabel(part), a.right, a.answered, kit::BarChart::shareText(a.right, a.answered)});
    }
    m_chartParts->setBars(partBars);
    const int weakest = weakestPart(parts);
    m_lblWeakest->setText(weakest == 0
            ? QStringLiteral("%1問以上答えた大問がまだありません").arg(WeakestMinimumAnswers)
            : QStringLiteral("いちばん苦手なのは %1（正答率 %2）")
                  .arg(PartLabel(weakest),
                      kit::BarChart::percentText(
                          parts[weakest - 1].right, parts[weakest - 1].answered)));

    const PaperAccuracy papers = accuracyByPaper(figures, m_bank);
    QList<kit::BarChart::Bar> paperBars;
    for (int paper = 0; paper < int(papers.size()); ++paper) {
        const Accuracy &a = papers[paper];
        paperBars.append({PaperLabel(paper), a.right, a.answered,
            kit::BarChart::shareText(a.right, a.answered)});
    }
    m_chartPapers->setBars(paperBars);

    m_pageLayer->setAccuracy(accuracyByPeriod(figures, m_layer), accuracyByTheme(figures, m_layer));

    m_chartPoints->setTests(latestTests);

    for (int id : mostWrong(figures, ShownMistakes)) {
        auto *item = new QListWidgetItem(QStringLiteral("%1回 × %2")
                                             .arg(figures.at(id).wrong)
                                             .arg(m_bank.record(id).questionText),
            m_lstMostWrong);
        item->setData(BankIdRole, id);
        item->setToolTip(CitationText(m_bank.record(id)));
    }
    if (m_lstMostWrong->count() > 0)
        m_lstMostWrong->setCurrentRow(0);
}

void FrmRecord::fillPapers(const QList<PaperResult> &papersTaken)
{
    m_tblPapers->setRowCount(int(papersTaken.size()));
    int row = 0;
    for (auto it = papersTaken.crbegin(); it != papersTaken.crend(); ++it, ++row) {
        const PaperResult &result = *it;
        const QStringList cells {PaperLabel(result.paper),
            result.finishedUtc.toLocalTime().toString(QStringLiteral("yyyy/MM/dd")),
            QStringLiteral("%1点").arg(result.score),
            QStringLiteral("%1／%2").arg(result.rightCount).arg(result.itemCount),
            durationText(result.secondsUsed)};
        for (int column = 0; column < PaperColumnCount; ++column) {
            auto *cell = new QTableWidgetItem(cells.at(column));
            if (column != PaperColumnName && column != PaperColumnDate)
                cell->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            m_tblPapers->setItem(row, column, cell);
        }
    }

    const BestScores best = bestScores(papersTaken);
    QList<kit::BarChart::Bar> bars;
    for (int paper = 0; paper < int(best.size()); ++paper) {
        const std::optional<int> score = best[std::size_t(paper)];
        bars.append({PaperLabel(paper), score.value_or(0), score ? BestScoreWhole : 0,
            score ? QStringLiteral("%1点").arg(*score) : QStringLiteral("—")});
    }
    m_chartBest->setBars(bars);
}

void FrmRecord::fillReview(const ReviewFigures &review)
{
    m_lblDueToday->setText(QStringLiteral("今日：復習 %1問・新しい問題 %2問")
                               .arg(review.dueToday)
                               .arg(review.newToday));
    QList<kit::ColumnChart::Column> columns;
    for (int day = 0; day < review.forecast.size(); ++day) {
        const QDate date = review.today.addDays(day);
        const int due = review.forecast.at(day);
        columns.append({day == 0 ? QStringLiteral("今日") : QString::number(date.day()), due,
            QStringLiteral("%1：%2問").arg(reviewDateText(date, review.today)).arg(due)});
    }
    m_chartForecast->setColumns(columns);

    const int score = qRound(review.mockScoreOnExam);
    m_chartExam->setBars({shareBar(QStringLiteral("いまの記憶"), review.meanRetrievabilityNow),
        shareBar(QStringLiteral("試験日の記憶"), review.meanRetrievabilityOnExam),
        shareBar(QStringLiteral("○×の正答率"), review.judgmentShareOnExam),
        {QStringLiteral("模擬試験"), score, MockScoreWhole, QStringLiteral("%1点").arg(score)}});
    m_lblExamNote->setText(
        QStringLiteral("試験日（%1）まで、これ以上解かなかったときの見込みです。全%2問の平均で、"
                       "まだ解いていない問題は覚えていないものと数えます。")
            .arg(reviewDateText(review.examDate, review.today))
            .arg(QuestionBank::QuestionCount));
    m_pageLayer->setMemory(review);
}

void FrmRecord::showPage(Page page)
{
    m_tabPages->setCurrentIndex(page);
}

void FrmRecord::updatePages()
{
    const bool overview = m_tabPages->currentIndex() == Overview;
    m_tabPages->setVisible(!m_empty);
    for (QWidget *frame : std::as_const(m_figureFrames))
        frame->setVisible(
            !m_empty && overview && (m_reviewKnown || !m_reviewFrames.contains(frame)));
    m_pageLayer->setVisible(!m_empty && !overview);
}

void FrmRecord::review(int bankId)
{
    kit::showModal(new FrmItemReview(
        m_bank, m_layer, statementItem(m_bank, bankId), QStringLiteral("よく間違える問題"), this));
}

void FrmRecord::reviewItem(QListWidgetItem *item)
{
    review(item->data(BankIdRole).toInt());
}

} // namespace kivola
