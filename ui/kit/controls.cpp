#include "ui/kit/controls.h"

#include "ui/kit/captionedframe.h"
#include "ui/kit/colouredbutton.h"
#include "ui/kit/gothicfont.h"

#include <QApplication>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>
#include <cmath>

namespace kivola::kit {

namespace {

void setColor(QWidget *widget, QPalette::ColorRole role, const QColor &color)
{
    QPalette palette = widget->palette();
    palette.setColor(role, color);
    widget->setPalette(palette);
}

template <typename Widget> Widget *placed(Widget *widget, const QString &name, Twips where)
{
    widget->setObjectName(name);
    widget->setGeometry(where.toPixels());
    return widget;
}

bool isGraphical(const QWidget *widget)
{
    return qobject_cast<const Label *>(widget) || qobject_cast<const ShapeWidget *>(widget)
        || qobject_cast<const LineWidget *>(widget);
}

// Relative luminance as WCAG 2 defines it: the sRGB channels in linear light, weighted.
double relativeLuminance(const QColor &colour)
{
    const auto linear = [](double channel) {
        return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
    };
    const QColor rgb = colour.toRgb();
    return 0.2126 * linear(rgb.redF()) + 0.7152 * linear(rgb.greenF())
        + 0.0722 * linear(rgb.blueF());
}

// Below this luminance white text stands out more than black: a dark scheme's background.
constexpr double DarkLuminance = 0.18;
constexpr double LightnessStep = 0.02;

} // namespace

QColor windowTextColor()
{
    return QApplication::palette().color(QPalette::WindowText);
}

QColor menuColor()
{
    return QApplication::palette().color(QPalette::Window);
}

double contrastRatio(const QColor &a, const QColor &b)
{
    constexpr double Flare = 0.05;
    const double la = relativeLuminance(a);
    const double lb = relativeLuminance(b);
    return (std::max(la, lb) + Flare) / (std::min(la, lb) + Flare);
}

QColor readableOnWindow(const QColor &designed)
{
    const QColor background = menuColor();
    if (relativeLuminance(background) >= DarkLuminance)
        return designed;
    const QColor hsl = designed.toHsl();
    QColor lighter = designed;
    double lightness = hsl.lightnessF();
    while (contrastRatio(lighter, background) < ReadableContrast && lightness < 1.0) {
        lightness = std::min(1.0, lightness + LightnessStep);
        lighter = QColor::fromHslF(hsl.hslHueF(), hsl.hslSaturationF(), lightness).toRgb();
    }
    return lighter;
}

QString indexedName(const char *name, int index)
{
    return QString::fromLatin1(name) + QString::number(index);
}

Label *addLabel(QWidget *parent, const QString &name, const QString &text, Twips where,
    const QFont &font, const QColor &color, Sizing sizing, Qt::Alignment horizontal)
{
    auto *label = placed(new Label(parent, sizing, horizontal), name, where);
    label->setFont(font);
    setColor(label, QPalette::WindowText, color);
    label->setText(text);
    return label;
}

Label *addBoxLabel(QWidget *parent, const QString &name, Twips where, const QColor &background)
{
    auto *label = placed(new Label(parent, Sizing::Fixed, Qt::AlignLeft), name, where);
    label->setAutoFillBackground(true);
    setColor(label, QPalette::Window, background);
    label->setFrameShape(QFrame::Box);
    label->setFrameShadow(QFrame::Plain);
    label->setLineWidth(1);
    setColor(label, QPalette::WindowText, colors::Black);
    return label;
}

QPushButton *addButton(
    QWidget *parent, const QString &name, const QString &text, Twips where, const QFont &font)
{
    auto *button = placed(new QPushButton(text, parent), name, where);
    button->setFont(font);
    return button;
}

QPushButton *addButton(QWidget *parent, const QString &name, const QString &text, Twips where,
    const QFont &font, const QColor &background)
{
    auto *button = placed(new ColouredButton(text, parent), name, where);
    button->setFont(font);
    setColor(button, QPalette::Button, background);
    setColor(button, QPalette::ButtonText, colors::Black);
    return button;
}

QLineEdit *addDisplayBox(QWidget *parent, const QString &name, Twips where, const QFont &font)
{
    auto *box = placed(new QLineEdit(parent), name, where);
    box->setFont(font);
    box->setReadOnly(true);
    box->setAlignment(Qt::AlignCenter);
    QPalette palette = box->palette();
    palette.setColor(QPalette::Base, colors::Black);
    palette.setColor(QPalette::Text, colors::Lime);
    box->setPalette(palette);
    return box;
}

QGroupBox *addFrame(QWidget *parent, const QString &name, const QString &caption, Twips where,
    const QColor &background, const QColor &captionColor)
{
    auto *frame = placed(new CaptionedFrame(caption, parent), name, where);
    frame->setFont(defaultWindowFont());
    frame->setAutoFillBackground(true);
    QPalette palette = frame->palette();
    palette.setColor(QPalette::Window, background);
    palette.setColor(QPalette::WindowText, captionColor);
    frame->setPalette(palette);
    return frame;
}

ShapeWidget *addShape(QWidget *parent, const QString &name, Twips where, const ShapeStyle &style)
{
    return placed(new ShapeWidget(parent, style), name, where);
}

void addShadowedTitle(
    QWidget *parent, const QString &name, const QString &text, Twips where, const QFont &font)
{
    addLabel(parent, name + QLatin1Char('a'), text, where, font, colors::Black, Sizing::Fit);
    where.left += ShadowOffsetX;
    where.top += ShadowOffsetY;
    addLabel(parent, name + QLatin1Char('b'), text, where, font, colors::Shadow, Sizing::Fit);
}

ShapeWidget *addTitlePanel(QWidget *parent, const QString &name, Twips where)
{
    return addShape(parent, name, where,
        {ShapeStyle::Outline::RoundedRectangle, colors::PanelFill, colors::PanelBorder,
            PanelBorderWidth});
}

LineWidget *addLine(QWidget *parent, const QString &name, QPoint fromTwips, QPoint toTwips,
    const QColor &color, int widthPixels)
{
    auto *line = new LineWidget(parent, pointPx(fromTwips.x(), fromTwips.y()),
        pointPx(toTwips.x(), toTwips.y()), color, widthPixels);
    line->setObjectName(name);
    return line;
}

void stackInListedOrder(QWidget *container)
{
    const QList<QWidget *> children
        = container->findChildren<QWidget *>(Qt::FindDirectChildrenOnly);
    for (auto it = children.crbegin(); it != children.crend(); ++it) {
        if (isGraphical(*it))
            (*it)->raise();
    }
    for (auto it = children.crbegin(); it != children.crend(); ++it) {
        if (!isGraphical(*it))
            (*it)->raise();
    }
}

} // namespace kivola::kit
