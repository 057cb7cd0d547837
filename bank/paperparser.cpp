#include "paperparser.h"

#include "questionbank.h"

#include <QSet>
#include <QStringDecoder>

namespace kivola {

namespace {

constexpr int FieldCount = 7;

int characterCount(const QString &text)
{
    return int(text.toUcs4().size());
}

bool isNumberInRange(const QString &text, int low, int high)
{
    if (text.size() != 1 || !text.at(0).isDigit())
        return false;
    const int value = text.at(0).digitValue();
    return value >= low && value <= high;
}

class RowChecker
{
public:
    RowChecker(const Paper &paper, ParsedPaper &result)
        : m_paper(paper)
        , m_result(result)
        , m_captions(QuestionBank::headerRecord())
    { }

    void check(int line, const QString &text)
    {
        m_line = line;
        m_ok = true;
        const QStringList fields = text.split(QLatin1Char('\t'));
        if (fields.size() != FieldCount) {
            fail(QString(),
                QStringLiteral("%1 fields, expected %2").arg(fields.size()).arg(FieldCount));
            return;
        }
        const QuestionRecord record {
            fields[0], fields[1], fields[2], fields[3], fields[4], fields[5], fields[6]};
        checkTexts(record);
        checkCodes(record);
        checkOrder(record);
        if (m_ok)
            m_result.records.append(record);
    }

private:
    void fail(const QString &field, const QString &message)
    {
        m_ok = false;
        m_result.errors.append({QString::fromUtf8(m_paper.fileName), m_line, field, message});
    }

    void checkTexts(const QuestionRecord &record)
    {
        const int length = characterCount(record.questionText);
        if (length < PaperParser::MinQuestionLength || length > PaperParser::MaxQuestionLength)
            fail(m_captions.questionText,
                QStringLiteral("%1 characters, expected %2 to %3")
                    .arg(length)
                    .arg(PaperParser::MinQuestionLength)
                    .arg(PaperParser::MaxQuestionLength));
        else if (m_texts.contains(record.questionText))
            fail(m_captions.questionText, QStringLiteral("the same question text appears twice"));
        m_texts.insert(record.questionText);

        const int explanationLength = characterCount(record.explanation);
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

        const QString year = QString::fromUtf8(m_paper.year);
        if (record.year != year)
            fail(m_captions.year, QStringLiteral("\"%1\", expected %2").arg(record.year, year));
        const QString kind = QString::fromUtf8(m_paper.examKind);
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
        const int part = record.partNo.toInt();
        const int item = record.itemNo.toInt();
        if (part < m_lastPart || (part == m_lastPart && item < m_lastItem))
            fail(m_captions.itemNo, QStringLiteral("rows must be ordered by part, then item"));
        m_lastPart = part;
        m_lastItem = item;
    }

    const Paper &m_paper;
    ParsedPaper &m_result;
    const QuestionRecord m_captions;
    QSet<QString> m_texts;
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
    ParsedPaper result;
    const QString file = QString::fromUtf8(paper.fileName);
    auto fileError = [&](int line, const QString &message) {
        result.errors.append({file, line, QString(), message});
    };

    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = decoder(content);
    if (decoder.hasError()) {
        fileError(0, QStringLiteral("not valid UTF-8"));
        return result;
    }
    if (text.startsWith(QChar::ByteOrderMark))
        text.remove(0, 1);
    if (text.contains(QLatin1Char('\r'))) {
        fileError(0, QStringLiteral("carriage return found; lines must end with LF only"));
        return result;
    }

    QStringList lines = text.split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    if (lines.isEmpty() || lines.first() != headerLine()) {
        fileError(1, QStringLiteral("the first line must be the header line"));
        return result;
    }

    RowChecker checker(paper, result);
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const int line = int(i) + 1;
        if (lines.at(i).isEmpty()) {
            fileError(line, QStringLiteral("empty line"));
            continue;
        }
        checker.check(line, lines.at(i));
    }

    const qsizetype rows = lines.size() - 1;
    if (rows != paper.questionCount)
        fileError(
            0, QStringLiteral("%1 questions, expected %2").arg(rows).arg(paper.questionCount));
    return result;
}

} // namespace kivola
