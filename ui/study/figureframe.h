#pragma once

#include "ui/kit/barchart.h"
#include "ui/kit/controls.h"
#include "ui/kit/twips.h"

#include <QGroupBox>

namespace kivola {

// The framed figures of the study-record window: a caption on the menu colour, the content
// below it with a margin all round.
namespace figureframe {

inline constexpr int Inset = 120;
inline constexpr int CaptionHeight = 240;
// Shares drawn as bars in thousandths, so that a bar moves with every tenth of a percent.
inline constexpr int ShareWhole = 1000;
inline constexpr int Percent = 100;

// The room inside a frame below its caption, less a strip at the bottom.
inline kit::Twips inside(const kit::Twips &frame, int bottomReserve = 0)
{
    return {Inset, CaptionHeight, frame.width - 2 * Inset,
        frame.height - CaptionHeight - Inset - bottomReserve};
}

inline QGroupBox *addFigureFrame(
    QWidget *parent, const QString &name, const QString &caption, const kit::Twips &where)
{
    return kit::addFrame(parent, name, caption, where, kit::menuColor(), kit::windowTextColor());
}

template <typename Chart>
Chart *addChart(QWidget *frame, const QString &name, const kit::Twips &where)
{
    auto *chart = new Chart(frame);
    chart->setObjectName(name);
    chart->setGeometry(where.toPixels());
    return chart;
}

// A share between 0 and 1 as a bar, its figure in whole percent.
inline kit::BarChart::Bar shareBar(const QString &label, double share)
{
    return {label, qRound(share * ShareWhole), ShareWhole,
        QStringLiteral("%1％").arg(qRound(share * Percent))};
}

} // namespace figureframe

} // namespace kivola
