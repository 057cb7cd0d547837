// Any text, from a paper file or a hand-edited settings file, must read as some number without
// crashing, and the conversions must never hand back a value outside their type.
#include "bank/lenientnumber.h"
#include "scores/scorestore.h"

#include <QByteArray>
#include <QString>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    for (const QString &text : {QString::fromUtf8(bytes), QString::fromLatin1(bytes)}) {
        const double value = kivola::readLenientNumber(text);
        const double rounded = kivola::roundHalfToEven(value);
        if (std::isfinite(rounded)
            && (rounded != std::floor(rounded) || std::fabs(rounded - value) > 0.5))
            std::abort();
        if (const auto small = kivola::toInt16(value); small && double(*small) != rounded)
            std::abort();
        if (const auto counter = kivola::toInt32(value); counter && double(*counter) != rounded)
            std::abort();
    }
    if (kivola::ScoreStore::parseValue(bytes) < 0)
        std::abort();
    return 0;
}
