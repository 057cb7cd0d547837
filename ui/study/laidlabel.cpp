#include "ui/study/laidlabel.h"

#include <QLabel>

namespace kivola {

QLabel *addLaidLabel(QWidget *parent, const QString &name, const QString &text, const QFont &font,
    const QColor &colour)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setFont(font);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
    return label;
}

} // namespace kivola
