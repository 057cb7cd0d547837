#pragma once

#include "bank/questionbank.h"
#include "bank/testkind.h"
#include "quiz/practicechoice.h"
#include "study/studyfigures.h"

#include <QObject>
#include <QTimeZone>

#include <memory>
#include <optional>

class QAction;
class QMainWindow;

namespace kivola {

class DailyReview;
class MemoryFitter;
class TestFlow;
class TestSession;

// The "学習" menu of the main window: practice where it helps, from the learning record.
// Ordinary tests and the score report are not its business.
class StudyMenu : public QObject
{
    Q_OBJECT

public:
    // Builds the menu into the main window's menu bar, in front of `before`. Practices run
    // through the main window's test flow.
    StudyMenu(TestSession &session, TestFlow &flow, QMainWindow *mainWindow, QAction *before);

    // The key under which the last choice of era and paper is remembered.
    static constexpr const char *ChoiceKey = "practiceChoice";
    // The same for the drill in the exam's item formats, remembered apart.
    static constexpr const char *DrillChoiceKey = "drillChoice";

private:
    // 今日の復習 and its settings.
    void review();
    void reviewSettings();
    // The first item names how many statements are due today, as the record stands now.
    void refreshReviewCount();
    // Today's review read from the record; none when the bank cannot be built.
    std::unique_ptr<DailyReview> loadedReview(const QuestionBank &bank) const;
    // The fit of the memory model, one for the whole run so that two fits never overlap.
    MemoryFitter *fitter();
    void practiseMistakes();
    void practiseUnseen();
    void practiseChosen();
    // The practice choice, then a drill on the exam items it covers.
    void drill();
    void startDrill(
        const QuestionBank &bank, const StudyLayer &layer, const PracticeChoice &choice);
    // A practice on the statements the record picks out, once the record could be read.
    void practiseFromRecord(
        TestKind kind, QList<int> (*select)(const StatementTable &), const QString &whenEmpty);
    void showRecord();
    // The mock paper: the start window, then the paper, then its result.
    void takeMockPaper();
    void browse();
    // A copy of the bank for a window that needs one, so that no later rebuild for a test can
    // pull it from under the window; reports a bank that cannot be used and gives none.
    std::optional<QuestionBank> usableBank();
    // The study layer checked against that bank, the same way: a layer that cannot be used is
    // reported and gives none.
    std::optional<StudyLayer> usableLayer(const QuestionBank &bank);
    // Both, for the windows that show statements with their notes.
    struct StudyContent
    {
        QuestionBank bank;
        StudyLayer layer;
    };
    std::optional<StudyContent> usableContent();
    // Starts the practice, or says why there is nothing to practise. A set of fewer than five
    // is told first: how many it holds and where the rest come from.
    void practise(TestKind kind, const QList<int> &ids, const QString &whenEmpty);
    void reportUnreadable();

    TestSession &m_session;
    TestFlow &m_flow;
    QMainWindow *m_mainWindow;
    // Study days are the student's own, in the machine's time zone.
    QTimeZone m_zone = QTimeZone::systemTimeZone();
    QAction *m_actReview = nullptr;
    MemoryFitter *m_fitter = nullptr;
};

} // namespace kivola
