#include "ui/study/pointschart.h"

#include "ui/kit/controls.h"
#include "ui/kit/gothicfont.h"

#include <QPainter>
#include <QPainterPath>

namespace kivola {

namespace {

constexpr qreal TextPoints = 9.75;
constexpr int MaxPoints = 100;
constexpr int GridStep = 20;
constexpr int Margin = 6;
constexpr int MarkRadius = 3;
constexpr int LineWidth = 2;

bool isPractice(const TestPoints &test)
{
    return test.kind != TestKind::Ordinary;
}

QString kindName(const TestPoints &test)
{
    return isPractice(test) ? QStringLiteral("練習") : QStringLiteral("テスト");
}

void drawMark(QPainter &painter, QPointF at, bool practice, qreal radius)
{
    if (practice) {
        painter.setPen(kit::colors::Green);
        painter.setBrush(kit::colors::White);
        const QPointF diamond[] {at + QPointF(0, -radius - 1), at + QPointF(radius + 1, 0),
            at + QPointF(0, radius + 1), at + QPointF(-radius - 1, 0)};
        painter.drawPolygon(diamond, std::size(diamond));
    } else {
        painter.setPen(kit::colors::Blue);
        painter.setBrush(kit::colors::Blue);
        painter.drawEllipse(at, radius, radius);
    }
}

} // namespace

PointsChart::PointsChart(QWidget *parent)
    : QWidget(parent)
{
    setFont(kit::gothic(TextPoints));
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, kit::colors::Cream);
    setPalette(palette);
}

void PointsChart::setTests(const QList<TestPoints> &tests)
{
    m_tests = tests;
    m_average = runningAverage(tests);
    if (tests.isEmpty()) {
        setAccessibleDescription(QString());
    } else {
        QStringList each;
        for (int i = 0; i < tests.size(); ++i) {
            each.append(QStringLiteral("%1回目 %2点（%3）")
                            .arg(i + 1)
                            .arg(tests.at(i).points)
                            .arg(kindName(tests.at(i))));
        }
        setAccessibleDescription(QStringLiteral("%1回の平均 %2点、最新 %3点。")
                                     .arg(tests.size())
                                     .arg(qRound(m_average.last()))
                                     .arg(tests.last().points)
            + each.join(QStringLiteral("、")));
    }
    update();
}

void PointsChart::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QFontMetrics metrics = fontMetrics();
    const int textHeight = metrics.height();
    const QRect legend(Margin, Margin, width() - 2 * Margin, textHeight);
    drawLegend(painter, legend);

    const int axisWidth = metrics.horizontalAdvance(QStringLiteral("100")) + Margin;
    const QRect plot(Margin + axisWidth, legend.bottom() + Margin + textHeight / 2,
        width() - 2 * Margin - axisWidth - MarkRadius,
        height() - legend.bottom() - 2 * Margin - textHeight);
    auto yOf = [&](double points) { return plot.bottom() - plot.height() * points / MaxPoints; };

    for (int points = 0; points <= MaxPoints; points += GridStep) {
        const qreal y = yOf(points);
        painter.setPen(QPen(kit::colors::Shadow, 1));
        painter.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
        painter.setPen(kit::colors::Black);
        painter.drawText(QRectF(Margin, y - textHeight / 2.0, axisWidth - Margin, textHeight),
            Qt::AlignRight | Qt::AlignVCenter, QString::number(points));
    }
    if (m_tests.isEmpty())
        return;

    // Slots are spread over the width, so a short record is not crammed to the left.
    const qsizetype count = m_tests.size();
    auto xOf = [&](qsizetype i) {
        return count == 1 ? plot.center().x()
                          : plot.left() + MarkRadius
                + (plot.width() - 2.0 * MarkRadius) * double(i) / double(count - 1);
    };
    QPainterPath average;
    for (qsizetype i = 0; i < count; ++i) {
        const QPointF at(xOf(i), yOf(m_average.at(i)));
        if (i == 0)
            average.moveTo(at);
        else
            average.lineTo(at);
    }
    painter.setPen(QPen(kit::colors::PanelBorder, LineWidth));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(average);
    for (qsizetype i = 0; i < count; ++i) {
        drawMark(painter, QPointF(xOf(i), yOf(m_tests.at(i).points)), isPractice(m_tests.at(i)),
            MarkRadius);
    }
}

void PointsChart::drawLegend(QPainter &painter, const QRect &area)
{
    const QFontMetrics metrics = fontMetrics();
    const int markWidth = 3 * MarkRadius + Margin;
    int x = area.left();
    const qreal middle = area.center().y() + 0.5;
    auto label = [&](const QString &text) {
        painter.setPen(kit::colors::Black);
        painter.drawText(QRect(x, area.top(), metrics.horizontalAdvance(text) + 1, area.height()),
            Qt::AlignLeft | Qt::AlignVCenter, text);
        x += metrics.horizontalAdvance(text) + 2 * Margin;
    };
    drawMark(painter, QPointF(x + MarkRadius, middle), false, MarkRadius);
    x += markWidth;
    label(QStringLiteral("テスト"));
    drawMark(painter, QPointF(x + MarkRadius, middle), true, MarkRadius);
    x += markWidth;
    label(QStringLiteral("練習"));
    painter.setPen(QPen(kit::colors::PanelBorder, LineWidth));
    painter.drawLine(QPointF(x, middle), QPointF(x + 2 * markWidth, middle));
    x += 2 * markWidth + Margin;
    label(QStringLiteral("平均"));
}

} // namespace kivola
