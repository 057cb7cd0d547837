#include "ui/startuptrace.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QTimer>
#include <QWidget>

#include <chrono>
#include <cstdio>

namespace kivola {

namespace {

constexpr const char *Variable = "KIVOLA_TRACE_STARTUP";

void print(const char *kind, const QString &name)
{
    // The steady clock is CLOCK_MONOTONIC on Linux, the clock a measuring script reads too.
    const auto now = std::chrono::duration_cast<std::chrono::nanoseconds>(
        std::chrono::steady_clock::now().time_since_epoch())
                         .count();
    std::fprintf(
        stderr, "kivola-trace %lld %s %s\n", static_cast<long long>(now), kind, qPrintable(name));
    std::fflush(stderr);
}

bool pressesButton(QObject *watched, QEvent *event)
{
    if (!qobject_cast<QAbstractButton *>(watched))
        return false;
    if (event->type() == QEvent::MouseButtonPress)
        return true;
    if (event->type() != QEvent::KeyPress)
        return false;
    const int key = static_cast<QKeyEvent *>(event)->key();
    return key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space;
}

} // namespace

StartupTrace::Mode StartupTrace::requestedMode()
{
    if (!qEnvironmentVariableIsSet(Variable))
        return Mode::Off;
    return qEnvironmentVariable(Variable) == QLatin1String("quit") ? Mode::QuitAfterFirstPaint
                                                                   : Mode::Trace;
}

void StartupTrace::markStart()
{
    print("start", QStringLiteral("kivola"));
}

void StartupTrace::install(Mode mode)
{
    if (mode == Mode::Off)
        return;
    qApp->installEventFilter(new StartupTrace(mode));
}

StartupTrace::StartupTrace(Mode mode)
    : QObject(qApp)
    , m_mode(mode)
{ }

bool StartupTrace::eventFilter(QObject *watched, QEvent *event)
{
    if (pressesButton(watched, event)) {
        print("input", watched->objectName());
        return false;
    }
    if (!watched->isWidgetType())
        return false;
    const auto *widget = static_cast<QWidget *>(watched);
    if (event->type() == QEvent::Show && widget->isWindow()) {
        m_awaitingPaint.insert(widget);
    } else if (event->type() == QEvent::Paint && m_awaitingPaint.remove(widget)) {
        print("paint", widget->objectName());
        if (m_mode == Mode::QuitAfterFirstPaint)
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
    } else if (event->type() == QEvent::Destroy) {
        m_awaitingPaint.remove(widget);
    }
    return false;
}

} // namespace kivola
