#include "ui/kit/clockstatusbar.h"

#include <QDateTime>
#include <QLabel>
#include <QLocale>

namespace kivola::kit {

namespace {

constexpr int MillisecondsPerMinute = 60 * 1000;

QLabel *addPanel(QStatusBar *bar, const QString &name)
{
    auto *panel = new QLabel(bar);
    panel->setObjectName(name);
    panel->setFrameShape(QFrame::Panel);
    panel->setFrameShadow(QFrame::Sunken);
    panel->setIndent(2);
    bar->addPermanentWidget(panel, 1);
    return panel;
}

} // namespace

ClockStatusBar::ClockStatusBar(QWidget *parent)
    : QStatusBar(parent)
    , m_date(addPanel(this, QStringLiteral("sbDate")))
    , m_time(addPanel(this, QStringLiteral("sbTime")))
{
    setSizeGripEnabled(false);
    m_tick.setSingleShot(true);
    m_tick.setTimerType(Qt::CoarseTimer);
    connect(&m_tick, &QTimer::timeout, this, &ClockStatusBar::refresh);
    refresh();
}

void ClockStatusBar::refresh()
{
    const QDateTime now = QDateTime::currentDateTime();
    const QLocale locale;
    m_date->setText(locale.toString(now.date(), QLocale::ShortFormat));
    m_time->setText(now.time().toString(QStringLiteral("HH:mm")));
    const int intoMinute = now.time().second() * 1000 + now.time().msec();
    m_tick.start(MillisecondsPerMinute - intoMinute);
}

} // namespace kivola::kit
