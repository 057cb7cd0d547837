#include "bank/paperparser.h"

#include <QTest>

using namespace kivola;

namespace {

// A two-question paper that passes every rule; the rows below break one rule at a time.
constexpr Paper SmallPaper {"2002-main.tsv", "2002", "1", 2};

const QString GoodTrue = QStringLiteral("鑑真は唐から来日して戒律を伝えた。\t1\t\t2002\t1\t2\t1");
const QString GoodFalse = QStringLiteral("東大寺の大仏は平城京ではなく平安京で造られた。\t2\t平安京"
                                         "ではなく平城京である。\t2002\t1\t2\t3");

QByteArray paperOf(const QStringList &rows)
{
    return (PaperParser::headerLine() + QLatin1Char('\n') + rows.join(QLatin1Char('\n'))
        + QLatin1Char('\n'))
        .toUtf8();
}

} // namespace

class TestPaperParser : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void acceptsGoodPaper();
    void rejects_data();
    void rejects();
    void reportsEveryBadLine();
};

void TestPaperParser::acceptsGoodPaper()
{
    const ParsedPaper parsed = PaperParser::parse(SmallPaper, paperOf({GoodTrue, GoodFalse}));
    QVERIFY2(parsed.errors.isEmpty(), qPrintable(parsed.errors.value(0).toString()));
    QCOMPARE(parsed.records.size(), 2);
    QCOMPARE(parsed.records.at(1).explanation, QStringLiteral("平安京ではなく平城京である。"));
    QCOMPARE(parsed.records.at(1).itemNo, QStringLiteral("3"));
}

void TestPaperParser::rejects_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<int>("line");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("message");

    auto replaced = [](const QString &row, int field, const QString &value) {
        QStringList fields = row.split(QLatin1Char('\t'));
        fields[field] = value;
        return fields.join(QLatin1Char('\t'));
    };

    QTest::newRow("missing header") << GoodTrue.toUtf8() << 1 << ""
                                    << "header";
    QTest::newRow("empty file") << QByteArray() << 1 << ""
                                << "header";
    QTest::newRow("not utf-8") << QByteArray("\xff\xfe\x00") << 0 << ""
                               << "UTF-8";
    QTest::newRow("crlf") << paperOf({GoodTrue, GoodFalse}).replace("\n", "\r\n") << 0 << ""
                          << "carriage return";
    QTest::newRow("six fields") << paperOf({GoodTrue.section(u'\t', 0, 5), GoodFalse}) << 2 << ""
                                << "6 fields";
    QTest::newRow("empty row") << paperOf({GoodTrue, QString(), GoodFalse}) << 3 << ""
                               << "empty line";
    QTest::newRow("answer 3") << paperOf({replaced(GoodTrue, 1, QStringLiteral("3")), GoodFalse})
                              << 2 << "正解"
                              << "expected 1 or 2";
    QTest::newRow("answer full width")
        << paperOf({replaced(GoodTrue, 1, QStringLiteral("１")), GoodFalse}) << 2 << "正解"
        << "expected 1 or 2";
    QTest::newRow("false unexplained")
        << paperOf({GoodTrue, replaced(GoodFalse, 2, QString())}) << 3 << "解説"
        << "needs an explanation";
    QTest::newRow("wrong year") << paperOf({replaced(GoodTrue, 3, QStringLiteral("2003")),
        GoodFalse}) << 2 << "年度"
                                << "expected 2002";
    QTest::newRow("two-digit year")
        << paperOf({replaced(GoodTrue, 3, QStringLiteral("02")), GoodFalse}) << 2 << "年度"
        << "expected 2002";
    QTest::newRow("wrong exam kind")
        << paperOf({GoodTrue, replaced(GoodFalse, 4, QStringLiteral("2"))}) << 3 << "本追試"
        << "expected 1";
    QTest::newRow("part 7") << paperOf({replaced(GoodTrue, 5, QStringLiteral("7")), GoodFalse}) << 2
                            << "問題番号"
                            << "expected 1 to 6";
    QTest::newRow("part 0") << paperOf({replaced(GoodTrue, 5, QStringLiteral("0")), GoodFalse}) << 2
                            << "問題番号"
                            << "expected 1 to 6";
    QTest::newRow("part full width")
        << paperOf({replaced(GoodTrue, 5, QStringLiteral("２")), GoodFalse}) << 2 << "問題番号"
        << "expected 1 to 6";
    QTest::newRow("item 9") << paperOf({GoodTrue, replaced(GoodFalse, 6, QStringLiteral("9"))}) << 3
                            << "小番号"
                            << "expected 1 to 8";
    QTest::newRow("item empty") << paperOf({GoodTrue, replaced(GoodFalse, 6, QString())}) << 3
                                << "小番号"
                                << "expected 1 to 8";
    QTest::newRow("out of order") << paperOf({GoodFalse, GoodTrue}) << 3 << "小番号"
                                  << "ordered";
    QTest::newRow("question too short")
        << paperOf({replaced(GoodTrue, 0, QStringLiteral("短すぎる文です。")), GoodFalse}) << 2
        << "問題文"
        << "8 characters";
    QTest::newRow("question too long")
        << paperOf({replaced(GoodTrue, 0, QString(81, u'あ')), GoodFalse}) << 2 << "問題文"
        << "81 characters";
    QTest::newRow("explanation too long")
        << paperOf({GoodTrue, replaced(GoodFalse, 2, QString(90, u'あ'))}) << 3 << "解説"
        << "90 characters";
    QTest::newRow("duplicate text")
        << paperOf({GoodTrue, replaced(GoodTrue, 6, QStringLiteral("2"))}) << 3 << "問題文"
        << "twice";
    QTest::newRow("short paper") << paperOf({GoodTrue}) << 0 << ""
                                 << "1 questions, expected 2";
}

void TestPaperParser::rejects()
{
    QFETCH(QByteArray, content);
    QFETCH(int, line);
    QFETCH(QString, field);
    QFETCH(QString, message);

    const ParsedPaper parsed = PaperParser::parse(SmallPaper, content);
    QVERIFY(!parsed.errors.isEmpty());
    const ContentError &error = parsed.errors.first();
    QCOMPARE(error.file, QStringLiteral("2002-main.tsv"));
    QCOMPARE(error.line, line);
    QCOMPARE(error.field, field);
    QVERIFY2(error.message.contains(message), qPrintable(error.toString()));
}

void TestPaperParser::reportsEveryBadLine()
{
    const QString badAnswer
        = GoodTrue.section(u'\t', 0, 0) + QStringLiteral("\t9\t\t2002\t1\t2\t1");
    const QString badPart = GoodFalse.section(u'\t', 0, 4) + QStringLiteral("\tx\t3");
    const ParsedPaper parsed = PaperParser::parse(SmallPaper, paperOf({badAnswer, badPart}));
    QCOMPARE(parsed.errors.size(), 2);
    QCOMPARE(parsed.errors.at(0).toString(),
        QStringLiteral("2002-main.tsv:2 正解: \"9\", expected 1 or 2"));
    QCOMPARE(parsed.errors.at(1).line, 3);
    QVERIFY(parsed.records.isEmpty());
}

QTEST_GUILESS_MAIN(TestPaperParser)
#include "tst_paperparser.moc"
