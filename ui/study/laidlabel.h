#pragma once

#include <QColor>
#include <QFont>
#include <QString>

class QLabel;
class QWidget;

namespace kivola {

// A label for windows laid out by Qt's layouts: plain text in the colour given, wrapped to the
// width the layout gives it, as tall as its lines.
QLabel *addLaidLabel(QWidget *parent, const QString &name, const QString &text, const QFont &font,
    const QColor &colour);

} // namespace kivola
