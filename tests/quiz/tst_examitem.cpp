#include "bank/compiledpapers.h"
#include "quiz/examitem.h"
#include "quiz/itemtext.h"
#include "tests/support/fixedrandomsource.h"

#include <QTest>

#include <map>

using namespace kivola;
using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(kivola::ItemFormat)

namespace {

// A bank whose statements all come from one item of 2003年度本試験 第2問 問5, with these answers.
QuestionBank oneItemBank(const QList<AnswerCode> &answers)
{
    QuestionBank bank;
    for (AnswerCode answer : answers) {
        bank.append({QStringLiteral("文"), QString::number(answer), QString(),
            QStringLiteral("2003"), QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("5")});
    }
    return bank;
}

constexpr AnswerCode T = AnswerTrue;
constexpr AnswerCode F = AnswerFalse;

} // namespace

class TestExamItem : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void realBankShape();
    void itemsPerPaper_data();
    void itemsPerPaper();
    void formatAndRightOption_data();
    void formatAndRightOption();
    void optionLabels_data();
    void optionLabels();
    void drawTakesEachItemOnce();

private:
    BankBuild m_build;
    QList<ExamItem> m_items;
};

void TestExamItem::initTestCase()
{
    m_build = BankLoader(compiledPapersDirectory()).build();
    QVERIFY(m_build.isUsable());
    m_items = buildExamItems(m_build.bank);
}

void TestExamItem::realBankShape()
{
    std::map<ItemFormat, int> counts;
    int statements = 0;
    int nextId = 1;
    for (const ExamItem &item : m_items) {
        ++counts[item.format];
        statements += int(item.bankIds.size());
        // Every statement in exactly one item, in bank order.
        for (int id : item.bankIds)
            QCOMPARE(id, nextId++);
        QVERIFY(item.rightOption >= 1 && item.rightOption <= item.optionCount());
    }
    QCOMPARE(m_items.size(), 174);
    QCOMPARE(statements, QuestionBank::QuestionCount);
    QCOMPARE(counts[ItemFormat::ChooseTrue], 69);
    QCOMPARE(counts[ItemFormat::ChooseFalse], 40);
    QCOMPARE(counts[ItemFormat::Pair], 44);
    QCOMPARE(counts[ItemFormat::Triple], 10);
    QCOMPARE(counts[ItemFormat::Single], 11);
}

void TestExamItem::itemsPerPaper_data()
{
    QTest::addColumn<int>("paper");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("firstSource");

    QTest::newRow("2003 main") << 0 << 28 << QStringLiteral("2003年度本試験　第1問　問1");
    QTest::newRow("2003 supplementary") << 1 << 31 << QStringLiteral("2003年度追試験　第1問　問3");
    QTest::newRow("2002 main") << 2 << 31 << QStringLiteral("2002年度本試験　第1問　問1");
    QTest::newRow("2002 supplementary") << 3 << 30 << QStringLiteral("2002年度追試験　第1問　問1");
    QTest::newRow("2001 main") << 4 << 28 << QStringLiteral("2001年度本試験　第1問　問1");
    QTest::newRow("2001 supplementary") << 5 << 26 << QStringLiteral("2001年度追試験　第1問　問1");
    QTest::newRow("no such paper") << 6 << 0 << QString();
}

void TestExamItem::itemsPerPaper()
{
    QFETCH(int, paper);
    QFETCH(int, count);
    QFETCH(QString, firstSource);
    const QList<ExamItem> items = itemsOfPaper(m_items, paper);
    QCOMPARE(items.size(), count);
    if (!items.isEmpty())
        QCOMPARE(itemSource(items.first()), firstSource);
    for (qsizetype i = 1; i < items.size(); ++i)
        QVERIFY(items.at(i - 1).part <= items.at(i).part);
}

void TestExamItem::formatAndRightOption_data()
{
    QTest::addColumn<QList<AnswerCode>>("answers");
    QTest::addColumn<QList<int>>("itemSizes");
    QTest::addColumn<ItemFormat>("format");
    QTest::addColumn<int>("rightOption");

    QTest::newRow("one true of four")
        << QList<AnswerCode> {F, F, T, F} << QList<int> {4} << ItemFormat::ChooseTrue << 3;
    QTest::newRow("one false of four")
        << QList<AnswerCode> {F, T, T, T} << QList<int> {4} << ItemFormat::ChooseFalse << 1;
    QTest::newRow("pair true true")
        << QList<AnswerCode> {T, T} << QList<int> {2} << ItemFormat::Pair << 1;
    QTest::newRow("pair true false")
        << QList<AnswerCode> {T, F} << QList<int> {2} << ItemFormat::Pair << 2;
    QTest::newRow("pair false true")
        << QList<AnswerCode> {F, T} << QList<int> {2} << ItemFormat::Pair << 3;
    QTest::newRow("pair false false")
        << QList<AnswerCode> {F, F} << QList<int> {2} << ItemFormat::Pair << 4;
    QTest::newRow("triple all true")
        << QList<AnswerCode> {T, T, T} << QList<int> {3} << ItemFormat::Triple << 1;
    QTest::newRow("triple false true false")
        << QList<AnswerCode> {F, T, F} << QList<int> {3} << ItemFormat::Triple << 6;
    QTest::newRow("triple all false")
        << QList<AnswerCode> {F, F, F} << QList<int> {3} << ItemFormat::Triple << 8;
    QTest::newRow("single false") << QList<AnswerCode> {F} << QList<int> {1} << ItemFormat::Single
                                  << 2;
    QTest::newRow("two of four true: asked one by one")
        << QList<AnswerCode> {T, F, T, F} << QList<int> {1, 1, 1, 1} << ItemFormat::Single << 1;
}

void TestExamItem::formatAndRightOption()
{
    QFETCH(QList<AnswerCode>, answers);
    QFETCH(QList<int>, itemSizes);
    QFETCH(ItemFormat, format);
    QFETCH(int, rightOption);
    const QList<ExamItem> items = buildExamItems(oneItemBank(answers));
    QList<int> sizes;
    for (const ExamItem &item : items)
        sizes.append(int(item.bankIds.size()));
    QCOMPARE(sizes, itemSizes);
    QCOMPARE(items.first().format, format);
    QCOMPARE(items.first().rightOption, rightOption);
    QCOMPARE(items.first().paperIndex, 0);
    QCOMPARE(items.first().part, 2);
}

void TestExamItem::optionLabels_data()
{
    QTest::addColumn<QList<AnswerCode>>("answers");
    QTest::addColumn<QStringList>("labels");
    QTest::addColumn<QString>("lastSpoken");

    QTest::newRow("choice of four")
        << QList<AnswerCode> {F, F, T, F} << QStringList {u"①"_s, u"②"_s, u"③"_s, u"④"_s}
        << QStringLiteral("4番");
    QTest::newRow("pair") << QList<AnswerCode> {T,
        F} << QStringList {u"①　X正　Y正"_s, u"②　X正　Y誤"_s, u"③　X誤　Y正"_s, u"④　X誤　Y誤"_s}
                          << QStringLiteral("4番、Xは誤り、Yは誤り");
    QTest::newRow("triple") << QList<AnswerCode> {T, F, T}
                            << QStringList {u"①　X正　Y正　Z正"_s, u"②　X正　Y正　Z誤"_s,
                                   u"③　X正　Y誤　Z正"_s, u"④　X正　Y誤　Z誤"_s,
                                   u"⑤　X誤　Y正　Z正"_s, u"⑥　X誤　Y正　Z誤"_s,
                                   u"⑦　X誤　Y誤　Z正"_s, u"⑧　X誤　Y誤　Z誤"_s}
                            << QStringLiteral("8番、Xは誤り、Yは誤り、Zは誤り");
    QTest::newRow("single") << QList<AnswerCode> {T} << QStringList {u"○"_s, u"×"_s}
                            << QStringLiteral("誤り（×）");
}

void TestExamItem::optionLabels()
{
    QFETCH(QList<AnswerCode>, answers);
    QFETCH(QStringList, labels);
    QFETCH(QString, lastSpoken);
    const ExamItem item = buildExamItems(oneItemBank(answers)).first();
    QStringList shown;
    for (int option = 1; option <= item.optionCount(); ++option)
        shown.append(optionLabel(item, option));
    QCOMPARE(shown, labels);
    QCOMPARE(spokenOption(item, item.optionCount()), lastSpoken);
}

void TestExamItem::drawTakesEachItemOnce()
{
    // The same uniform again and again must still give five different items.
    FixedRandomSource random({0.0f});
    const QList<ExamItem> drawn = drawItems(m_items.mid(0, 7), 5, random);
    QCOMPARE(drawn.size(), 5);
    for (int i = 0; i < 5; ++i)
        QCOMPARE(drawn.at(i), m_items.at(i));
    FixedRandomSource top({0.9999f});
    QCOMPARE(drawItems(m_items.mid(0, 3), 5, top).size(), 3);
}

QTEST_GUILESS_MAIN(TestExamItem)
#include "tst_examitem.moc"
