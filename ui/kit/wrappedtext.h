#pragma once

#include <QFont>
#include <QList>
#include <QPointF>
#include <QSize>
#include <QString>

namespace kivola::kit {

// The letter spacing, in percent, a text may be set closer at to stay within the lines its box
// shows. Faces that set kana at full width need about 88 for the longest one-line comments.
inline constexpr int TightestLetterSpacing = 86;

struct WrappedLine
{
    QString text;
    QPointF baseline; // where the line's baseline starts, relative to the box
};

// A text laid out in a box of fixed size.
struct WrappedText
{
    QFont font; // the box's font, possibly with closer letter spacing
    QList<WrappedLine> lines; // the lines the box shows; a longer text loses the rest
};

// Lays out a text as the window layouts intend their wrapping labels: wrapped within the box's
// width, lines one em apart as in the original face (without the extra leading of some faces),
// as many whole lines as the box holds. Where a face reaches further above or below its lines
// than the original did, the lines close up just enough for the first line's tops and the last
// line's descenders to stay inside the box. A text that needs more lines than the box holds is
// set closer, down to TightestLetterSpacing, if that makes it fit.
WrappedText wrapText(const QString &text, const QFont &font, QSize box, Qt::Alignment horizontal);

} // namespace kivola::kit
