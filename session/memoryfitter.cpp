#include "session/memoryfitter.h"

#include "memory/studyday.h"
#include "session/reviewchoices.h"
#include "session/reviewhistory.h"
#include "study/studyrecord.h"

#include <QTimer>

#include <vector>

#ifndef KIVOLA_NO_THREADS
#include <thread>
#endif

namespace kivola {

struct MemoryFitter::Worker
{
#ifndef KIVOLA_NO_THREADS
    std::thread thread;

    void join()
    {
        if (thread.joinable())
            thread.join();
    }
#else
    void join() { }
#endif
};

MemoryFitter::MemoryFitter(
    QString recordPath, QTimeZone zone, Clock clock, QObject *parent, int minimumScoredAnswers)
    : QObject(parent)
    , m_recordPath(std::move(recordPath))
    , m_zone(std::move(zone))
    , m_clock(std::move(clock))
    , m_minimumScoredAnswers(minimumScoredAnswers)
    , m_worker(std::make_unique<Worker>())
{ }

MemoryFitter::~MemoryFitter()
{
    // The worker's queued delivery dies with this object; only the thread must be let finish.
    m_worker->join();
}

bool MemoryFitter::fitNow()
{
    if (m_running)
        return false;
    StudyRecord record(m_recordPath);
    const std::optional<QList<StatementEvent>> history = record.statementHistory();
    if (!history)
        return false;
    // The snapshot the worker owns: nothing it reads is shared with this thread.
    std::vector<Review> reviews = ReviewsFromHistory(*history, m_zone);
    const GuessModel model = GuessModel::GuessAware;
    const int minimum = m_minimumScoredAnswers;
    m_running = true;
    m_worker->join();
#ifndef KIVOLA_NO_THREADS
    m_worker->thread = std::thread([this, reviews = std::move(reviews), model, minimum] {
        const MemoryFit fit = FitMemoryModel(reviews, model, minimum);
        QMetaObject::invokeMethod(
            this, [this, fit] { deliver(fit); }, Qt::QueuedConnection);
    });
#else
    QTimer::singleShot(0, this, [this, reviews = std::move(reviews), model, minimum] {
        deliver(FitMemoryModel(reviews, model, minimum));
    });
#endif
    return true;
}

bool MemoryFitter::fitIfDue()
{
    if (m_running)
        return false;
    StudyRecord record(m_recordPath);
    const std::optional<QDate> lastFit = LoadMemoryParameters(record).fitDay;
    const QDate today = QDate::fromJulianDay(StudyDay(m_clock(), m_zone));
    if (lastFit && *lastFit >= today)
        return false;
    return fitNow();
}

void MemoryFitter::deliver(const MemoryFit &fit)
{
    m_worker->join();
    m_running = false;
    StudyRecord record(m_recordPath);
    const QDate today = QDate::fromJulianDay(StudyDay(m_clock(), m_zone));
    const bool stored = SaveMemoryParameters(record, fit.parameters, today);
    Q_EMIT finished(fit, stored);
}

} // namespace kivola
