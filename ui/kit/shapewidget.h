#pragma once

#include <QColor>
#include <QWidget>

#include <optional>

namespace kivola::kit {

struct ShapeStyle
{
    enum class Outline
    {
        Rectangle,
        RoundedRectangle
    };

    Outline outline = Outline::Rectangle;
    QColor fill;
    // No border when unset; the border is drawn inside the outline.
    std::optional<QColor> border;
    int borderWidth = 1;
};

// A filled rectangle or rounded rectangle behind other controls.
class ShapeWidget : public QWidget
{
    Q_OBJECT

public:
    ShapeWidget(QWidget *parent, const ShapeStyle &style);

    const ShapeStyle &style() const { return m_style; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    ShapeStyle m_style;
};

// A straight line between two points, for separators.
class LineWidget : public QWidget
{
    Q_OBJECT

public:
    LineWidget(QWidget *parent, QPoint from, QPoint to, const QColor &color, int width);

    QColor color() const { return m_color; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QPoint m_from;
    QPoint m_to;
    QColor m_color;
    int m_width;
};

} // namespace kivola::kit
