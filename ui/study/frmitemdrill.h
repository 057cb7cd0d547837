#pragma once

#include "bank/questionbank.h"
#include "bank/studylayer.h"
#include "quiz/examitem.h"
#include "ui/kit/modalwindow.h"

#include <QSet>

#include <memory>

class QListWidget;
class QPushButton;

namespace kivola {

namespace kit {
class Label;
}
class DrillSession;
class ItemPanel;
class RandomSource;

// Items of the exam in rounds of five, each graded as soon as it is answered: choose an option
// (a click, or its digit), confirm, read why, go on. After the round, how many were right and a
// way to go on with five more. Every answer is in the learning record once given, so the window
// may be closed at any time.
class FrmItemDrill : public kit::ModalWindow
{
    Q_OBJECT

public:
    static constexpr int ItemsPerRound = 5;

    FrmItemDrill(const QuestionBank &bank, const StudyLayer &layer, QList<ExamItem> candidates,
        RandomSource &random, std::unique_ptr<DrillSession> session, QWidget *owner);
    ~FrmItemDrill() override;

    // The items of the round shown now, in the order asked.
    const QList<ExamItem> &roundItems() const { return m_round; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    enum class Stage
    {
        Answering,
        Graded,
        Summary
    };

    void startRound();
    void showItem();
    void optionChosen(int option);
    void submit();
    void next();
    void showSummary();
    void reviewRow(int row);
    void setStage(Stage stage);
    // Digits and Enter reach the drill from whichever control has the focus.
    bool handleKey(QKeyEvent *event);
    void watchKeys();

    QuestionBank m_bank;
    StudyLayer m_layer;
    QList<ExamItem> m_candidates;
    RandomSource &m_random;
    std::unique_ptr<DrillSession> m_session;
    // The first bank ids of every item drawn in this window, so that rounds do not repeat items
    // while others remain.
    QSet<int> m_drawn;
    QList<ExamItem> m_round;
    QList<int> m_chosen;
    int m_current = 0;
    Stage m_stage = Stage::Answering;

    ItemPanel *m_panel;
    QWidget *m_pageItem;
    QWidget *m_pageSummary;
    kit::Label *m_lblVerdict;
    kit::Label *m_lblSummary;
    QListWidget *m_lstSummary;
    QPushButton *m_btnAnswer;
    QPushButton *m_btnNext;
    QPushButton *m_btnMore;
    QPushButton *m_btnClose;
};

} // namespace kivola
