#include "ui/kit/colouredbutton.h"

#include <QPainter>
#include <QStyleOptionButton>

namespace kivola::kit {

namespace {

// Shades of the button's colour, in percent as QColor::lighter() and darker() take them.
constexpr int BevelLight = 125;
constexpr int BevelDark = 170;
constexpr int PressedFill = 112;
constexpr int FocusInset = 4;

} // namespace

ColouredButton::ColouredButton(const QString &text, QWidget *parent)
    : QPushButton(text, parent)
{ }

void ColouredButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QColor colour = palette().color(QPalette::Button);
    const bool pressed = isDown() || isChecked();
    QRect area = rect();
    if (isDefault()) {
        painter.setPen(palette().color(QPalette::ButtonText));
        painter.drawRect(area.adjusted(0, 0, -1, -1));
        area.adjust(1, 1, -1, -1);
    }
    painter.fillRect(area, pressed ? colour.darker(PressedFill) : colour);
    const QColor light = colour.lighter(BevelLight);
    const QColor dark = colour.darker(BevelDark);
    const QRect edge = area.adjusted(0, 0, -1, -1);
    painter.setPen(pressed ? dark : light);
    painter.drawLine(edge.topLeft(), edge.topRight());
    painter.drawLine(edge.topLeft(), edge.bottomLeft());
    painter.setPen(pressed ? light : dark);
    painter.drawLine(edge.bottomLeft(), edge.bottomRight());
    painter.drawLine(edge.topRight(), edge.bottomRight());

    QStyleOptionButton option;
    initStyleOption(&option);
    option.rect = area;
    style()->drawControl(QStyle::CE_PushButtonLabel, &option, &painter, this);

    if (hasFocus()) {
        painter.setPen(QPen(palette().color(QPalette::ButtonText), 1, Qt::DotLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(area.adjusted(FocusInset, FocusInset, -FocusInset - 1, -FocusInset - 1));
    }
}

} // namespace kivola::kit
