#include "ui/kit/barchart.h"

#include "ui/kit/controls.h"
#include "ui/kit/gothicfont.h"

#include <QPainter>

namespace kivola::kit {

namespace {

constexpr qreal FigurePoints = 9.75;
constexpr int Gap = 4;
constexpr int Percent = 100;

} // namespace

BarChart::BarChart(QWidget *parent)
    : QWidget(parent)
{
    setFont(kit::gothic(FigurePoints));
}

QString BarChart::percentText(int part, int whole)
{
    if (whole <= 0)
        return QStringLiteral("—");
    return QStringLiteral("%1％").arg((qint64(part) * Percent + whole / 2) / whole);
}

QString BarChart::shareText(int part, int whole)
{
    if (whole <= 0)
        return percentText(part, whole);
    return QStringLiteral("%1（%2／%3）").arg(percentText(part, whole)).arg(part).arg(whole);
}

void BarChart::setBars(const QList<Bar> &bars)
{
    m_bars = bars;
    QStringList spoken;
    for (const Bar &bar : bars)
        spoken.append(bar.label + QStringLiteral("：") + bar.figure);
    setAccessibleDescription(spoken.join(QStringLiteral("、")));
    update();
}

void BarChart::paintEvent(QPaintEvent *)
{
    if (m_bars.isEmpty())
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    // Labels and figures take the room their longest text needs; the track gets the rest.
    const QFontMetrics metrics = fontMetrics();
    int labelWidth = 0;
    int figureWidth = 0;
    for (const Bar &bar : std::as_const(m_bars)) {
        labelWidth = qMax(labelWidth, metrics.horizontalAdvance(bar.label) + Gap);
        figureWidth = qMax(figureWidth, metrics.horizontalAdvance(bar.figure) + Gap);
    }
    const int rowHeight = height() / int(m_bars.size());
    const int barHeight = qMin(rowHeight - Gap, metrics.height() + Gap);
    const int trackLeft = labelWidth + Gap;
    const int trackWidth = width() - labelWidth - figureWidth - 2 * Gap;
    for (int i = 0; i < m_bars.size(); ++i) {
        const Bar &bar = m_bars.at(i);
        const int top = i * rowHeight + (rowHeight - barHeight) / 2;
        const QRect row(0, top, width(), barHeight);
        painter.setPen(kit::windowTextColor());
        painter.drawText(
            QRect(0, top, labelWidth, barHeight), Qt::AlignLeft | Qt::AlignVCenter, bar.label);
        painter.drawText(QRect(width() - figureWidth, top, figureWidth, barHeight),
            Qt::AlignRight | Qt::AlignVCenter, bar.figure);

        const QRectF track(trackLeft + 0.5, row.top() + 0.5, trackWidth - 1, barHeight - 1);
        painter.setPen(kit::colors::Grey);
        painter.setBrush(kit::colors::Cream);
        painter.drawRect(track);
        if (bar.whole > 0 && bar.part > 0) {
            QRectF filled = track;
            filled.setWidth(track.width() * qMin(1.0, double(bar.part) / bar.whole));
            painter.setPen(kit::colors::PanelBorder);
            painter.setBrush(kit::colors::PanelFill);
            painter.drawRect(filled);
        }
    }
}

} // namespace kivola::kit
