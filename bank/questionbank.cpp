#include "bank/questionbank.h"

#include "bank/paperparser.h"

#include <QFile>
#include <QHash>
#include <QResource>
#include <QtGlobal>

#include <cstring>

namespace kivola {

QuestionBank::QuestionBank()
{
    m_entries.reserve(QuestionCount + 1);
    m_entries.append(headerRecord());
}

QuestionRecord QuestionBank::headerRecord()
{
    return {QStringLiteral("問題文"), QStringLiteral("正解"), QStringLiteral("解説"),
        QStringLiteral("年度"), QStringLiteral("本追試"), QStringLiteral("問題番号"),
        QStringLiteral("小番号")};
}

void QuestionBank::append(QuestionRecord record)
{
    m_entries.append(std::move(record));
}

const QuestionRecord &QuestionBank::record(int id) const
{
    if (!contains(id))
        qFatal("question id %d is outside the bank (0..%d)", id, questionCount());
    return m_entries.at(id);
}

namespace {

ParsedPaper parseCompiled(
    const Paper &paper, const QResource &resource, PaperParser::SeenTexts &seenTexts)
{
    const uchar *data = resource.data();
    const qint64 bytes = resource.size();
    const bool aligned = reinterpret_cast<quintptr>(data) % alignof(char16_t) == 0;
    if (bytes % qint64(sizeof(char16_t)) != 0 || !aligned) {
        // Never expected from the build, but read safely by copying.
        QString copy(bytes / qint64(sizeof(char16_t)), Qt::Uninitialized);
        std::memcpy(copy.data(), data, size_t(copy.size()) * sizeof(char16_t));
        return PaperParser::parseText(paper, copy, PaperParser::Storage::Copied, seenTexts);
    }
    const QStringView text(
        reinterpret_cast<const char16_t *>(data), bytes / qint64(sizeof(char16_t)));
    if (!text.startsWith(QChar::ByteOrderMark)) {
        ParsedPaper wrongOrder;
        wrongOrder.errors.append({QString::fromUtf8(paper.fileName), 0, QString(),
            QStringLiteral("compiled for a machine of another byte order")});
        return wrongOrder;
    }
    // Compiled-in data lives as long as the program, so records may point into it.
    return PaperParser::parseText(paper, text.sliced(1), PaperParser::Storage::Borrowed, seenTexts);
}

} // namespace

QString BankLoader::compiledName(const Paper &paper)
{
    return QString::fromUtf8(paper.fileName) + QStringLiteral(".utf16");
}

QByteArray BankLoader::compile(const QByteArray &utf8)
{
    const QString text = QChar(QChar::ByteOrderMark) + QString::fromUtf8(utf8);
    return QByteArray(
        reinterpret_cast<const char *>(text.utf16()), text.size() * qsizetype(sizeof(char16_t)));
}

BankLoader::BankLoader(QString directory, std::span<const Paper> papers)
    : m_directory(std::move(directory))
    , m_papers(papers)
{ }

BankBuild BankLoader::build() const
{
    BankBuild result;
    PaperParser::SeenTexts seenTexts;
    seenTexts.reserve(QuestionBank::QuestionCount);
    for (const Paper &paper : m_papers) {
        const QString name = QString::fromUtf8(paper.fileName);
        const QResource compiled(m_directory + QLatin1Char('/') + compiledName(paper));
        ParsedPaper parsed;
        if (compiled.isValid() && compiled.compressionAlgorithm() == QResource::NoCompression) {
            parsed = parseCompiled(paper, compiled, seenTexts);
        } else {
            QFile file(m_directory + QLatin1Char('/') + name);
            if (!file.open(QIODevice::ReadOnly)) {
                result.missingPapers.append(name);
                continue;
            }
            const QByteArray content = file.readAll();
            if (QByteArrayView(content).isValidUtf8())
                parsed = PaperParser::parseText(
                    paper, QString::fromUtf8(content), PaperParser::Storage::Copied, seenTexts);
            else
                parsed = PaperParser::parse(paper, content);
        }
        result.errors.append(parsed.errors);
        for (QuestionRecord &record : parsed.records)
            result.bank.append(std::move(record));
    }
    return result;
}

} // namespace kivola
