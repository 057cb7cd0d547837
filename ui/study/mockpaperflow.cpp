#include "ui/study/mockpaperflow.h"

#include "quiz/examitem.h"
#include "study/studyrecord.h"
#include "ui/kit/modalwindow.h"
#include "ui/study/frmitemreview.h"
#include "ui/study/frmmockpaper.h"
#include "ui/study/frmmockresult.h"
#include "ui/study/frmmockstart.h"
#include "ui/testrun/recordmessages.h"

#include <QElapsedTimer>
#include <QMessageBox>

namespace kivola {

namespace {

const QString Yes = QStringLiteral("1");
const QString No = QStringLiteral("0");

} // namespace

MockPaperFlow::MockPaperFlow(const QuestionBank &bank, const StudyLayer &layer, StudyRecord &study,
    QWidget *owner, MockPaperSession::SteadyClock steady)
    : QObject(owner)
    , m_bank(bank)
    , m_layer(layer)
    , m_study(study)
    , m_owner(owner)
    , m_steady(std::move(steady))
{
    if (!m_steady) {
        // Shared with the sessions, which may outlive the flow by a moment.
        auto elapsed = std::make_shared<QElapsedTimer>();
        elapsed->start();
        m_steady = [elapsed] { return elapsed->elapsed(); };
    }
}

void MockPaperFlow::start(const QuestionBank &bank, const StudyLayer &layer, StudyRecord &study,
    QWidget *owner, MockPaperSession::SteadyClock steady)
{
    (new MockPaperFlow(bank, layer, study, owner, std::move(steady)))->offer();
}

void MockPaperFlow::offer()
{
    bool readable = true;
    const std::optional<PaperUnderWay> underWay = firstUnderWay(readable);
    if (!readable) {
        reportUnreadableRecord(m_study.path(), m_owner);
        deleteLater();
        return;
    }
    std::array<int, Papers.size()> itemCounts {};
    for (const ExamItem &item : buildExamItems(m_bank)) {
        if (item.paperIndex >= 0 && item.paperIndex < int(Papers.size()))
            ++itemCounts[item.paperIndex];
    }
    const int paper = m_study.value(QLatin1String(PaperKey)).toInt();
    const bool timed = m_study.value(QLatin1String(TimedKey)) != No;
    auto *window = new FrmMockStart(itemCounts, paper, timed, underWay, m_owner);
    connect(window, &FrmMockStart::giveUpConfirmed, this,
        [this, window](qint64 attemptId) { giveUp(window, attemptId); });
    connect(window, &QDialog::finished, this, [this, window](int result) {
        if (result == QDialog::Accepted)
            begin(*window);
        else
            deleteLater();
    });
    kit::showModal(window);
}

std::optional<PaperUnderWay> MockPaperFlow::firstUnderWay(bool &readable)
{
    const std::optional<QList<PaperUnderWay>> papers
        = MockPaperSession::resumablePapers(m_study.path(), &QDateTime::currentDateTime);
    readable = papers.has_value();
    if (!papers || papers->isEmpty())
        return std::nullopt;
    return papers->first();
}

void MockPaperFlow::giveUp(FrmMockStart *window, qint64 attemptId)
{
    std::unique_ptr<MockPaperSession> session = MockPaperSession::resume(
        m_study.path(), m_bank, attemptId, &QDateTime::currentDateTime, m_steady);
    if (!session) {
        tell("paperNotGivenUpMessage",
            QStringLiteral("この試験は、ほかに開いているKivolaが使っているか、記録を読めないため、"
                           "やめられませんでした。"));
        return;
    }
    session->giveUp();
    bool readable = true;
    window->setUnderWay(firstUnderWay(readable));
}

void MockPaperFlow::begin(const FrmMockStart &window)
{
    std::unique_ptr<MockPaperSession> session;
    if (window.choice() == FrmMockStart::Choice::Resume && window.underWay()) {
        session = MockPaperSession::resume(m_study.path(), m_bank, window.underWay()->attemptId,
            &QDateTime::currentDateTime, m_steady);
        if (!session) {
            tell("paperNotResumedMessage",
                QStringLiteral("この試験は、ほかに開いているKivolaが使っているか、記録を読めない"
                               "ため、続けられませんでした。"));
            return;
        }
    } else {
        // Remembering the choice is a convenience: a record that cannot take it still takes
        // the paper, or says so below.
        m_study.setValue(QLatin1String(PaperKey), QString::number(window.paperIndex()));
        m_study.setValue(QLatin1String(TimedKey), window.timed() ? Yes : No);
        session = MockPaperSession::start(m_study.path(), m_bank, window.paperIndex(),
            window.timed() ? MockPaper::Countdown::On : MockPaper::Countdown::Off,
            &QDateTime::currentDateTime, m_steady);
        if (!session) {
            tell("paperNotStartedMessage",
                QStringLiteral("学習記録に書き込めないため、模擬試験を始められません。"));
            return;
        }
    }
    openPaper(std::move(session));
}

void MockPaperFlow::openPaper(std::unique_ptr<MockPaperSession> session)
{
    auto *window = new FrmMockPaper(m_bank, m_layer, std::move(session), m_owner);
    connect(window, &QDialog::finished, this, [this, window](int result) {
        // Closed before its end, the paper stays under way for next time.
        if (result == QDialog::Accepted)
            showResult(*window);
        else
            deleteLater();
    });
    kit::showModal(window);
}

void MockPaperFlow::showResult(const FrmMockPaper &window)
{
    auto *result = new FrmMockResult(window.paper(), window.timeRanOut(), m_owner);
    // Queued: Enter on the result's table goes on to the result window, which would press the
    // new review's default button and close it again at once.
    connect(
        result, &FrmMockResult::reviewRequested, this,
        [this, result, paper = window.paper()](int index) {
            kit::showModal(new FrmItemReview(m_bank, m_layer, paper.item(index),
                paper.chosen(index), QStringLiteral("問%1").arg(index + 1), result));
        },
        Qt::QueuedConnection);
    connect(result, &QDialog::finished, this, &QObject::deleteLater);
    kit::showModal(result);
}

void MockPaperFlow::tell(const char *name, const QString &text)
{
    QMessageBox *box = inform(name, text, m_owner);
    connect(box, &QDialog::finished, this, &QObject::deleteLater);
}

} // namespace kivola
