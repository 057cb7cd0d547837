#pragma once

#include <QStringView>

#include <cstdint>
#include <optional>

namespace kivola {

// Numeric text as the program has always read it, from paper files and the settings file alike:
// blanks, tabs and line feeds anywhere are ignored; an optional sign, digits, a decimal point with
// digits and an exponent (E or D) are read, as are &H (hex) and &O (octal) prefixes; reading stops
// at the first character that cannot continue the number; text with no number reads as 0.
// An exponent beyond the range of double gives an infinite value, which the conversions reject.
double readLenientNumber(QStringView text);

// Rounds to the nearest integer; a value exactly halfway goes to the even neighbour (2.5 -> 2).
double roundHalfToEven(double value);

// The rounded value, or nothing when it is not finite or does not fit the target type, so that
// callers choose a fallback instead of overflowing.
std::optional<std::int16_t> toInt16(double value);
std::optional<std::int32_t> toInt32(double value);

} // namespace kivola
