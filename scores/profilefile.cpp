#include "scores/profilefile.h"

#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>

namespace kivola {

namespace {

constexpr QByteArrayView Utf8Bom("\xEF\xBB\xBF");
constexpr QByteArrayView Utf16LittleEndianBom("\xFF\xFE");
constexpr QByteArrayView Utf16BigEndianBom("\xFE\xFF");
constexpr QByteArrayView DefaultLineEnd("\r\n");

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

QByteArrayView trimmed(QByteArrayView text)
{
    while (!text.isEmpty() && isBlank(text.front()))
        text = text.sliced(1);
    while (!text.isEmpty() && isBlank(text.back()))
        text.chop(1);
    return text;
}

bool sameName(QByteArrayView a, QByteArrayView b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

QByteArrayView unquoted(QByteArrayView value)
{
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'')
        && value.back() == value.front())
        return value.sliced(1, value.size() - 2);
    return value;
}

// One physical line: [begin, end) is its text, [end, next) its line end (LF, CRLF, CR or none).
struct Line
{
    qsizetype begin;
    qsizetype end;
    qsizetype next;
};

enum class LineKind
{
    Other,
    Section,
    Key
};

struct ParsedLine
{
    Line line {};
    LineKind kind = LineKind::Other;
    QByteArrayView name;
    QByteArrayView value;
};

QList<ParsedLine> parseLines(const QByteArray &content)
{
    QList<ParsedLine> lines;
    const QByteArrayView all(content);
    qsizetype pos = all.startsWith(Utf8Bom) ? Utf8Bom.size() : 0;
    while (pos < all.size()) {
        qsizetype end = pos;
        while (end < all.size() && all[end] != '\n' && all[end] != '\r')
            ++end;
        qsizetype next = end;
        if (next < all.size())
            next += (all[next] == '\r' && next + 1 < all.size() && all[next + 1] == '\n') ? 2 : 1;

        ParsedLine parsed;
        parsed.line = {pos, end, next};
        const QByteArrayView text = trimmed(all.sliced(pos, end - pos));
        if (!text.isEmpty() && text.front() == '[') {
            const QByteArrayView inner = text.sliced(1);
            const qsizetype close = inner.indexOf(']');
            parsed.kind = LineKind::Section;
            parsed.name = trimmed(close < 0 ? inner : inner.first(close));
        } else if (!text.isEmpty() && text.front() != ';') {
            const qsizetype equals = text.indexOf('=');
            if (equals >= 0) {
                parsed.kind = LineKind::Key;
                parsed.name = trimmed(text.first(equals));
                parsed.value = trimmed(text.sliced(equals + 1));
            }
        }
        lines.append(parsed);
        pos = next;
    }
    return lines;
}

// Index of the first section of that name and the end of its body (the next section or the
// end of the file); only the first section of a name is ever searched.
struct SectionSpan
{
    qsizetype header = -1;
    qsizetype end = -1;
};

SectionSpan findSection(const QList<ParsedLine> &lines, QByteArrayView section)
{
    SectionSpan span;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (lines[i].kind != LineKind::Section)
            continue;
        if (span.header >= 0) {
            span.end = i;
            return span;
        }
        if (sameName(lines[i].name, section))
            span.header = i;
    }
    if (span.header >= 0)
        span.end = lines.size();
    return span;
}

QByteArrayView lineEndOf(const QByteArray &content, const QList<ParsedLine> &lines)
{
    for (const ParsedLine &parsed : lines) {
        if (parsed.line.next > parsed.line.end)
            return QByteArrayView(content).sliced(
                parsed.line.end, parsed.line.next - parsed.line.end);
    }
    return DefaultLineEnd;
}

} // namespace

QStringConverter::Encoding ProfileFile::converterFor(Encoding encoding)
{
    return encoding == Encoding::Utf16BigEndian ? QStringConverter::Utf16BE
                                                : QStringConverter::Utf16LE;
}

ProfileFile::ProfileFile(QString path)
    : m_path(std::move(path))
{ }

std::optional<QByteArray> ProfileFile::lookup(
    const QByteArray &content, QByteArrayView section, QByteArrayView key)
{
    const QList<ParsedLine> lines = parseLines(content);
    const SectionSpan span = findSection(lines, section);
    for (qsizetype i = span.header + 1; span.header >= 0 && i < span.end; ++i) {
        if (lines[i].kind == LineKind::Key && sameName(lines[i].name, key))
            return unquoted(lines[i].value).toByteArray();
    }
    return std::nullopt;
}

QByteArray ProfileFile::withValue(
    const QByteArray &content, QByteArrayView section, QByteArrayView key, QByteArrayView value)
{
    const QList<ParsedLine> lines = parseLines(content);
    const QByteArrayView lineEnd = lineEndOf(content, lines);
    const SectionSpan span = findSection(lines, section);

    QByteArray result;
    result.reserve(content.size() + key.size() + value.size() + section.size() + 8);
    if (span.header < 0) {
        result = content;
        if (!result.isEmpty() && !result.endsWith('\n') && !result.endsWith('\r'))
            result += lineEnd;
        result += '[' + section.toByteArray() + ']';
        result += lineEnd;
        result += key.toByteArray() + '=' + value.toByteArray();
        result += lineEnd;
        return result;
    }

    qsizetype lastKey = span.header;
    for (qsizetype i = span.header + 1; i < span.end; ++i) {
        if (lines[i].kind != LineKind::Key)
            continue;
        if (sameName(lines[i].name, key)) {
            const Line &line = lines[i].line;
            result = content.first(line.begin);
            result += lines[i].name.toByteArray() + '=' + value.toByteArray();
            result += QByteArrayView(content).sliced(line.end);
            return result;
        }
        lastKey = i;
    }

    const Line &after = lines[lastKey].line;
    result = content.first(after.next);
    if (after.next == after.end)
        result += lineEnd;
    result += key.toByteArray() + '=' + value.toByteArray();
    result += lineEnd;
    result += QByteArrayView(content).sliced(after.next);
    return result;
}

ProfileFile::ReadStatus ProfileFile::readContent(QByteArray &content, Encoding &encoding) const
{
    encoding = Encoding::Bytes;
    const QFileInfo info(m_path);
    if (!info.exists())
        return ReadStatus::Missing;
    if (!info.isFile() || info.size() > MaxFileSize)
        return ReadStatus::Unreadable;
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly))
        return ReadStatus::Unreadable;
    content = file.read(MaxFileSize + 1);
    if (content.size() > MaxFileSize || file.error() != QFileDevice::NoError)
        return ReadStatus::Unreadable;
    if (content.startsWith(Utf16LittleEndianBom) || content.startsWith(Utf16BigEndianBom)) {
        encoding = content.startsWith(Utf16LittleEndianBom) ? Encoding::Utf16LittleEndian
                                                            : Encoding::Utf16BigEndian;
        QStringDecoder decoder(converterFor(encoding), QStringConverter::Flag::Stateless);
        const QString text = decoder(content);
        // Half a character or a broken surrogate pair would not survive being written back.
        if (content.size() % 2 != 0 || decoder.hasError() || !text.isValidUtf16())
            return ReadStatus::Unreadable;
        content = text.toUtf8();
    }
    return ReadStatus::Read;
}

QByteArray ProfileFile::readString(
    QByteArrayView section, QByteArrayView key, QByteArrayView defaultValue, int bufferSize) const
{
    QByteArray content;
    Encoding encoding = Encoding::Bytes;
    std::optional<QByteArray> value;
    if (readContent(content, encoding) == ReadStatus::Read)
        value = lookup(content, section, key);
    QByteArray result = value ? *value : defaultValue.toByteArray();
    const qsizetype room = qMax(bufferSize - 1, 0);
    if (result.size() > room)
        result.truncate(room);
    return result;
}

bool ProfileFile::writeString(
    QByteArrayView section, QByteArrayView key, QByteArrayView value) const
{
    return writeStrings(section, {{key.toByteArray(), value.toByteArray()}});
}

bool ProfileFile::writeStrings(QByteArrayView section, const QList<KeyValue> &values) const
{
    QByteArray content;
    Encoding encoding = Encoding::Bytes;
    // A file we cannot read in full is never replaced: its other content would be lost.
    if (readContent(content, encoding) == ReadStatus::Unreadable)
        return false;
    for (const KeyValue &entry : values)
        content = withValue(content, section, entry.key, entry.value);
    if (encoding != Encoding::Bytes) {
        QStringEncoder encoder(converterFor(encoding), QStringConverter::Flag::WriteBom);
        content = encoder(QString::fromUtf8(content));
    }
    // QSaveFile follows a symbolic link and replaces its target, so the link survives.
    // Unbuffered, because a buffered write that the disk cuts short (disk full) is not reported
    // and the commit would put a truncated file in place of the record.
    QSaveFile file(m_path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return false;
    if (file.write(content) != content.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

} // namespace kivola
