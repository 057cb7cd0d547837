#include "bank/paperparser.h"

#include "bank/questionbank.h"

#include <QHash>

#include <array>

namespace kivola {

namespace {

constexpr int FieldCount = 7;

// One row as cut from the text, with the character count of every field: characters outside
// the basic plane take two UTF-16 units but count once.
struct RowFields
{
    std::array<QStringView, FieldCount> fields;
    std::array<int, FieldCount> lowSurrogates {};
    int count = 0;

    int characters(int field) const { return int(fields[field].size()) - lowSurrogates[field]; }
};

bool isNumberInRange(const QString &text, int low, int high)
{
    // Plain ASCII digits only: a full-width digit would print differently in the source line.
    if (text.size() != 1 || text.front() < u'0' || text.front() > u'9')
        return false;
    const int value = text.front().unicode() - u'0';
    return value >= low && value <= high;
}

class RowChecker
{
public:
    RowChecker(const Paper &paper, ParsedPaper &result, PaperParser::Storage storage,
        PaperParser::SeenTexts &seenTexts)
        : m_result(result)
        , m_storage(storage)
        , m_seenTexts(seenTexts)
        , m_file(QString::fromUtf8(paper.fileName))
        , m_captions(QuestionBank::headerRecord())
        , m_year(QString::fromUtf8(paper.year))
        , m_examKind(QString::fromUtf8(paper.examKind))
    { }

    void check(int line, const RowFields &row)
    {
        m_line = line;
        m_ok = true;
        if (row.count != FieldCount) {
            fail(
                QString(), QStringLiteral("%1 fields, expected %2").arg(row.count).arg(FieldCount));
            return;
        }
        const auto &f = row.fields;
        const QuestionRecord record {fieldText(f[0]), fieldText(f[1]), fieldText(f[2]),
            fieldText(f[3]), fieldText(f[4]), fieldText(f[5]), fieldText(f[6])};
        checkTexts(record, row.characters(0), row.characters(2));
        checkCodes(record);
        checkOrder(record);
        if (m_ok)
            m_result.records.append(record);
    }

private:
    QString fieldText(QStringView field) const
    {
        return m_storage == PaperParser::Storage::Borrowed
            ? QString::fromRawData(field.data(), field.size())
            : field.toString();
    }

    void fail(const QString &field, const QString &message)
    {
        m_ok = false;
        m_result.errors.append({m_file, m_line, field, message});
    }

    void checkTexts(const QuestionRecord &record, int length, int explanationLength)
    {
        if (length < PaperParser::MinQuestionLength || length > PaperParser::MaxQuestionLength)
            fail(m_captions.questionText,
                QStringLiteral("%1 characters, expected %2 to %3")
                    .arg(length)
                    .arg(PaperParser::MinQuestionLength)
                    .arg(PaperParser::MaxQuestionLength));
        QString &firstFile = m_seenTexts[record.questionText];
        if (firstFile.isEmpty())
            firstFile = m_file;
        else if (firstFile == m_file)
            fail(m_captions.questionText, QStringLiteral("the same question text appears twice"));
        else
            fail(m_captions.questionText, QStringLiteral("also appears in %1").arg(firstFile));

        if (explanationLength > PaperParser::MaxExplanationLength)
            fail(m_captions.explanation,
                QStringLiteral("%1 characters, at most %2 allowed")
                    .arg(explanationLength)
                    .arg(PaperParser::MaxExplanationLength));
    }

    void checkCodes(const QuestionRecord &record)
    {
        if (record.answerCode != QLatin1String("1") && record.answerCode != QLatin1String("2"))
            fail(m_captions.answerCode,
                QStringLiteral("\"%1\", expected 1 or 2").arg(record.answerCode));
        else if (record.answerCode == QLatin1String("2") && record.explanation.isEmpty())
            fail(m_captions.explanation, QStringLiteral("a false statement needs an explanation"));

        const QString &year = m_year;
        if (record.year != year)
            fail(m_captions.year, QStringLiteral("\"%1\", expected %2").arg(record.year, year));
        const QString &kind = m_examKind;
        if (record.examKind != kind)
            fail(m_captions.examKind,
                QStringLiteral("\"%1\", expected %2").arg(record.examKind, kind));
        if (!isNumberInRange(record.partNo, 1, PaperParser::PartCount))
            fail(m_captions.partNo,
                QStringLiteral("\"%1\", expected 1 to %2")
                    .arg(record.partNo)
                    .arg(PaperParser::PartCount));
        if (!isNumberInRange(record.itemNo, 1, PaperParser::MaxItemNo))
            fail(m_captions.itemNo,
                QStringLiteral("\"%1\", expected 1 to %2")
                    .arg(record.itemNo)
                    .arg(PaperParser::MaxItemNo));
    }

    void checkOrder(const QuestionRecord &record)
    {
        if (!m_ok)
            return;
        // Both are single digits by now.
        const int part = record.partNo.front().unicode() - u'0';
        const int item = record.itemNo.front().unicode() - u'0';
        if (part < m_lastPart || (part == m_lastPart && item < m_lastItem))
            fail(m_captions.itemNo, QStringLiteral("rows must be ordered by part, then item"));
        m_lastPart = part;
        m_lastItem = item;
    }

    ParsedPaper &m_result;
    const PaperParser::Storage m_storage;
    PaperParser::SeenTexts &m_seenTexts;
    const QString m_file;
    const QuestionRecord m_captions;
    const QString m_year;
    const QString m_examKind;
    int m_line = 0;
    int m_lastPart = 0;
    int m_lastItem = 0;
    bool m_ok = true;
};

} // namespace

QString PaperParser::headerLine()
{
    const QuestionRecord h = QuestionBank::headerRecord();
    return QStringList {
        h.questionText, h.answerCode, h.explanation, h.year, h.examKind, h.partNo, h.itemNo}
        .join(QLatin1Char('\t'));
}

ParsedPaper PaperParser::parse(const Paper &paper, const QByteArray &content)
{
    if (!QByteArrayView(content).isValidUtf8()) {
        ParsedPaper result;
        result.errors.append(
            {QString::fromUtf8(paper.fileName), 0, QString(), QStringLiteral("not valid UTF-8")});
        return result;
    }
    SeenTexts seenTexts;
    return parseText(paper, QString::fromUtf8(content), Storage::Copied, seenTexts);
}

ParsedPaper PaperParser::parseText(
    const Paper &paper, QStringView text, Storage storage, SeenTexts &seenTexts)
{
    ParsedPaper result;
    const QString file = QString::fromUtf8(paper.fileName);
    auto fileError = [&](int line, const QString &message) {
        result.errors.append({file, line, QString(), message});
    };

    if (text.startsWith(QChar::ByteOrderMark))
        text = text.sliced(1);
    if (text.contains(u'\r')) {
        fileError(0, QStringLiteral("carriage return found; lines must end with LF only"));
        return result;
    }
    if (text.endsWith(u'\n'))
        text.chop(1);

    const qsizetype headerEnd = text.indexOf(u'\n');
    if (text.first(headerEnd < 0 ? text.size() : headerEnd) != headerLine()) {
        fileError(1, QStringLiteral("the first line must be the header line"));
        return result;
    }

    // One pass over the rows, cutting fields at tabs and rows at line feeds.
    RowChecker checker(paper, result, storage, seenTexts);
    result.records.reserve(paper.questionCount);
    qsizetype rows = 0;
    int line = 2;
    const char16_t *units = text.utf16();
    const qsizetype size = text.size();
    for (qsizetype i = headerEnd + 1; headerEnd >= 0 && i <= size; ++line) {
        RowFields row;
        for (;; ++i) {
            const qsizetype fieldStart = i;
            int lowSurrogates = 0;
            for (; i < size && units[i] != u'\t' && units[i] != u'\n'; ++i)
                lowSurrogates += QChar::isLowSurrogate(units[i]) ? 1 : 0;
            if (row.count < FieldCount) {
                row.fields[row.count] = text.sliced(fieldStart, i - fieldStart);
                row.lowSurrogates[row.count] = lowSurrogates;
            }
            ++row.count;
            if (i >= size || units[i] == u'\n')
                break;
        }
        ++i;
        ++rows;
        if (row.count == 1 && row.fields[0].isEmpty())
            fileError(line, QStringLiteral("empty line"));
        else
            checker.check(line, row);
    }

    if (rows != paper.questionCount)
        fileError(
            0, QStringLiteral("%1 questions, expected %2").arg(rows).arg(paper.questionCount));
    return result;
}

} // namespace kivola
