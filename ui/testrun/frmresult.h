#pragma once

#include "quiz/gradedtest.h"
#include "ui/kit/modalwindow.h"

#include <array>

class QLineEdit;

namespace kivola {

namespace kit {
class Label;
}
class Quiz;
class ScoreStore;

// The result sheet of a graded test: attempt title, score, comment and one row per question,
// each with a button that opens the review of that question.
class FrmResult : public kit::ModalWindow
{
    Q_OBJECT

public:
    FrmResult(const Quiz &quiz, ScoreStore &store, QWidget *owner);

    // Shows a graded test under the given heading ("第4回 採点結果").
    void showResult(const GradedTest &graded, const QString &title);

private:
    void showScores();

    const Quiz &m_quiz;
    ScoreStore &m_store;
    std::array<kit::Label *, QuestionsPerTest> m_lblScore {};
    std::array<kit::Label *, QuestionsPerTest> m_lblYours {};
    std::array<kit::Label *, QuestionsPerTest> m_lblRight {};
    QLineEdit *m_txtScore;
    kit::Label *m_lblComment;
    kit::Label *m_title2a;
    kit::Label *m_title2b;
};

} // namespace kivola
