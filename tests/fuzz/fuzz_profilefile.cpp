// Whatever a settings file holds, writing a key must keep the rest of the file readable as it
// was and the key must read back as written (trimmed, one pair of outer quotes removed).
#include "scores/profilefile.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

using kivola::ProfileFile;

constexpr std::size_t MaxNameLength = 16;

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

bool hasLineBreak(const QByteArray &text)
{
    return text.contains('\n') || text.contains('\r');
}

QByteArray trimmed(QByteArray text)
{
    while (!text.isEmpty() && isBlank(text.front()))
        text.remove(0, 1);
    while (!text.isEmpty() && isBlank(text.back()))
        text.chop(1);
    return text;
}

QByteArray unquoted(const QByteArray &text)
{
    if (text.size() >= 2 && (text.front() == '"' || text.front() == '\'')
        && text.back() == text.front())
        return text.sliced(1, text.size() - 2);
    return text;
}

// Names a program would write: one line, no surrounding blanks, nothing that makes the line a
// section or comment, no bracket or equals sign that would end the name early.
bool isWritableSection(const QByteArray &name)
{
    return !name.isEmpty() && !hasLineBreak(name) && trimmed(name) == name && !name.contains(']');
}

bool isWritableKey(const QByteArray &name)
{
    return !name.isEmpty() && !hasLineBreak(name) && trimmed(name) == name && !name.contains('=')
        && name.front() != '[' && name.front() != ';';
}

QByteArray takeBytes(FuzzedDataProvider &provider, std::size_t maxLength)
{
    const std::string text = provider.ConsumeRandomLengthString(maxLength);
    return QByteArray(text.data(), qsizetype(text.size()));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    FuzzedDataProvider provider(data, size);
    const QByteArray section = takeBytes(provider, MaxNameLength);
    const QByteArray key = takeBytes(provider, MaxNameLength);
    const QByteArray otherKey = takeBytes(provider, MaxNameLength);
    const QByteArray value = takeBytes(provider, MaxNameLength * 4);
    const std::string rest = provider.ConsumeRemainingBytesAsString();
    const QByteArray content(rest.data(), qsizetype(rest.size()));

    const auto before = ProfileFile::lookup(content, section, otherKey);
    if (!isWritableSection(section) || !isWritableKey(key) || hasLineBreak(value))
        return 0;

    const QByteArray written = ProfileFile::withValue(content, section, key, value);
    if (ProfileFile::lookup(written, section, key) != unquoted(trimmed(value)))
        std::abort();
    if (otherKey.compare(key, Qt::CaseInsensitive) != 0
        && ProfileFile::lookup(written, section, otherKey) != before)
        std::abort();
    // Writing the same value again changes nothing.
    if (ProfileFile::withValue(written, section, key, value) != written)
        std::abort();
    return 0;
}
