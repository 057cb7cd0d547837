#pragma once

#include <QObject>
#include <QSet>

class QWidget;

namespace kivola {

// Opt-in time stamps for measuring what the user waits for. With KIVOLA_TRACE_STARTUP set, the
// program writes to standard error one line per moment of interest,
//     kivola-trace <monotonic nanoseconds> <start|input|paint> <object name>
// for its start, every button the user presses (mouse or key) and the first paint of every
// window after it is shown. With the value "quit" it also ends once the main window has been
// painted, for measuring start-up alone. Without the variable nothing is installed.
class StartupTrace : public QObject
{
public:
    enum class Mode
    {
        Off,
        Trace,
        QuitAfterFirstPaint
    };

    static Mode requestedMode();
    // Prints the start line; call first thing in main.
    static void markStart();
    // Installs the trace on the application when the mode asks for it.
    static void install(Mode mode);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    explicit StartupTrace(Mode mode);

    Mode m_mode;
    QSet<const QWidget *> m_awaitingPaint;
};

} // namespace kivola
