#pragma once

#include <QStatusBar>
#include <QTimer>

class QLabel;

namespace kivola::kit {

// A status bar with a date panel (the system's short date) and a time panel (hours and
// minutes) that keep themselves current. It wakes once a minute, on the minute.
class ClockStatusBar : public QStatusBar
{
    Q_OBJECT

public:
    explicit ClockStatusBar(QWidget *parent);

    QLabel *datePanel() const { return m_date; }
    QLabel *timePanel() const { return m_time; }

private:
    void refresh();

    QLabel *m_date;
    QLabel *m_time;
    QTimer m_tick;
};

} // namespace kivola::kit
