#pragma once

#include <QFont>

namespace kivola::kit {

// The one face of every window. Where it is not installed, substitutions registered at start-up
// map it to the metric-compatible Japanese Gothic faces of the system.
inline constexpr const char *GothicFamily = "ＭＳ Ｐゴシック";

enum class Weight
{
    Regular,
    Bold
};
enum class Slant
{
    Upright,
    Italic
};

// Registers the fallbacks for the face; call before the first widget exists.
void registerGothicSubstitutions();

// The face at a point size of the layouts (9.75, 12, 14.25 ... 48 pt). Sizes are set in pixels,
// as at 96 dpi, so that text fits its twips layout whatever dpi the display reports.
QFont gothic(qreal points, Weight weight = Weight::Regular, Slant slant = Slant::Upright);

// The windows' default font, used where a layout names none (frame captions, the version
// window's button).
QFont defaultWindowFont();

int pixelSizeForPoints(qreal points);

} // namespace kivola::kit
