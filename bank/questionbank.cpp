#include "questionbank.h"

#include "paperparser.h"

#include <QFile>
#include <QHash>
#include <QtGlobal>

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

void QuestionBank::append(const QuestionRecord &record)
{
    m_entries.append(record);
}

const QuestionRecord &QuestionBank::record(int id) const
{
    if (!contains(id))
        qFatal("question id %d is outside the bank (0..%d)", id, questionCount());
    return m_entries.at(id);
}

BankLoader::BankLoader(QString directory, std::span<const Paper> papers)
    : m_directory(std::move(directory))
    , m_papers(papers)
{ }

BankBuild BankLoader::build() const
{
    BankBuild result;
    QHash<QString, QString> firstPaperOfText;
    for (const Paper &paper : m_papers) {
        const QString name = QString::fromUtf8(paper.fileName);
        QFile file(m_directory + QLatin1Char('/') + name);
        if (!file.open(QIODevice::ReadOnly)) {
            result.missingPapers.append(name);
            continue;
        }
        ParsedPaper parsed = PaperParser::parse(paper, file.readAll());
        result.errors.append(parsed.errors);
        for (const QuestionRecord &record : std::as_const(parsed.records)) {
            const auto earlier = firstPaperOfText.constFind(record.questionText);
            if (earlier != firstPaperOfText.cend()) {
                result.errors.append({name, 0, QuestionBank::headerRecord().questionText,
                    QStringLiteral("\"%1\" also appears in %2")
                        .arg(record.questionText, *earlier)});
                continue;
            }
            firstPaperOfText.insert(record.questionText, name);
            result.bank.append(record);
        }
    }
    return result;
}

} // namespace kivola
