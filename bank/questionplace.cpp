#include "bank/questionplace.h"

#include "bank/banktext.h"

#include <QStringList>

namespace kivola {

int partOf(const QuestionRecord &record)
{
    const int part = codeOf(record.partNo);
    return part >= 1 && part <= PartCount ? part : 0;
}

int paperIndexOf(const QuestionRecord &record)
{
    const std::int16_t kind = codeOf(record.examKind);
    for (std::size_t i = 0; i < Papers.size(); ++i) {
        if (record.year == QLatin1String(Papers[i].year)
            && kind == codeOf(QLatin1String(Papers[i].examKind)))
            return int(i);
    }
    return -1;
}

QString PartLabel(int part)
{
    static const QStringList eras {QStringLiteral("テーマ史"), QStringLiteral("古代"),
        QStringLiteral("中世"), QStringLiteral("近世"), QStringLiteral("近代"),
        QStringLiteral("近現代")};
    if (part < 1 || part > PartCount)
        return QString();
    return QStringLiteral("第%1問 ").arg(part) + eras.at(part - 1);
}

QString PaperLabel(int paperIndex)
{
    if (paperIndex < 0 || paperIndex >= int(Papers.size()))
        return QString();
    const Paper &paper = Papers[std::size_t(paperIndex)];
    return QLatin1String(paper.year) + QStringLiteral("年度")
        + ExamKindName(codeOf(QLatin1String(paper.examKind)));
}

} // namespace kivola
