#include "tests/support/fixturebank.h"

namespace fixture {

kivola::QuestionRecord question(int id)
{
    const bool isTrue = id % 2 == 1;
    return {QStringLiteral("テスト用の問題%1番の文です。").arg(id),
        isTrue ? QStringLiteral("1") : QStringLiteral("2"),
        isTrue ? QString() : QStringLiteral("問題%1番の解説です。").arg(id), QStringLiteral("2002"),
        QStringLiteral("1"), QString::number(id % 6 + 1), QString::number(id % 8 + 1)};
}

kivola::QuestionBank completeBank()
{
    kivola::QuestionBank bank;
    for (int id = 1; id <= kivola::QuestionBank::QuestionCount; ++id)
        bank.append(question(id));
    return bank;
}

kivola::BankBuild completeBuild()
{
    return {completeBank(), {}, {}};
}

kivola::StudyLayer completeLayer()
{
    kivola::StudyLayer layer;
    for (int id = 1; id <= kivola::QuestionBank::QuestionCount; ++id)
        layer.insert(id,
            {QStringLiteral("問題%1番の補足です。").arg(id),
                kivola::Period(id % kivola::PeriodCount),
                kivola::AllThemes[std::size_t(id % kivola::ThemeCount)]});
    return layer;
}

kivola::StudyLayerBuild completeLayerBuild(const kivola::QuestionBank &)
{
    return {completeLayer(), {}, {}};
}

float uniformFor(int id)
{
    // The middle of the id's interval, well away from float rounding at either edge.
    return (float(id) - 0.5f) / float(kivola::QuestionBank::QuestionCount);
}

QList<float> uniformsFor(const QList<int> &ids)
{
    QList<float> values;
    for (int id : ids)
        values.append(uniformFor(id));
    return values;
}

} // namespace fixture
