#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringConverter>

#include <optional>

namespace kivola {

// A reader and writer for INI ("profile") files with the semantics of the Windows profile-string
// functions, so that files written by earlier versions or edited by hand read the same: names
// match case-insensitively, values are trimmed and lose one outer pair of quotes, the first
// duplicate section or key wins, comments start with ';'. Writing changes only the one line
// concerned and keeps every other byte, line ends included.
class ProfileFile
{
public:
    // Anything larger is not a settings file of ours; it reads as defaults and is never rewritten.
    static constexpr qint64 MaxFileSize = 64 * 1024 * 1024;

    struct KeyValue
    {
        QByteArray key;
        QByteArray value;
    };

    explicit ProfileFile(QString path);

    const QString &path() const { return m_path; }

    // The value of a key, as a buffer of bufferSize bytes would receive it (at most
    // bufferSize - 1 bytes), or defaultValue when the file, section or key is missing or the
    // file cannot be read. The file is read afresh on every call.
    QByteArray readString(QByteArrayView section, QByteArrayView key, QByteArrayView defaultValue,
        int bufferSize) const;

    // Sets a key, creating the file, section or key as needed. The new content replaces the old
    // file in one atomic rename, so a failure at any point leaves the old file whole. Returns
    // false when the file could not be read or written. A symbolic link stays a link: the file
    // it points to is replaced.
    bool writeString(QByteArrayView section, QByteArrayView key, QByteArrayView value) const;
    // Sets several keys in order, as the same number of writeString calls would, but in one
    // rename: a reader or a crash sees all of them changed or none.
    bool writeStrings(QByteArrayView section, const QList<KeyValue> &values) const;

    // The same operations on file content, without touching the disk.
    static std::optional<QByteArray> lookup(
        const QByteArray &content, QByteArrayView section, QByteArrayView key);
    static QByteArray withValue(const QByteArray &content, QByteArrayView section,
        QByteArrayView key, QByteArrayView value);

private:
    enum class ReadStatus
    {
        Read,
        Missing,
        Unreadable
    };
    // Files that start with a UTF-16 byte-order mark are read as UTF-8 and written back in
    // their own encoding, as the Windows profile functions keep a Unicode file Unicode.
    enum class Encoding
    {
        Bytes,
        Utf16LittleEndian,
        Utf16BigEndian
    };
    static QStringConverter::Encoding converterFor(Encoding encoding);
    ReadStatus readContent(QByteArray &content, Encoding &encoding) const;

    QString m_path;
};

} // namespace kivola
