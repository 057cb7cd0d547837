#include "ui/study/frmrecord.h"

#include "bank/banktext.h"
#include "quiz/mockpapertext.h"
#include "ui/kit/barchart.h"
#include "ui/kit/centeronscreen.h"
#include "ui/kit/columnchart.h"
#include "ui/kit/controls.h"
#include "ui/kit/gothicfont.h"
#include "ui/study/pointschart.h"
#include "ui/study/reviewtext.h"
#include "ui/testrun/frmreview.h"

#include <QGroupBox>
#include <QHeaderView>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>

namespace kivola {

namespace {

using kit::Twips;

constexpr int BankIdRole = Qt::UserRole;
// Inside every frame the content starts below the caption and keeps this margin.
constexpr int Inset = 120;
constexpr int CaptionHeight = 240;

Twips inside(const Twips &frame, int bottomReserve = 0)
{
    return {Inset, CaptionHeight, frame.width - 2 * Inset,
        frame.height - CaptionHeight - Inset - bottomReserve};
}

template <typename Chart> Chart *addChart(QWidget *frame, const QString &name, const Twips &where)
{
    auto *chart = new Chart(frame);
    chart->setObjectName(name);
    chart->setGeometry(where.toPixels());
    return chart;
}

QGroupBox *addFigureFrame(
    QWidget *parent, const QString &name, const QString &caption, const Twips &where)
{
    return kit::addFrame(parent, name, caption, where, kit::menuColor(), kit::windowTextColor());
}

const Twips ProgressFrame {240, 960, 4800, 1080};
const Twips PartsFrame {240, 2160, 4800, 2280};
const Twips PapersFrame {240, 4560, 4800, 1920};
const Twips PointsFrame {5160, 960, 4800, 2760};
const Twips MistakesFrame {5160, 3840, 4800, 2640};
const Twips PapersTakenFrame {240, 6600, 5880, 2280};
const Twips BestFrame {6240, 6600, 3720, 2280};
const Twips ReviewFrame {10080, 960, 4320, 3600};
const Twips ExamFrame {10080, 4680, 4320, 4200};
constexpr int WeakestHeight = 300;
constexpr int DueTodayHeight = 300;
constexpr int ExamChartHeight = 1680;
constexpr int Percent = 100;
constexpr int MockScoreWhole = 100;
// Shares drawn as bars in thousandths, so that a bar moves with every tenth of a percent.
constexpr int ShareWhole = 1000;

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
constexpr std::array<int, PaperColumnCount> PaperColumnWidths {1560, 1200, 660, 780, 1020};
constexpr int BestScoreWhole = 100;

} // namespace

FrmRecord::FrmRecord(const QuestionBank &bank, const StatementTable &figures,
    const QList<TestPoints> &latestTests, const QList<PaperResult> &papersTaken,
    const ReviewFigures &review, QWidget *owner)
    : ModalWindow(owner, "frmRecord", QStringLiteral("Torenza　Kivola　- 学習記録 -"),
        {14640, 9660}, Frame::FixedDialog, Escape::Closes)
    , m_bank(bank)
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

    auto *frameParts = addFigureFrame(
        this, QStringLiteral("frameParts"), QStringLiteral("時代別の正答率"), PartsFrame);
    m_chartParts = addChart<kit::BarChart>(
        frameParts, QStringLiteral("chartParts"), inside(PartsFrame, WeakestHeight));
    m_chartParts->setAccessibleName(QStringLiteral("時代別の正答率"));
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
    m_tblPapers->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    for (int column = 0; column < PaperColumnCount; ++column)
        m_tblPapers->setColumnWidth(column, px(PaperColumnWidths[std::size_t(column)]));

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
    fill(figures, latestTests);
    fillPapers(papersTaken);
    fillReview(review);
    if (!review.known) {
        frameReview->hide();
        frameExam->hide();
    }

    connect(btnOK, &QPushButton::clicked, this, &QDialog::accept);
    // Queued: Enter goes on from the list to this window, which would press the new review
    // window's default button and close it again at once.
    connect(m_lstMostWrong, &QListWidget::itemActivated, this, &FrmRecord::reviewItem,
        Qt::QueuedConnection);
    btnOK->setFocus();
    CenterOnScreen(this);
}

void FrmRecord::fill(const StatementTable &figures, const QList<TestPoints> &latestTests)
{
    const bool empty = latestTests.isEmpty() && seenCount(figures) == 0;
    m_lblEmpty->setVisible(empty);
    for (QWidget *frame : std::as_const(m_figureFrames))
        frame->setVisible(!empty);
    if (empty)
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
            ? QString()
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

    const auto share = [](double value) {
        const int thousandths = qRound(value * ShareWhole);
        return kit::BarChart::Bar {QString(), thousandths, ShareWhole,
            QStringLiteral("%1％").arg(qRound(value * Percent))};
    };
    kit::BarChart::Bar now = share(review.meanRetrievabilityNow);
    now.label = QStringLiteral("いまの記憶");
    kit::BarChart::Bar onExam = share(review.meanRetrievabilityOnExam);
    onExam.label = QStringLiteral("試験日の記憶");
    kit::BarChart::Bar judgments = share(review.judgmentShareOnExam);
    judgments.label = QStringLiteral("○×の正答率");
    const int score = qRound(review.mockScoreOnExam);
    m_chartExam->setBars({now, onExam, judgments,
        {QStringLiteral("模擬試験"), score, MockScoreWhole, QStringLiteral("%1点").arg(score)}});
    m_lblExamNote->setText(
        QStringLiteral("試験日（%1）まで、これ以上解かなかったときの見込みです。全%2問の平均で、"
                       "まだ解いていない問題は覚えていないものと数えます。")
            .arg(reviewDateText(review.examDate, review.today))
            .arg(QuestionBank::QuestionCount));
}

void FrmRecord::review(int bankId)
{
    auto *window = new FrmReview(this);
    window->showStatement(
        m_bank.record(bankId), QStringLiteral("見直し"), QStringLiteral("学習記録に戻る"));
    kit::showModal(window);
}

void FrmRecord::reviewItem(QListWidgetItem *item)
{
    review(item->data(BankIdRole).toInt());
}

} // namespace kivola
