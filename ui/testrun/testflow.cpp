#include "ui/testrun/testflow.h"

#include "session/testsession.h"
#include "ui/kit/firstpaintwatch.h"
#include "ui/kit/modalwindow.h"
#include "ui/testrun/frmquestion.h"
#include "ui/testrun/frmresult.h"
#include "ui/testrun/recordmessages.h"

#include <QMessageBox>

namespace kivola {

TestFlow::TestFlow(TestSession &session, QWidget *mainWindow)
    : QObject(mainWindow)
    , m_session(session)
    , m_mainWindow(mainWindow)
{ }

void TestFlow::startTest()
{
    if (m_running)
        return;
    m_running = true;
    started(m_session.begin());
}

void TestFlow::startPractice(TestKind kind, const QList<int> &practiceSet)
{
    if (m_running)
        return;
    m_running = true;
    started(m_session.beginPractice(kind, practiceSet));
}

void TestFlow::started(Quiz::StartOutcome outcome)
{
    if (outcome == Quiz::StartOutcome::BankUnusable) {
        QMessageBox *box = reportUnusableBank(m_session.quiz().lastBuild(), m_mainWindow);
        connect(box, &QDialog::finished, this, &TestFlow::end);
        return;
    }
    showQuestion();
}

void TestFlow::showQuestion()
{
    auto *question = new FrmQuestion(m_session);
    connect(question, &QDialog::finished, this, &TestFlow::questionClosed);
    kit::showModal(question);
}

void TestFlow::questionClosed(int result)
{
    if (result != QDialog::Accepted) {
        end();
        return;
    }
    if (m_session.quiz().isAnswering())
        showQuestion();
    else
        showResult();
}

void TestFlow::showResult()
{
    auto *result = new FrmResult(m_session.quiz(), m_session.store(), m_mainWindow);
    m_result = result;
    result->showResult(m_session.quiz().graded(), m_session.resultTitle());
    connect(result, &QDialog::finished, this, &TestFlow::end);
    kit::showModal(result);
    // The settings file was written before the sheet showed; the learning record's syncs wait
    // until the student sees the score.
    kit::FirstPaintWatch::after(result, [this] { resultPainted(); });
}

void TestFlow::resultPainted()
{
    m_session.recordPendingStudy();
    if (m_result && m_result->isVisible())
        reportUnsavedTest(m_session, m_result);
}

void TestFlow::end()
{
    m_session.recordPendingStudy();
    m_result = nullptr;
    m_running = false;
    Q_EMIT finished();
}

} // namespace kivola
