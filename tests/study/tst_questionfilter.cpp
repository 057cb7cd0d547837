#include "study/questionfilter.h"
#include "study/questiontablemodel.h"
#include "tests/support/fixturebank.h"

#include <QTest>

using namespace kivola;

namespace {

constexpr int FullWidthId = 10;
constexpr int HalfWidthId = 20;
constexpr int CommentedId = 30;

// The fixture bank with one statement written in full-width letters and digits and one
// explanation in half-width ones, as the papers mix them.
QuestionBank mixedWidthBank()
{
    QuestionBank bank;
    for (int id = 1; id <= QuestionBank::QuestionCount; ++id) {
        QuestionRecord record = fixture::question(id);
        if (id == FullWidthId)
            record.questionText
                = QStringLiteral("１９５１年、ＧＨＱの下でサンフランシスコ平和条約が結ばれた。");
        if (id == HalfWidthId)
            record.explanation = QStringLiteral("1951年のGHQ占領下の出来事です。");
        bank.append(record);
    }
    return bank;
}

// One note only, in half-width kana, with a word found nowhere in the bank.
StudyLayer commentedLayer()
{
    StudyLayer layer;
    layer.insert(CommentedId,
        {QStringLiteral("ﾎﾟﾂﾀﾞﾑ宣言の受諾後、財閥解体が進んだ。"), Period::Postwar,
            Theme::Economy});
    return layer;
}

} // namespace

class TestQuestionFilter : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void searchIgnoresWidthAndCase_data();
    void searchIgnoresWidthAndCase();
};

void TestQuestionFilter::searchIgnoresWidthAndCase_data()
{
    QTest::addColumn<QString>("query");
    QTest::addColumn<QList<int>>("ids");

    const QList<int> both {FullWidthId, HalfWidthId};
    QTest::newRow("half-width digits") << QStringLiteral("1951") << both;
    QTest::newRow("full-width digits") << QStringLiteral("１９５１") << both;
    QTest::newRow("half-width capitals") << QStringLiteral("GHQ") << both;
    QTest::newRow("full-width capitals") << QStringLiteral("ＧＨＱ") << both;
    QTest::newRow("half-width small letters") << QStringLiteral("ghq") << both;
    QTest::newRow("full-width small letters") << QStringLiteral("ｇｈｑ") << both;
    QTest::newRow("half-width kana") << QStringLiteral("ｻﾝﾌﾗﾝｼｽｺ") << QList<int> {FullWidthId};
    QTest::newRow("mixed widths in one query")
        << QStringLiteral("1９51年のＧhq") << QList<int> {HalfWidthId};
    QTest::newRow("a word only in a commentary")
        << QStringLiteral("財閥解体") << QList<int> {CommentedId};
    QTest::newRow("full-width kana in a commentary")
        << QStringLiteral("ポツダム") << QList<int> {CommentedId};
}

void TestQuestionFilter::searchIgnoresWidthAndCase()
{
    QFETCH(QString, query);
    QFETCH(QList<int>, ids);
    QuestionTableModel model(
        mixedWidthBank(), commentedLayer(), emptyStatementTable(), StatementMemory(), nullptr);
    QuestionFilter filter(&model, nullptr);
    filter.setSearchText(query);
    QList<int> found;
    for (int row = 0; row < filter.rowCount(); ++row)
        found.append(filter.index(row, 0).data(QuestionTableModel::BankIdRole).toInt());
    QCOMPARE(found, ids);
    filter.setSearchText(QString());
    QCOMPARE(filter.rowCount(), QuestionBank::QuestionCount);
}

QTEST_GUILESS_MAIN(TestQuestionFilter)
#include "tst_questionfilter.moc"
