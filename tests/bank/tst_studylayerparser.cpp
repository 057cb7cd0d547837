#include "bank/studylayerparser.h"

#include <QTest>

using namespace kivola;

namespace {

// A three-statement paper whose ids start at 10; the bank explains id 11.
constexpr Paper SmallPaper {"2002-main.tsv", "2002", "1", 3};
constexpr int FirstId = 10;
const QString BankExplanation = QStringLiteral("平城京ではなく平安京である。");

const QStringList GoodRows {
    QStringLiteral("10\t鑑真は唐の僧で、戒律を伝え唐招提寺を開いた。\t奈良\t文化・宗教"),
    QStringLiteral("11\t桓武天皇が７９４年に遷都したのは平安京である。\t平安\t政治、文化・宗教"),
    QStringLiteral(
        "12\t日米安全保障条約はサンフランシスコ平和条約と同じ日に結ばれた。\t戦後\t外交"),
};

QuestionBank smallBank()
{
    QuestionBank bank;
    for (int id = 1; id <= FirstId + 2; ++id)
        bank.append({QStringLiteral("問題文"), QStringLiteral("2"),
            id == FirstId + 1 ? BankExplanation : QString(), QStringLiteral("2002"),
            QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("1")});
    return bank;
}

QByteArray layerOf(const QStringList &rows)
{
    return (StudyLayerParser::headerLine() + u'\n' + rows.join(u'\n') + u'\n').toUtf8();
}

// The good rows with one field of one row replaced.
QByteArray withField(int row, int field, const QString &value)
{
    QStringList rows = GoodRows;
    QStringList fields = rows[row].split(u'\t');
    fields[field] = value;
    rows[row] = fields.join(u'\t');
    return layerOf(rows);
}

} // namespace

class TestStudyLayerParser : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void acceptsGoodLayer();
    void rejects_data();
    void rejects();
};

void TestStudyLayerParser::acceptsGoodLayer()
{
    const ParsedLayer parsed
        = StudyLayerParser::parse(SmallPaper, FirstId, layerOf(GoodRows), smallBank());
    QVERIFY2(parsed.errors.isEmpty(), qPrintable(parsed.errors.value(0).toString()));
    QCOMPARE(parsed.notes.size(), 3);
    QCOMPARE(parsed.notes.at(1).first, 11);
    QCOMPARE(parsed.notes.at(1).second.period, Period::Heian);
    QCOMPARE(parsed.notes.at(1).second.themes, Themes(Theme::Politics | Theme::Culture));
    QCOMPARE(parsed.notes.at(2).second.period, Period::Postwar);
}

void TestStudyLayerParser::rejects_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<int>("line");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("message");

    const QString tooLong = QString(121, u'あ');
    QTest::newRow("no header") << GoodRows.join(u'\n').toUtf8() << 1 << ""
                               << "header";
    QTest::newRow("crlf") << layerOf(GoodRows).replace("\n", "\r\n") << 0 << ""
                          << "carriage return";
    QTest::newRow("not utf-8") << QByteArray("\xff\xfe") << 0 << ""
                               << "UTF-8";
    QTest::newRow("row missing") << layerOf({GoodRows[0], GoodRows[2]}) << 3 << "id"
                                 << "12, expected 11: a row is missing";
    QTest::newRow("last row missing") << layerOf({GoodRows[0], GoodRows[1]}) << 0 << ""
                                      << "2 rows, expected 3";
    QTest::newRow("row doubled") << layerOf({GoodRows[0], GoodRows[0], GoodRows[1]}) << 3 << "id"
                                 << "10 appears twice";
    QTest::newRow("out of order") << layerOf({GoodRows[1], GoodRows[0], GoodRows[2]}) << 2 << "id"
                                  << "11, expected 10";
    QTest::newRow("id not a number") << withField(0, 0, QStringLiteral("１０")) << 2 << "id"
                                     << "expected 10";
    QTest::newRow("empty commentary") << withField(1, 1, QString()) << 3 << "解説・補足"
                                      << "empty";
    QTest::newRow("121 characters") << withField(1, 1, tooLong) << 3 << "解説・補足"
                                    << "121 characters, at most 120";
    QTest::newRow("tab inside") << withField(0, 1, QStringLiteral("鑑真は\t唐の僧である。")) << 2
                                << ""
                                << "5 fields, expected 4";
    QTest::newRow("line break inside")
        << withField(0, 1, QStringLiteral("鑑真は\n唐の僧である。")) << 2 << ""
        << "2 fields, expected 4";
    QTest::newRow("line separator inside")
        << withField(0, 1, QStringLiteral("鑑真は\u2028唐の僧である。")) << 2 << "解説・補足"
        << "line break";
    QTest::newRow("copies the explanation")
        << withField(1, 1, QStringLiteral("正しくは、") + BankExplanation) << 3 << "解説・補足"
        << "explanation word for word";
    QTest::newRow("unknown period") << withField(2, 2, QStringLiteral("昭和")) << 4 << "時代"
                                    << "\"昭和\" is not a period";
    QTest::newRow("no theme") << withField(2, 3, QString()) << 4 << "分野"
                              << "no theme";
    QTest::newRow("unknown theme") << withField(2, 3, QStringLiteral("外交、宗教")) << 4 << "分野"
                                   << "\"宗教\" is not a theme";
    QTest::newRow("three themes") << withField(2, 3, QStringLiteral("外交、政治、経済・産業")) << 4
                                  << "分野"
                                  << "3 themes, at most 2";
    QTest::newRow("theme twice") << withField(2, 3, QStringLiteral("外交、外交")) << 4 << "分野"
                                 << "given twice";
    QTest::newRow("half-width comma") << withField(2, 3, QStringLiteral("外交,政治")) << 4 << "分野"
                                      << "is not a theme";
}

void TestStudyLayerParser::rejects()
{
    QFETCH(QByteArray, content);
    QFETCH(int, line);
    QFETCH(QString, field);
    QFETCH(QString, message);

    const ParsedLayer parsed = StudyLayerParser::parse(SmallPaper, FirstId, content, smallBank());
    QVERIFY(!parsed.errors.isEmpty());
    const ContentError &error = parsed.errors.first();
    QCOMPARE(error.file, QStringLiteral("2002-main.tsv"));
    QCOMPARE(error.line, line);
    QCOMPARE(error.field, field);
    QVERIFY2(error.message.contains(message), qPrintable(error.toString()));
    QVERIFY(parsed.notes.size() < GoodRows.size());
}

QTEST_GUILESS_MAIN(TestStudyLayerParser)
#include "tst_studylayerparser.moc"
