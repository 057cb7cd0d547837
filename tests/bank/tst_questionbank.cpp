#include "bank/compiledpapers.h"
#include "bank/paper.h"
#include "bank/paperparser.h"
#include "bank/questionbank.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QTemporaryDir>
#include <QTest>

using namespace kivola;

class TestQuestionBank : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void headerRow();
    void shippedPapersAreValid_data();
    void shippedPapersAreValid();
    void compiledBankMatchesSources();
    void wholeBankShape();
    void missingPaperLeavesBankUnusable();
    void duplicateAcrossPapersIsReported();
};

void TestQuestionBank::headerRow()
{
    const QuestionBank bank;
    QCOMPARE(bank.questionCount(), 0);
    const QuestionRecord &header = bank.record(0);
    QCOMPARE(header.questionText, QStringLiteral("問題文"));
    QCOMPARE(header.answerCode, QStringLiteral("正解"));
    QCOMPARE(header.explanation, QStringLiteral("解説"));
    QCOMPARE(header.year, QStringLiteral("年度"));
    QCOMPARE(header.examKind, QStringLiteral("本追試"));
    QCOMPARE(header.partNo, QStringLiteral("問題番号"));
    QCOMPARE(header.itemNo, QStringLiteral("小番号"));
}

void TestQuestionBank::shippedPapersAreValid_data()
{
    QTest::addColumn<int>("paperIndex");
    for (int i = 0; i < int(Papers.size()); ++i)
        QTest::newRow(Papers[i].fileName) << i;
}

void TestQuestionBank::shippedPapersAreValid()
{
    QFETCH(int, paperIndex);
    const Paper &paper = Papers[paperIndex];
    QFile file(QStringLiteral(KIVOLA_PAPERS_DIR "/") + QString::fromUtf8(paper.fileName));
    if (!file.open(QIODevice::ReadOnly))
        QSKIP("this paper has not been written yet");
    const ParsedPaper parsed = PaperParser::parse(paper, file.readAll());
    for (const ContentError &error : parsed.errors)
        qWarning().noquote() << error.toString();
    QVERIFY(parsed.errors.isEmpty());
    QCOMPARE(parsed.records.size(), paper.questionCount);
}

void TestQuestionBank::compiledBankMatchesSources()
{
    const BankBuild compiled = BankLoader(compiledPapersDirectory()).build();
    const BankBuild sources = BankLoader(QStringLiteral(KIVOLA_PAPERS_DIR)).build();
    QVERIFY(compiled.errors.isEmpty());
    QCOMPARE(compiled.missingPapers, sources.missingPapers);
    QCOMPARE(compiled.bank.questionCount(), sources.bank.questionCount());
    for (int id = 0; id <= compiled.bank.questionCount(); ++id)
        QCOMPARE(compiled.bank.record(id), sources.bank.record(id));
}

void TestQuestionBank::wholeBankShape()
{
    const BankBuild build = BankLoader(QStringLiteral(KIVOLA_PAPERS_DIR)).build();
    if (!build.missingPapers.isEmpty())
        QSKIP("the bank is not complete yet");
    QVERIFY(build.errors.isEmpty());
    QVERIFY(build.isUsable());
    const QuestionBank &bank = build.bank;
    QCOMPARE(bank.questionCount(), QuestionBank::QuestionCount);

    int trueCount = 0;
    int explainedTrue = 0;
    QList<QString> itemOrder;
    QHash<QString, int> statementsPerItem;
    QHash<QString, int> perPaper;
    for (int id = 1; id <= bank.questionCount(); ++id) {
        const QuestionRecord &r = bank.record(id);
        if (r.answerCode == QLatin1String("1")) {
            ++trueCount;
            explainedTrue += r.explanation.isEmpty() ? 0 : 1;
        }
        const QString item = QStringList {r.year, r.examKind, r.partNo, r.itemNo}.join(u'-');
        if (!statementsPerItem.contains(item))
            itemOrder.append(item);
        ++statementsPerItem[item];
        ++perPaper[r.year + r.examKind];
        // Statements of one item stay together.
        QCOMPARE(itemOrder.last(), item);
    }
    QCOMPARE(trueCount, 238);
    QCOMPARE(bank.questionCount() - trueCount, 327);
    QCOMPARE(explainedTrue, 55);

    QHash<int, int> itemsBySize;
    for (int count : std::as_const(statementsPerItem))
        ++itemsBySize[count];
    QCOMPARE(statementsPerItem.size(), 174);
    QCOMPARE(itemsBySize.value(4), 109);
    QCOMPARE(itemsBySize.value(3), 10);
    QCOMPARE(itemsBySize.value(2), 44);
    QCOMPARE(itemsBySize.value(1), 11);

    for (const Paper &paper : Papers)
        QCOMPARE(perPaper.value(QString::fromUtf8(paper.year) + QString::fromUtf8(paper.examKind)),
            paper.questionCount);
}

void TestQuestionBank::missingPaperLeavesBankUnusable()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    static constexpr Paper onePaper[] {{"2001-main.tsv", "2001", "1", 1}};
    const BankBuild build = BankLoader(dir.path(), onePaper).build();
    QCOMPARE(build.missingPapers, QStringList {QStringLiteral("2001-main.tsv")});
    QVERIFY(!build.isUsable());
    QCOMPARE(build.bank.questionCount(), 0);
}

void TestQuestionBank::duplicateAcrossPapersIsReported()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    static constexpr Paper twoPapers[] {{"a.tsv", "2001", "1", 1}, {"b.tsv", "2001", "2", 1}};
    const QString text = QStringLiteral("行基は民衆に仏教を広めた僧である。");
    for (const Paper &paper : twoPapers) {
        QFile file(dir.filePath(QString::fromUtf8(paper.fileName)));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write((PaperParser::headerLine() + u'\n' + text + QStringLiteral("\t1\t\t2001\t")
            + QString::fromUtf8(paper.examKind) + QStringLiteral("\t1\t1\n"))
                       .toUtf8());
    }
    const BankBuild build = BankLoader(dir.path(), twoPapers).build();
    QCOMPARE(build.errors.size(), 1);
    QCOMPARE(build.errors.first().file, QStringLiteral("b.tsv"));
    QCOMPARE(build.errors.first().line, 2);
    QVERIFY(build.errors.first().message.contains(QLatin1String("a.tsv")));
    QCOMPARE(build.bank.questionCount(), 1);
}

QTEST_GUILESS_MAIN(TestQuestionBank)
#include "tst_questionbank.moc"
