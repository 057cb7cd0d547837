#pragma once

#include "memory/memoryfit.h"

#include <QDateTime>
#include <QObject>
#include <QString>
#include <QTimeZone>

#include <functional>
#include <memory>

namespace kivola {

// Fits the memory model to the student's own answers without keeping anyone waiting: the history
// is read on the calling (main) thread, the fit runs on a worker thread that touches neither the
// record nor any window, and the result comes back to this object's thread through a queued
// call, where it is kept in the record (SaveMemoryParameters) and then announced. Where the build
// has no threads (KIVOLA_NO_THREADS, the browser port), the fit runs from the event loop instead,
// once control returns to it. With too few answers the fit keeps the defaults, and that is kept
// too, so that the next automatic fit waits for the next study day.
class MemoryFitter : public QObject
{
    Q_OBJECT

public:
    using Clock = std::function<QDateTime()>;

    // minimumScoredAnswers other than the default is for tests on short histories.
    MemoryFitter(QString recordPath, QTimeZone zone, Clock clock, QObject *parent = nullptr,
        int minimumScoredAnswers = MinimumScoredAnswersForFit);
    // Waits for a fit under way to end; its result is dropped.
    ~MemoryFitter() override;

    // Starts a fit on the history as it stands now, as when the student asks for one. False when
    // a fit is already under way or the record cannot be read.
    bool fitNow();
    // Starts a fit when none has run on this study day; false when none was started.
    bool fitIfDue();
    bool isRunning() const { return m_running; }

Q_SIGNALS:
    // On this object's thread, after the result has been kept; stored is false when the record
    // could not take it.
    void finished(const kivola::MemoryFit &fit, bool stored);

private:
    void deliver(const MemoryFit &fit);

    struct Worker;

    QString m_recordPath;
    QTimeZone m_zone;
    Clock m_clock;
    int m_minimumScoredAnswers;
    bool m_running = false;
    std::unique_ptr<Worker> m_worker;
};

} // namespace kivola
