#include "ui/study/recordlayerpage.h"

#include "ui/kit/gothicfont.h"
#include "ui/study/figureframe.h"
#include "ui/study/reviewtext.h"

namespace kivola {

namespace {

using kit::Twips;
using namespace figureframe;

// The page's frames from its own top left: periods above, themes below; the share of right
// answers, then memory now and on the exam day, so that a group's figures stand in one row.
constexpr int AccuracyWidth = 5160;
constexpr int MemoryWidth = 4380;
constexpr int ColumnGap = 120;
constexpr int MemoryLeft = AccuracyWidth + ColumnGap;
constexpr int ExamLeft = MemoryLeft + MemoryWidth + ColumnGap;
constexpr int PeriodsHeight = 4500;
constexpr int ThemesTop = PeriodsHeight + ColumnGap;
constexpr int ThemesHeight = 2640;
constexpr int NoteTop = ThemesTop + ThemesHeight + ColumnGap;
constexpr int NoteHeight = 540;
// Every chart keeps the strip the weakest group is named in, so that the rows line up.
constexpr int WeakestHeight = 300;

const Twips PeriodsFrame {0, 0, AccuracyWidth, PeriodsHeight};
const Twips PeriodsNowFrame {MemoryLeft, 0, MemoryWidth, PeriodsHeight};
const Twips PeriodsExamFrame {ExamLeft, 0, MemoryWidth, PeriodsHeight};
const Twips ThemesFrame {0, ThemesTop, AccuracyWidth, ThemesHeight};
const Twips ThemesNowFrame {MemoryLeft, ThemesTop, MemoryWidth, ThemesHeight};
const Twips ThemesExamFrame {ExamLeft, ThemesTop, MemoryWidth, ThemesHeight};
const Twips MemoryNote {MemoryLeft, NoteTop, ExamLeft + MemoryWidth - MemoryLeft, NoteHeight};

// A framed bar chart, with room below it for a line of its own.
kit::BarChart *addFramedChart(QWidget *page, const QString &name, const QString &caption,
    const Twips &where, QGroupBox **frame = nullptr)
{
    QGroupBox *box = addFigureFrame(page, QStringLiteral("frame") + name, caption, where);
    auto *chart = addChart<kit::BarChart>(
        box, QStringLiteral("chart") + name, inside(where, WeakestHeight));
    chart->setAccessibleName(caption);
    if (frame)
        *frame = box;
    return chart;
}

kit::Label *addWeakestLabel(QGroupBox *frame, const QString &name, const Twips &where)
{
    return kit::addLabel(frame, name, QString(),
        {Inset, where.height - Inset - WeakestHeight, where.width - 2 * Inset, WeakestHeight},
        kit::gothic(9.75, kit::Weight::Bold), kit::readableOnWindow(kit::colors::PanelBorder),
        kit::Sizing::Wraps);
}

template <std::size_t N, typename LabelOf>
QList<kit::BarChart::Bar> accuracyBars(const std::array<Accuracy, N> &groups, LabelOf labelOf)
{
    QList<kit::BarChart::Bar> bars;
    for (std::size_t i = 0; i < N; ++i) {
        const Accuracy &a = groups[i];
        bars.append(
            {labelOf(i), a.right, a.answered, kit::BarChart::shareText(a.right, a.answered)});
    }
    return bars;
}

template <std::size_t N, typename LabelOf, typename ShareOf>
QList<kit::BarChart::Bar> memoryBars(
    const std::array<GroupMemory, N> &groups, LabelOf labelOf, ShareOf shareOf)
{
    QList<kit::BarChart::Bar> bars;
    for (std::size_t i = 0; i < N; ++i)
        bars.append(shareBar(labelOf(i), shareOf(groups[i])));
    return bars;
}

QString periodAt(std::size_t i)
{
    return periodLabel(Period(i));
}

QString themeAt(std::size_t i)
{
    return themeLabel(AllThemes[i]);
}

// The weakest group in words, or that none has been answered often enough yet.
QString weakestText(
    const QString &group, const std::optional<QString> &weakest, const Accuracy &accuracy)
{
    if (!weakest)
        return QStringLiteral("%1問以上答えた%2がまだありません")
            .arg(WeakestMinimumAnswers)
            .arg(group);
    return QStringLiteral("いちばん苦手な%1は %2（正答率 %3）")
        .arg(group, *weakest, kit::BarChart::percentText(accuracy.right, accuracy.answered));
}

} // namespace

RecordLayerPage::RecordLayerPage(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("pageLayer"));
    QGroupBox *framePeriods = nullptr;
    QGroupBox *frameThemes = nullptr;
    QGroupBox *frame = nullptr;
    m_chartPeriods = addFramedChart(this, QStringLiteral("Periods"),
        QStringLiteral("時代別の正答率"), PeriodsFrame, &framePeriods);
    m_lblWeakestPeriod
        = addWeakestLabel(framePeriods, QStringLiteral("lblWeakestPeriod"), PeriodsFrame);
    m_chartPeriodsNow = addFramedChart(this, QStringLiteral("PeriodsNow"),
        QStringLiteral("時代別の記憶（いま）"), PeriodsNowFrame, &frame);
    m_memoryWidgets.append(frame);
    m_chartPeriodsOnExam = addFramedChart(this, QStringLiteral("PeriodsOnExam"),
        QStringLiteral("時代別の記憶（試験日）"), PeriodsExamFrame, &frame);
    m_memoryWidgets.append(frame);

    m_chartThemes = addFramedChart(this, QStringLiteral("Themes"), QStringLiteral("分野別の正答率"),
        ThemesFrame, &frameThemes);
    m_lblWeakestTheme
        = addWeakestLabel(frameThemes, QStringLiteral("lblWeakestTheme"), ThemesFrame);
    m_chartThemesNow = addFramedChart(this, QStringLiteral("ThemesNow"),
        QStringLiteral("分野別の記憶（いま）"), ThemesNowFrame, &frame);
    m_memoryWidgets.append(frame);
    m_chartThemesOnExam = addFramedChart(this, QStringLiteral("ThemesOnExam"),
        QStringLiteral("分野別の記憶（試験日）"), ThemesExamFrame, &frame);
    m_memoryWidgets.append(frame);

    m_lblMemoryNote = kit::addLabel(this, QStringLiteral("lblMemoryNote"), QString(), MemoryNote,
        kit::gothic(9.75), kit::windowTextColor(), kit::Sizing::Wraps);
    m_memoryWidgets.append(m_lblMemoryNote);
}

void RecordLayerPage::setAccuracy(const PeriodAccuracy &periods, const ThemeAccuracy &themes)
{
    m_chartPeriods->setBars(accuracyBars(periods, &periodAt));
    m_chartThemes->setBars(accuracyBars(themes, &themeAt));

    const std::optional<Period> period = weakestPeriod(periods);
    m_lblWeakestPeriod->setText(weakestText(QStringLiteral("時代"),
        period ? std::optional(periodLabel(*period)) : std::nullopt,
        period ? periods[std::size_t(*period)] : Accuracy()));
    const std::optional<Theme> theme = weakestTheme(themes);
    m_lblWeakestTheme->setText(weakestText(QStringLiteral("分野"),
        theme ? std::optional(themeLabel(*theme)) : std::nullopt,
        theme ? themes[std::size_t(themeIndex(*theme))] : Accuracy()));
}

void RecordLayerPage::setMemory(const ReviewFigures &review)
{
    for (QWidget *widget : std::as_const(m_memoryWidgets))
        widget->setVisible(review.known);
    const auto now = [](const GroupMemory &m) { return m.now; };
    const auto onExam = [](const GroupMemory &m) { return m.onExam; };
    m_chartPeriodsNow->setBars(memoryBars(review.byPeriod, &periodAt, now));
    m_chartPeriodsOnExam->setBars(memoryBars(review.byPeriod, &periodAt, onExam));
    m_chartThemesNow->setBars(memoryBars(review.byTheme, &themeAt, now));
    m_chartThemesOnExam->setBars(memoryBars(review.byTheme, &themeAt, onExam));
    m_lblMemoryNote->setText(
        QStringLiteral("記憶はその時代・分野の問題の平均で、まだ解いていない問題は0％と数えます。"
                       "試験日（%1）の見込みは、これ以上解かなかったときのものです。")
            .arg(reviewDateText(review.examDate, review.today)));
}

} // namespace kivola
