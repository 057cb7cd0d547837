#include "ui/kit/columnchart.h"

#include "ui/kit/controls.h"
#include "ui/kit/gothicfont.h"

#include <QPainter>

namespace kivola::kit {

namespace {

constexpr qreal LabelPoints = 8.25;
constexpr int Gap = 3;
// A column takes this share of its slot; the rest keeps columns apart.
constexpr double ColumnShare = 0.7;

} // namespace

ColumnChart::ColumnChart(QWidget *parent)
    : QWidget(parent)
{
    setFont(kit::gothic(LabelPoints));
}

void ColumnChart::setColumns(const QList<Column> &columns)
{
    m_columns = columns;
    QStringList spoken;
    for (const Column &column : columns)
        spoken.append(column.spoken);
    setAccessibleDescription(spoken.join(QStringLiteral("、")));
    update();
}

void ColumnChart::paintEvent(QPaintEvent *)
{
    if (m_columns.isEmpty())
        return;
    QPainter painter(this);
    const QFontMetrics metrics = fontMetrics();
    const int textHeight = metrics.height();
    int highest = 1;
    for (const Column &column : std::as_const(m_columns))
        highest = qMax(highest, column.value);

    // The count above the tallest column and the labels below the baseline need their lines.
    const int plotTop = textHeight + Gap;
    const int baseline = height() - textHeight - Gap;
    const QRect plot(0, plotTop, width(), baseline - plotTop);
    painter.fillRect(QRect(0, 0, width(), baseline), kit::colors::Cream);
    const double slot = double(width()) / double(m_columns.size());
    for (int i = 0; i < m_columns.size(); ++i) {
        const Column &column = m_columns.at(i);
        const int left = int(slot * i);
        const int right = int(slot * (i + 1));
        const int columnWidth = qMax(1, int(slot * ColumnShare));
        const int columnLeft = left + (right - left - columnWidth) / 2;
        const int columnHeight = int(double(plot.height()) * column.value / highest);
        const QRect bar(columnLeft, baseline - columnHeight, columnWidth, columnHeight);
        if (columnHeight > 0) {
            painter.setPen(kit::colors::PanelBorder);
            painter.setBrush(kit::colors::PanelFill);
            painter.drawRect(bar.adjusted(0, 0, -1, -1));
        }
        // Counts stand on the cream ground, in black whatever the colour scheme; the labels below
        // the baseline stand on the window's own colour.
        painter.setPen(kit::colors::Black);
        painter.drawText(QRect(left, bar.top() - textHeight - Gap, right - left, textHeight),
            Qt::AlignHCenter | Qt::AlignBottom, QString::number(column.value));
        painter.setPen(kit::windowTextColor());
        painter.drawText(QRect(left, baseline + Gap, right - left, textHeight),
            Qt::AlignHCenter | Qt::AlignTop, column.label);
    }
    painter.setPen(kit::colors::Grey);
    painter.drawLine(0, baseline, width() - 1, baseline);
}

} // namespace kivola::kit
