#pragma once

#include "ui/kit/modalwindow.h"

class QLineEdit;
class QPushButton;

namespace kivola {

namespace kit {
class Label;
}
class Quiz;
struct QuestionRecord;

// One question of the graded test again: correct answer, source, question and explanation.
class FrmReview : public kit::ModalWindow
{
    Q_OBJECT

public:
    explicit FrmReview(QWidget *owner);

    // Fills the window for result row `row` (question row + 1 of the test).
    void showQuestion(const Quiz &quiz, int row);
    // Fills the window for a statement looked up outside a test, under the given heading, with
    // the closing button named after the window it leads back to.
    void showStatement(
        const QuestionRecord &record, const QString &heading, const QString &backText);

private:
    void fill(const QuestionRecord &record, const QString &heading);

    QPushButton *m_btnOK;
    QLineEdit *m_txtAnswer;
    kit::Label *m_lblQuestion;
    kit::Label *m_lblComment;
    kit::Label *m_lblCite;
    kit::Label *m_title2a;
    kit::Label *m_title2b;
};

// Opens the review of result row `row` (0..4) over the result window.
void OpenReview(const Quiz &quiz, int row, QWidget *resultWindow);

} // namespace kivola
