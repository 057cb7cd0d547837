#include "ui/kit/gothicfont.h"

#include <QHash>
#include <QStringList>

#include <cmath>

namespace kivola::kit {

namespace {

constexpr qreal PointsPerInch = 72;
constexpr qreal DesignDpi = 96;
constexpr qreal DefaultPoints = 9;
constexpr int BoldBit = 1 << 0;
constexpr int ItalicBit = 1 << 1;
constexpr int StyleBits = 2;

} // namespace

void registerGothicSubstitutions()
{
    // IPAPGothic first: its advance widths are those of the original face, kana included, so
    // every text fits the box it was laid out for; VL PGothic sets kana at full width, and the
    // longer comments would wrap out of their one-line box. The others are the usual Japanese
    // proportional Gothic faces of Linux desktops; naming them keeps fontconfig from mixing a
    // Latin face with a fixed-pitch or Chinese fallback.
    const QStringList fallbacks {QStringLiteral("IPAPGothic"), QStringLiteral("VL PGothic"),
        QStringLiteral("TakaoPGothic"), QStringLiteral("Noto Sans CJK JP")};
#ifdef Q_OS_WIN
    // Windows names the face in Japanese only when it runs in Japanese; its English name comes
    // first, so that the face the layouts were drawn for wins over every substitute.
    QFont::insertSubstitution(QString::fromUtf8(GothicFamily), QStringLiteral("MS PGothic"));
#endif
    QFont::insertSubstitutions(QString::fromUtf8(GothicFamily), fallbacks);
    QFont::insertSubstitutions(QStringLiteral("MS PGothic"), fallbacks);
}

int pixelSizeForPoints(qreal points)
{
    return int(std::lround(points * DesignDpi / PointsPerInch));
}

QFont gothic(qreal points, Weight weight, Slant slant)
{
    // One font per size and style for the whole run: a copy shares the face the first one found,
    // where a new font would look it up again on first use.
    static QHash<int, QFont> made;
    const int pixels = pixelSizeForPoints(points);
    const int key = (pixels << StyleBits) | (weight == Weight::Bold ? BoldBit : 0)
        | (slant == Slant::Italic ? ItalicBit : 0);
    const auto known = made.constFind(key);
    if (known != made.cend())
        return *known;
    QFont font(QString::fromUtf8(GothicFamily));
    font.setPixelSize(pixels);
    font.setBold(weight == Weight::Bold);
    font.setItalic(slant == Slant::Italic);
    font.setStyleHint(QFont::SansSerif);
    made.insert(key, font);
    return font;
}

QFont defaultWindowFont()
{
    return gothic(DefaultPoints);
}

} // namespace kivola::kit
