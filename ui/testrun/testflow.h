#pragma once

#include "bank/testkind.h"
#include "quiz/quiz.h"

#include <QList>
#include <QObject>
#include <QPointer>

class QWidget;

namespace kivola {

class FrmResult;
class TestSession;

// What comes next in a test: five question windows in turn, then the result sheet owned by the
// main window, each window opened and continued from its signals. Closing a question window any
// other way than by answering abandons the test: nothing is graded or saved. One test at a time.
class TestFlow : public QObject
{
    Q_OBJECT

public:
    TestFlow(TestSession &session, QWidget *mainWindow);

    // Starts an ordinary test, or a practice on the given set of statements, unless a test is
    // running already.
    void startTest();
    void startPractice(TestKind kind, const QList<int> &practiceSet);
    bool isRunning() const { return m_running; }

Q_SIGNALS:
    // The last window of the test has closed.
    void finished();

private:
    void started(Quiz::StartOutcome outcome);
    void showQuestion();
    void questionClosed(int result);
    void showResult();
    void resultPainted();
    void end();

    TestSession &m_session;
    QWidget *m_mainWindow;
    QPointer<FrmResult> m_result;
    bool m_running = false;
};

} // namespace kivola
