#include "study/questionfilter.h"
#include "study/questiontablemodel.h"
#include "tests/support/fixturebank.h"

#include <QAbstractItemModelTester>
#include <QTest>

using namespace Qt::Literals::StringLiterals;
using namespace kivola;

namespace {

// Every third statement answered once, wrong when its id is even.
StatementTable someFigures()
{
    StatementTable table = emptyStatementTable();
    for (int id = 3; id <= QuestionBank::QuestionCount; id += 3) {
        const bool wrong = id % 2 == 0;
        table[id] = {1, wrong ? 1 : 0, wrong ? LatestResult::Wrong : LatestResult::Right, false};
    }
    return table;
}

} // namespace

// The browser's models checked by Qt's own model tester, which fails on any broken promise of the
// model interface (row counts, parents, signals around changes) while every filter is switched
// on and off and the view sorts.
class TestQuestionTableModel : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void modelKeepsTheModelRules();
    void filterKeepsTheModelRulesWhileFiltering_data();
    void filterKeepsTheModelRulesWhileFiltering();
    void memoryColumnsSortByValue_data();
    void memoryColumnsSortByValue();
};

void TestQuestionTableModel::modelKeepsTheModelRules()
{
    QuestionTableModel model(fixture::completeBank(), fixture::completeLayer(), someFigures(),
        StatementMemory(), nullptr);
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    QCOMPARE(model.rowCount(), QuestionBank::QuestionCount);
    QCOMPARE(model.columnCount(), int(QuestionTableModel::ColumnCount));
    QCOMPARE(model.index(2, QuestionTableModel::Statement).data(QuestionTableModel::BankIdRole),
        QVariant(3));
}

void TestQuestionTableModel::filterKeepsTheModelRulesWhileFiltering_data()
{
    QTest::addColumn<int>("sortColumn");
    for (int column = 0; column < QuestionTableModel::ColumnCount; ++column)
        QTest::addRow("sorted by column %d", column) << column;
}

void TestQuestionTableModel::filterKeepsTheModelRulesWhileFiltering()
{
    QFETCH(int, sortColumn);
    QuestionTableModel model(fixture::completeBank(), fixture::completeLayer(), someFigures(),
        StatementMemory(), nullptr);
    QuestionFilter filter(&model, nullptr);
    QAbstractItemModelTester tester(
        &filter, QAbstractItemModelTester::FailureReportingMode::QtTest);
    filter.sort(sortColumn, Qt::DescendingOrder);
    filter.setPart(3);
    filter.setWrongEver(true);
    filter.setSearchText(QStringLiteral("問題"));
    filter.setUnseen(true);
    // Answered wrong and never answered exclude each other.
    QCOMPARE(filter.rowCount(), 0);
    filter.setUnseen(false);
    filter.setWrongEver(false);
    filter.setPaper(0);
    filter.setPart(QuestionFilter::Any);
    filter.setPaper(QuestionFilter::Any);
    filter.setSearchText(QString());
    QCOMPARE(filter.rowCount(), QuestionBank::QuestionCount);
}

void TestQuestionTableModel::memoryColumnsSortByValue_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<QList<int>>("order");
    QTest::addColumn<QStringList>("shown");
    // Text order would put "30％" before "5％" and dates before "今日".
    QTest::newRow("memory") << int(QuestionTableModel::Memory) << QList<int> {3, 1, 2}
                            << QStringList {u"—"_s, u"5％"_s, u"30％"_s};
    QTest::newRow("next due") << int(QuestionTableModel::NextDue) << QList<int> {2, 1, 3}
                              << QStringList {u"今日"_s, u"12/1"_s, u"—"_s};
}

void TestQuestionTableModel::memoryColumnsSortByValue()
{
    QFETCH(int, column);
    QFETCH(QList<int>, order);
    QFETCH(QStringList, shown);
    // Statement 1 known at 5 % and due later, statement 2 at 30 % and due today, 3 never seen.
    StatementMemory memory;
    memory.today = QDate(2026, 4, 10);
    memory.retrievability = {0, 0.05, 0.3};
    memory.due = {QDate(), QDate(2026, 12, 1), QDate(2026, 4, 9)};
    QuestionTableModel model(
        fixture::completeBank(), fixture::completeLayer(), someFigures(), memory, nullptr);
    QuestionFilter filter(&model, nullptr);
    filter.setSearchText(QString());
    filter.sort(column, Qt::AscendingOrder);
    QList<int> ids;
    QStringList texts;
    for (int row = 0; row < filter.rowCount() && ids.size() < 3; ++row) {
        const QModelIndex index = filter.index(row, column);
        const int id = index.data(QuestionTableModel::BankIdRole).toInt();
        if (id > 3)
            continue;
        ids.append(id);
        texts.append(index.data().toString());
    }
    QCOMPARE(ids, order);
    QCOMPARE(texts, shown);
}

QTEST_GUILESS_MAIN(TestQuestionTableModel)
#include "tst_questiontablemodel.moc"
