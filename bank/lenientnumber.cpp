#include "bank/lenientnumber.h"

#include <QLocale>
#include <QString>

#include <cmath>
#include <limits>

namespace kivola {

namespace {

bool isIgnorable(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\n';
}

bool isDigitIn(QChar c, int radix)
{
    const char16_t u = c.unicode();
    if (radix == 8)
        return u >= u'0' && u <= u'7';
    if (u >= u'0' && u <= u'9')
        return true;
    return radix == 16 && ((u >= u'a' && u <= u'f') || (u >= u'A' && u <= u'F'));
}

// Reads a &H or &O number from the compacted text (no blanks); the value is the plain magnitude
// of its digits, so "&HFFFFFFFF" is 4294967295, which a 32-bit counter rejects as too large.
double readRadixNumber(const QString &digits, int radix)
{
    double value = 0;
    for (QChar c : digits) {
        if (!isDigitIn(c, radix))
            break;
        value = value * radix + QStringView(&c, 1).toInt(nullptr, radix);
    }
    return value;
}

} // namespace

double readLenientNumber(QStringView text)
{
    QString compact;
    compact.reserve(text.size());
    for (QChar c : text) {
        if (!isIgnorable(c))
            compact.append(c);
    }

    if (compact.size() >= 2 && compact.at(0) == u'&') {
        const QChar prefix = compact.at(1).toUpper();
        if (prefix == u'H')
            return readRadixNumber(compact.mid(2), 16);
        if (prefix == u'O')
            return readRadixNumber(compact.mid(2), 8);
        return 0;
    }

    // The longest prefix of the form [sign] digits [. digits] [(E|D) [sign] digits].
    qsizetype pos = 0;
    const qsizetype size = compact.size();
    QString number;
    if (pos < size && (compact.at(pos) == u'+' || compact.at(pos) == u'-'))
        number.append(compact.at(pos++));
    qsizetype mantissaDigits = 0;
    while (pos < size && isDigitIn(compact.at(pos), 10)) {
        number.append(compact.at(pos++));
        ++mantissaDigits;
    }
    if (pos < size && compact.at(pos) == u'.') {
        number.append(compact.at(pos++));
        while (pos < size && isDigitIn(compact.at(pos), 10)) {
            number.append(compact.at(pos++));
            ++mantissaDigits;
        }
    }
    if (mantissaDigits == 0)
        return 0;
    if (pos < size && (compact.at(pos).toUpper() == u'E' || compact.at(pos).toUpper() == u'D')) {
        qsizetype expPos = pos + 1;
        QString exponent = QStringLiteral("e");
        if (expPos < size && (compact.at(expPos) == u'+' || compact.at(expPos) == u'-'))
            exponent.append(compact.at(expPos++));
        const qsizetype firstExpDigit = expPos;
        while (expPos < size && isDigitIn(compact.at(expPos), 10))
            exponent.append(compact.at(expPos++));
        if (expPos > firstExpDigit)
            number.append(exponent);
    }
    if (number.endsWith(u'.'))
        number.chop(1);

    bool ok = false;
    const double value = QLocale::c().toDouble(number, &ok);
    if (ok)
        return value;
    // The syntax was checked above, so a failed conversion is an out-of-range exponent.
    const bool negative = number.startsWith(u'-');
    const bool tiny = number.contains(QLatin1String("e-"));
    if (tiny)
        return negative ? -0.0 : 0.0;
    return negative ? -std::numeric_limits<double>::infinity()
                    : std::numeric_limits<double>::infinity();
}

double roundHalfToEven(double value)
{
    if (!std::isfinite(value))
        return value;
    const double floor = std::floor(value);
    const double fraction = value - floor;
    if (fraction < 0.5)
        return floor;
    if (fraction > 0.5)
        return floor + 1;
    return std::fmod(floor, 2.0) == 0 ? floor : floor + 1;
}

namespace {

template <typename Int> std::optional<Int> toInteger(double value)
{
    const double rounded = roundHalfToEven(value);
    if (!std::isfinite(rounded))
        return std::nullopt;
    if (rounded < double(std::numeric_limits<Int>::min())
        || rounded > double(std::numeric_limits<Int>::max()))
        return std::nullopt;
    return static_cast<Int>(rounded);
}

} // namespace

std::optional<std::int16_t> toInt16(double value)
{
    return toInteger<std::int16_t>(value);
}

std::optional<std::int32_t> toInt32(double value)
{
    return toInteger<std::int32_t>(value);
}

} // namespace kivola
