#include "ui/kit/shapewidget.h"

#include <QPainter>

#include <algorithm>

namespace kivola::kit {

namespace {

// Corners of rounded panels: a sixth of the shorter side, as the panels were drawn originally.
constexpr int CornerDivisor = 6;

} // namespace

ShapeWidget::ShapeWidget(QWidget *parent, const ShapeStyle &style)
    : QWidget(parent)
    , m_style(style)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void ShapeWidget::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal inset = m_style.border ? m_style.borderWidth / 2.0 : 0.0;
    const QRectF area = QRectF(rect()).adjusted(inset, inset, -inset, -inset);
    if (m_style.border)
        painter.setPen(QPen(*m_style.border, m_style.borderWidth));
    else
        painter.setPen(Qt::NoPen);
    painter.setBrush(m_style.fill);
    if (m_style.outline == ShapeStyle::Outline::RoundedRectangle) {
        const qreal radius = std::min(width(), height()) / qreal(CornerDivisor);
        painter.drawRoundedRect(area, radius, radius);
    } else {
        painter.drawRect(area);
    }
}

LineWidget::LineWidget(QWidget *parent, QPoint from, QPoint to, const QColor &color, int width)
    : QWidget(parent)
    , m_color(color)
    , m_width(width)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    const QRect bounds = QRect(from, to).normalized().adjusted(0, 0, width, width);
    setGeometry(bounds);
    m_from = from - bounds.topLeft();
    m_to = to - bounds.topLeft();
}

void LineWidget::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setPen(QPen(m_color, m_width, Qt::SolidLine, Qt::FlatCap));
    const QPointF half(m_width / 2.0, m_width / 2.0);
    painter.drawLine(QPointF(m_from) + half, QPointF(m_to) + half);
}

} // namespace kivola::kit
