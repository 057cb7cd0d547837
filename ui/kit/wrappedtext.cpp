#include "ui/kit/wrappedtext.h"

#include <QFontInfo>
#include <QFontMetricsF>
#include <QTextLayout>

#include <algorithm>

namespace kivola::kit {

namespace {

constexpr int NormalLetterSpacing = 100;

QStringList breakLines(const QString &text, const QFont &font, qreal width)
{
    QString laidOut = text;
    laidOut.replace(u'\n', QChar::LineSeparator);
    QTextLayout layout(laidOut, font);
    QTextOption option;
    option.setWrapMode(QTextOption::WordWrap);
    layout.setTextOption(option);
    QStringList lines;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        QString part = laidOut.mid(line.textStart(), line.textLength());
        while (!part.isEmpty() && (part.back() == QChar::LineSeparator || part.back().isSpace()))
            part.chop(1);
        lines.append(part);
    }
    layout.endLayout();
    return lines;
}

qreal emOf(const QFont &font)
{
    return font.pixelSize() > 0 ? font.pixelSize() : QFontInfo(font).pixelSize();
}

} // namespace

WrappedText wrapText(const QString &text, const QFont &font, QSize box, Qt::Alignment horizontal)
{
    const qreal em = emOf(font);
    const auto room = std::max<qsizetype>(1, qsizetype(box.height() / em));
    WrappedText wrapped {font, {}};
    QStringList lines = breakLines(text, font, box.width());
    for (int spacing = NormalLetterSpacing - 1;
         lines.size() > room && spacing >= TightestLetterSpacing; --spacing) {
        QFont closer = font;
        closer.setLetterSpacing(QFont::PercentageSpacing, spacing);
        const QStringList closerLines = breakLines(text, closer, box.width());
        if (closerLines.size() <= room) {
            wrapped.font = closer;
            lines = closerLines;
        }
    }
    lines.resize(std::min(room, lines.size()));
    if (lines.isEmpty())
        return wrapped;

    const QFontMetricsF metrics(wrapped.font);
    // The glyphs' own extents, in whole pixels as hinting draws them, where they reach beyond
    // the face's nominal ascent and descent.
    // Each measurement lays the line out again, so only those the placement needs are taken.
    const qreal above = std::max(metrics.ascent(), -metrics.tightBoundingRect(lines.first()).top());
    qreal pitch = em;
    if (lines.size() > 1) {
        const qreal below
            = std::max(metrics.descent(), metrics.tightBoundingRect(lines.last()).bottom());
        pitch = std::min(em, (box.height() - above - below) / qreal(lines.size() - 1));
    }
    const bool flushLeft = !(horizontal & (Qt::AlignHCenter | Qt::AlignRight));
    for (qsizetype i = 0; i < lines.size(); ++i) {
        qreal x = 0;
        if (!flushLeft) {
            const qreal spare = box.width() - metrics.horizontalAdvance(lines.at(i));
            x = horizontal & Qt::AlignHCenter ? spare / 2 : spare;
        }
        wrapped.lines.append({lines.at(i), QPointF(x, above + pitch * qreal(i))});
    }
    return wrapped;
}

} // namespace kivola::kit
