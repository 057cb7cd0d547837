#pragma once

#include "bank/questionbank.h"
#include "bank/studylayer.h"
#include "quiz/examitem.h"

#include <QList>
#include <QWidget>

class QAbstractButton;
class QButtonGroup;
class QGridLayout;
class QKeyEvent;
class QLabel;
class QVBoxLayout;

namespace kivola {

// One item of the exam as the paper prints it: where it comes from, what to choose, its
// statements and its options; after grading, the right option and every statement's mark,
// explanation, study note and source under it. The window around it decides what choosing means.
class ItemPanel : public QWidget
{
    Q_OBJECT

public:
    ItemPanel(const QuestionBank &bank, const StudyLayer &layer, QWidget *parent);

    // Shows the item for answering, nothing chosen.
    void showItem(const ExamItem &item, const QString &heading);
    const ExamItem &item() const { return m_item; }

    // 0 when no option is chosen.
    int chosenOption() const;
    void setChosenOption(int option);

    // Chooses the option a key stands for: its digit, half or full width, or O and X for a single
    // statement. False when the key stands for none, so the window may use it.
    bool chooseByKey(const QKeyEvent &event);

    // Grades the item in place: the options no longer answer, the right one and the chosen one are
    // marked, and each statement shows its mark, explanation, study note and source.
    void showFeedback(int chosen);
    // Back to answering, as after showItem(), keeping the chosen option.
    void showQuestion();

    QAbstractButton *optionButton(int option) const;

Q_SIGNALS:
    void optionChosen(int option);

private:
    void clearItem();
    void addStatement(int index, int bankId);
    void addOptions();
    int optionForKey(const QKeyEvent &event) const;

    QuestionBank m_bank;
    StudyLayer m_layer;
    ExamItem m_item;
    QLabel *m_lblHeading;
    QLabel *m_lblSource;
    QLabel *m_lblInstruction;
    QVBoxLayout *m_statements;
    QList<QWidget *> m_feedback;
    QGridLayout *m_options;
    QButtonGroup *m_group;
};

} // namespace kivola
