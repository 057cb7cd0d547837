#include "study/questionfilter.h"
#include "study/questiontablemodel.h"
#include "tests/support/fixturebank.h"

#include <QAbstractItemModelTester>
#include <QTest>

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
};

void TestQuestionTableModel::modelKeepsTheModelRules()
{
    QuestionTableModel model(fixture::completeBank(), someFigures(), StatementMemory(), nullptr);
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
    QuestionTableModel model(fixture::completeBank(), someFigures(), StatementMemory(), nullptr);
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

QTEST_GUILESS_MAIN(TestQuestionTableModel)
#include "tst_questiontablemodel.moc"
