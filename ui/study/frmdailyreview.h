#pragma once

#include "bank/questionbank.h"
#include "bank/studylayer.h"
#include "study/reviewanswer.h"
#include "ui/kit/modalwindow.h"

#include <memory>

class QFrame;
class QLabel;
class QPushButton;

namespace kivola {

class DailyReview;
class MemoryFitter;

// 今日の復習: one statement at a time, answered ○, × or "わからない" by a click or a key, graded at
// once with the right mark, the explanation, the commentary and the source; batches of the session
// size, each ending in a short tally with a way to go on while anything is left today. Every answer
// is in the learning record as soon as it is given, so the window may be closed at any moment.
class FrmDailyReview : public kit::ModalWindow
{
    Q_OBJECT

public:
    // The review as loaded from the record at recordPath. The fitter, when given, is asked for
    // its fit of the study day; the window does not wait for it.
    FrmDailyReview(const QuestionBank &bank, const StudyLayer &layer,
        std::unique_ptr<DailyReview> review, const QString &recordPath, MemoryFitter *fitter,
        QWidget *owner);
    ~FrmDailyReview() override;

    const DailyReview &review() const { return *m_review; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    enum class Stage
    {
        Answering,
        Answered,
        Summary,
        Done
    };

    struct Tally
    {
        int right = 0;
        int wrong = 0;
        int dontKnow = 0;
    };

    void showStatement();
    void answer(ReviewGiven given);
    void next();
    void goOn();
    void showSummary();
    void showDone(const QString &heading);
    void showProgress();
    void setStage(Stage stage);
    // Answers, Enter and Space reach the window from whichever button has the focus.
    bool handleKey(QKeyEvent *event);

    QuestionBank m_bank;
    StudyLayer m_layer;
    std::unique_ptr<DailyReview> m_review;
    QString m_recordPath;
    Stage m_stage = Stage::Answering;
    Tally m_tally;

    QLabel *m_lblProgress;
    QFrame *m_frameStatement;
    QLabel *m_lblKind;
    QLabel *m_lblStatement;
    QLabel *m_lblVerdict;
    QLabel *m_lblAnswer;
    QLabel *m_lblExplanation;
    QLabel *m_lblCommentary;
    QLabel *m_lblCitation;
    QWidget *m_pageEnd;
    QLabel *m_lblEndHeading;
    QLabel *m_lblEndText;
    QPushButton *m_btnTrue;
    QPushButton *m_btnFalse;
    QPushButton *m_btnDontKnow;
    QPushButton *m_btnNext;
    QPushButton *m_btnMore;
    QPushButton *m_btnClose;
};

} // namespace kivola
