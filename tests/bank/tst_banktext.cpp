#include "bank/banktext.h"

#include <QTest>

using namespace kivola;

class TestBankText : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void marks_data();
    void marks();
    void citation_data();
    void citation();
    void codeOfField_data();
    void codeOfField();
};

void TestBankText::marks_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("answerMark");
    QTest::addColumn<QString>("examKind");

    QTest::newRow("1") << 1 << QStringLiteral("○") << QStringLiteral("本試験");
    QTest::newRow("2") << 2 << QStringLiteral("×") << QStringLiteral("追試験");
    QTest::newRow("0") << 0 << QStringLiteral("×") << QStringLiteral("追試験");
    QTest::newRow("3") << 3 << QStringLiteral("×") << QStringLiteral("追試験");
    QTest::newRow("-1") << -1 << QStringLiteral("×") << QStringLiteral("追試験");
}

void TestBankText::marks()
{
    QFETCH(int, code);
    QFETCH(QString, answerMark);
    QFETCH(QString, examKind);
    QCOMPARE(AnswerMark(std::int16_t(code)), answerMark);
    QCOMPARE(ExamKindName(std::int16_t(code)), examKind);
}

void TestBankText::citation_data()
{
    QTest::addColumn<QString>("year");
    QTest::addColumn<QString>("examKind");
    QTest::addColumn<QString>("partNo");
    QTest::addColumn<QString>("itemNo");
    QTest::addColumn<QString>("expected");

    QTest::newRow("main paper") << "2002"
                                << "1"
                                << "2"
                                << "6" << QStringLiteral("2002年度本試験　第2問　問6より出題");
    QTest::newRow("supplementary paper")
        << "2003"
        << "2"
        << "5"
        << "1" << QStringLiteral("2003年度追試験　第5問　問1より出題");
    QTest::newRow("fields copied verbatim")
        << "2001"
        << " 1"
        << "06"
        << "3 " << QStringLiteral("2001年度本試験　第06問　問3 より出題");
    QTest::newRow("unknown kind reads as supplementary")
        << "2001"
        << "x"
        << "1"
        << "1" << QStringLiteral("2001年度追試験　第1問　問1より出題");
}

void TestBankText::citation()
{
    QFETCH(QString, year);
    QFETCH(QString, examKind);
    QFETCH(QString, partNo);
    QFETCH(QString, itemNo);
    QFETCH(QString, expected);
    QuestionRecord record;
    record.year = year;
    record.examKind = examKind;
    record.partNo = partNo;
    record.itemNo = itemNo;
    QCOMPARE(CitationText(record), expected);
}

void TestBankText::codeOfField_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<int>("code");

    QTest::newRow("1") << "1" << 1;
    QTest::newRow("2 with blanks") << " 2 " << 2;
    QTest::newRow("1.5 rounds to even") << "1.5" << 2;
    QTest::newRow("too large for 16 bits") << "70000" << 0;
    QTest::newRow("text") << "x" << 0;
}

void TestBankText::codeOfField()
{
    QFETCH(QString, field);
    QFETCH(int, code);
    QCOMPARE(int(codeOf(field)), code);
}

QTEST_GUILESS_MAIN(TestBankText)
#include "tst_banktext.moc"
