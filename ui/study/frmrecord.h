#pragma once

#include "bank/questionbank.h"
#include "bank/studylayer.h"
#include "study/itemattempt.h"
#include "study/studyfigures.h"
#include "ui/kit/modalwindow.h"
#include "ui/study/reviewfigures.h"

class QListWidget;
class QListWidgetItem;
class QTabBar;
class QTableWidget;

namespace kivola {

class PointsChart;
class RecordLayerPage;
namespace kit {
class BarChart;
class ColumnChart;
class Label;
} // namespace kit

// The study record at a glance: statements met and mastered, accuracy by part and by paper,
// the points of the latest tests, the statements most often answered wrong, each of which
// opens its review, and the mock papers taken with the best score of every paper; what the
// memory model makes of it all: the daily review's load today and over the coming days, and
// where the student would stand on the exam day. A second page has the same by period and by
// theme.
class FrmRecord : public kit::ModalWindow
{
    Q_OBJECT

public:
    // How many of the latest tests the chart shows, and how many statements the list names.
    static constexpr int ShownTests = 50;
    static constexpr int ShownMistakes = 20;

    // The pages, in the order of their tabs.
    enum Page
    {
        Overview,
        PeriodsAndThemes
    };

    FrmRecord(const QuestionBank &bank, const StudyLayer &layer, const StatementTable &figures,
        const QList<TestPoints> &latestTests, const QList<PaperResult> &papersTaken,
        const ReviewFigures &review, QWidget *owner);

    // Opens the statement with this bank id over this window: its mark, explanation, commentary
    // and source.
    void review(int bankId);
    void showPage(Page page);

private:
    void fill(const StatementTable &figures, const QList<TestPoints> &latestTests);
    void fillPapers(const QList<PaperResult> &papersTaken);
    void fillReview(const ReviewFigures &review);
    // Only the figures of the chosen page show, and none at all on an empty record.
    void updatePages();
    void reviewItem(QListWidgetItem *item);

    QuestionBank m_bank;
    StudyLayer m_layer;
    bool m_empty = false;
    bool m_reviewKnown = false;
    QTabBar *m_tabPages;
    RecordLayerPage *m_pageLayer;
    kit::BarChart *m_chartProgress;
    kit::BarChart *m_chartParts;
    kit::BarChart *m_chartPapers;
    PointsChart *m_chartPoints;
    QListWidget *m_lstMostWrong;
    QTableWidget *m_tblPapers;
    kit::BarChart *m_chartBest;
    kit::Label *m_lblDueToday;
    kit::ColumnChart *m_chartForecast;
    kit::BarChart *m_chartExam;
    kit::Label *m_lblExamNote;
    kit::Label *m_lblWeakest;
    kit::Label *m_lblEmpty;
    QList<QWidget *> m_figureFrames;
    QList<QWidget *> m_reviewFrames;
};

} // namespace kivola
