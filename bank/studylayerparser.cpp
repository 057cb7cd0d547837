#include "bank/studylayerparser.h"

#include <QStringList>

namespace kivola {

namespace {

constexpr int FieldCount = 4;

const QString IdCaption = QStringLiteral("id");
const QString CommentaryCaption = QStringLiteral("解説・補足");
const QString PeriodCaption = QStringLiteral("時代");
const QString ThemesCaption = QStringLiteral("分野");

int characterCount(QStringView text)
{
    int count = 0;
    for (QChar c : text)
        count += c.isLowSurrogate() ? 0 : 1;
    return count;
}

// A line or paragraph separator would break the line in the window just as a line feed would.
bool hasControlCharacter(QStringView text)
{
    for (QChar c : text) {
        if (c.category() == QChar::Other_Control || c == QChar::LineSeparator
            || c == QChar::ParagraphSeparator)
            return true;
    }
    return false;
}

class LayerRowChecker
{
public:
    LayerRowChecker(const Paper &paper, int firstId, const QuestionBank &bank, ParsedLayer &result)
        : m_result(result)
        , m_bank(bank)
        , m_file(QString::fromUtf8(paper.fileName))
        , m_next(firstId)
    { }

    void check(int line, const QStringList &fields)
    {
        m_line = line;
        m_ok = true;
        const int expected = m_next++;
        if (fields.size() != FieldCount) {
            fail(QString(),
                QStringLiteral("%1 fields, expected %2").arg(fields.size()).arg(FieldCount));
            return;
        }
        const int id = checkId(fields.at(0), expected);
        StudyNote note;
        note.commentary = fields.at(1);
        checkCommentary(id, note.commentary);
        checkPeriod(fields.at(2), note);
        checkThemes(fields.at(3), note);
        if (m_ok)
            m_result.notes.append({id, note});
    }

private:
    void fail(const QString &field, const QString &message)
    {
        m_ok = false;
        m_result.errors.append({m_file, m_line, field, message});
    }

    int checkId(const QString &text, int expected)
    {
        bool ok = false;
        const int id = text.toInt(&ok);
        if (!ok || id <= 0 || text != QString::number(id)) {
            fail(IdCaption, QStringLiteral("\"%1\", expected %2").arg(text).arg(expected));
            return expected;
        }
        if (id == expected)
            return id;
        if (id == expected - 1)
            fail(IdCaption, QStringLiteral("%1 appears twice").arg(id));
        else if (id < expected)
            fail(IdCaption, QStringLiteral("%1 out of order, expected %2").arg(id).arg(expected));
        else
            fail(IdCaption,
                QStringLiteral("%1, expected %2: a row is missing before it")
                    .arg(id)
                    .arg(expected));
        // Later rows are checked against this one, so one slip is reported once.
        m_next = id + 1;
        return id;
    }

    void checkCommentary(int id, const QString &commentary)
    {
        const int length = characterCount(commentary);
        if (length == 0)
            fail(CommentaryCaption, QStringLiteral("empty"));
        else if (length > StudyLayerParser::MaxCommentaryLength)
            fail(CommentaryCaption,
                QStringLiteral("%1 characters, at most %2 allowed")
                    .arg(length)
                    .arg(StudyLayerParser::MaxCommentaryLength));
        if (hasControlCharacter(commentary))
            fail(CommentaryCaption, QStringLiteral("a control character or line break inside"));
        if (id >= 1 && id <= m_bank.questionCount()) {
            const QString &explanation = m_bank.record(id).explanation;
            if (!explanation.isEmpty() && commentary.contains(explanation))
                fail(CommentaryCaption,
                    QStringLiteral("repeats the bank's explanation word for word"));
        }
    }

    void checkPeriod(const QString &text, StudyNote &note)
    {
        if (const std::optional<Period> period = periodOfLabel(text))
            note.period = *period;
        else
            fail(PeriodCaption, QStringLiteral("\"%1\" is not a period").arg(text));
    }

    void checkThemes(const QString &text, StudyNote &note)
    {
        if (text.isEmpty()) {
            fail(ThemesCaption, QStringLiteral("no theme"));
            return;
        }
        const QStringList labels = text.split(StudyLayerParser::themeSeparator());
        if (labels.size() > StudyLayerParser::MaxThemes)
            fail(ThemesCaption,
                QStringLiteral("%1 themes, at most %2 allowed")
                    .arg(labels.size())
                    .arg(StudyLayerParser::MaxThemes));
        for (const QString &label : labels) {
            const std::optional<Theme> theme = themeOfLabel(label);
            if (!theme)
                fail(ThemesCaption, QStringLiteral("\"%1\" is not a theme").arg(label));
            else if (note.themes.testFlag(*theme))
                fail(ThemesCaption, QStringLiteral("\"%1\" given twice").arg(label));
            else
                note.themes |= *theme;
        }
    }

    ParsedLayer &m_result;
    const QuestionBank &m_bank;
    const QString m_file;
    int m_next;
    int m_line = 0;
    bool m_ok = true;
};

} // namespace

QString StudyLayerParser::headerLine()
{
    return QStringList {IdCaption, CommentaryCaption, PeriodCaption, ThemesCaption}.join(u'\t');
}

QString StudyLayerParser::themeSeparator()
{
    return QStringLiteral("、");
}

ParsedLayer StudyLayerParser::parse(
    const Paper &paper, int firstId, const QByteArray &content, const QuestionBank &bank)
{
    ParsedLayer result;
    const QString file = QString::fromUtf8(paper.fileName);
    auto fileError = [&](int line, const QString &message) {
        result.errors.append({file, line, QString(), message});
    };
    if (!QByteArrayView(content).isValidUtf8()) {
        fileError(0, QStringLiteral("not valid UTF-8"));
        return result;
    }
    QString text = QString::fromUtf8(content);
    if (text.startsWith(QChar::ByteOrderMark))
        text.remove(0, 1);
    if (text.contains(u'\r')) {
        fileError(0, QStringLiteral("carriage return found; lines must end with LF only"));
        return result;
    }
    if (text.endsWith(u'\n'))
        text.chop(1);
    const QStringList lines = text.split(u'\n');
    if (lines.first() != headerLine()) {
        fileError(1, QStringLiteral("the first line must be the header line"));
        return result;
    }

    LayerRowChecker checker(paper, firstId, bank, result);
    result.notes.reserve(paper.questionCount);
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const int line = int(i) + 1;
        if (lines.at(i).isEmpty())
            fileError(line, QStringLiteral("empty line"));
        else
            checker.check(line, lines.at(i).split(u'\t'));
    }
    const qsizetype rows = lines.size() - 1;
    if (rows != paper.questionCount)
        fileError(0, QStringLiteral("%1 rows, expected %2").arg(rows).arg(paper.questionCount));
    return result;
}

} // namespace kivola
