#include "bank/banktext.h"
#include "study/completedtest.h"
#include "study/questiontablemodel.h"
#include "tests/support/controlcheck.h"
#include "tests/support/flowfixture.h"
#include "tests/support/recordhistory.h"
#include "tests/support/uitest.h"
#include "ui/frmmain.h"
#include "ui/kit/twips.h"
#include "ui/study/frmbrowser.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QToolButton>

using namespace Qt::Literals::StringLiterals;
using namespace kivola;
using uitest::child;
using uitest::textOf;

namespace {

struct Browser
{
    explicit Browser(int tests)
    {
        const QList<CompletedTest> history = history::randomTests(
            tests, quint32(tests), QDateTime(QDate(2026, 4, 1), QTime(9, 0), Qt::UTC));
        if (tests > 0)
            f.study.record(std::span<const CompletedTest>(history));
        table = *f.study.statementFigures();
        window = std::make_unique<FrmBrowser>(
            fixture::completeBank(), fixture::completeLayer(), table, StatementMemory(), nullptr);
        window->show();
        view = child<QTableView>(window.get(), QStringLiteral("tblQuestions"));
    }

    int rows() const { return view->model()->rowCount(); }
    int idAt(int row) const
    {
        return view->model()->index(row, 0).data(QuestionTableModel::BankIdRole).toInt();
    }
    void select(const QList<int> &rows)
    {
        for (int row : rows) {
            view->selectionModel()->select(view->model()->index(row, 0),
                QItemSelectionModel::Select | QItemSelectionModel::Rows);
        }
    }

    FlowFixture f {{1}};
    StatementTable table;
    std::unique_ptr<FrmBrowser> window;
    QTableView *view = nullptr;
};

int countWhere(const std::function<bool(int)> &pick)
{
    int count = 0;
    for (int id = 1; id <= QuestionBank::QuestionCount; ++id)
        count += pick(id) ? 1 : 0;
    return count;
}

} // namespace

class TestFrmBrowser : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanup();
    void controls_data();
    void controls();
    void tableGrowsWithWindow();
    void nothingOverlapsAtMinimumSize();
    void filters_data();
    void filters();
    void searchAsYouType();
    void clearButtonShowsAll();
    void answersHiddenUntilAsked();
    void practiseSelected();
    void tableIsRead();
};

void TestFrmBrowser::initTestCase()
{
    uitest::setUpApplication();
}

void TestFrmBrowser::cleanup()
{
    QVERIFY(uitest::noWindowLeft());
}

void TestFrmBrowser::controls_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<ControlRow>("row");

    QTest::newRow("Shape1") << u"Shape1"_s
                            << shapeRow({240, 120, 3360, 660}, QColor(0xFF, 0xC0, 0x80),
                                   QColor(0xC0, 0x40, 0x00), 3);
    const QList<std::pair<const char *, QRect>> designed {{"lblSearch", {240, 1005, 840, 270}},
        {"txtSearch", {1080, 960, 4080, 360}}, {"chkShowAnswer", {5400, 990, 1800, 300}},
        {"lblCount", {7320, 1005, 2640, 270}}, {"lblFilter", {240, 1485, 840, 270}},
        {"cboPart", {1080, 1440, 2280, 360}}, {"cboPaper", {3480, 1440, 2280, 360}},
        {"chkWrongEver", {6000, 1470, 2160, 300}}, {"chkUnseen", {8280, 1470, 1560, 300}},
        {"tblQuestions", {240, 1920, 9720, 3720}}, {"frameComment", {240, 5760, 9720, 1740}},
        {"lblComment", {120, 300, 9480, 600}}, {"lblCommentary", {120, 960, 9480, 660}},
        {"btnPractice", {2520, 7680, 2880, 495}}, {"btnOK", {5640, 7680, 2040, 495}}};
    for (const auto &[name, twips] : designed)
        QTest::newRow(name) << QString::fromLatin1(name) << ControlRow {twips};
}

void TestFrmBrowser::controls()
{
    QFETCH(QString, name);
    QFETCH(ControlRow, row);
    Browser b(0);
    QCOMPARE(b.window->size(), QSize(kit::px(10200), kit::px(8340)));
    checkControl(b.window.get(), name, row);
}

void TestFrmBrowser::tableGrowsWithWindow()
{
    Browser b(0);
    QWidget *w = b.window.get();
    auto *frame = child<QGroupBox>(w, QStringLiteral("frameComment"));
    auto *comment = child<QWidget>(w, QStringLiteral("lblComment"));
    auto *practice = child<QPushButton>(w, QStringLiteral("btnPractice"));
    auto *ok = child<QPushButton>(w, QStringLiteral("btnOK"));
    const QSize table = b.view->size();
    const int frameWidth = frame->width();
    const int commentWidth = comment->width();
    const QSize growth(300, 200);
    w->resize(w->size() + growth);
    QCOMPARE(b.view->size(), table + growth);
    QCOMPARE(frame->width(), frameWidth + growth.width());
    QCOMPARE(comment->width(), commentWidth + growth.width());
    QCOMPARE(frame->geometry().bottom(), practice->y() - kit::px(180) - 1);
    QCOMPARE(ok->geometry().bottom(), w->height() - kit::px(165) - 1);
    QVERIFY(qAbs(practice->x() + ok->geometry().right() + 1 - w->width()) <= 1);
    QCOMPARE(child<QWidget>(w, QStringLiteral("lblCount"))->geometry().right() + 1,
        w->width() - kit::px(240));
}

void TestFrmBrowser::nothingOverlapsAtMinimumSize()
{
    Browser b(0);
    QWidget *w = b.window.get();
    const QSize minimum = w->minimumSize();
    QVERIFY(minimum.width() <= kit::px(10200) && minimum.height() <= kit::px(8340));
    w->resize(1, 1);
    QCOMPARE(w->size(), minimum);
    // The title panel and its two titles lie on one another by design.
    QList<QWidget *> controls;
    for (QWidget *control : w->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
        if (control->isVisible() && !control->objectName().startsWith(u"Title")
            && control->objectName() != u"Shape1")
            controls.append(control);
    }
    QCOMPARE(controls.size(), 13);
    for (qsizetype i = 0; i < controls.size(); ++i) {
        const QRect at = controls.at(i)->geometry();
        QVERIFY2(w->rect().contains(at), qPrintable(controls.at(i)->objectName()));
        for (qsizetype j = i + 1; j < controls.size(); ++j) {
            QVERIFY2(!at.intersects(controls.at(j)->geometry()),
                qPrintable(controls.at(i)->objectName() + u' ' + controls.at(j)->objectName()));
        }
    }
    auto *frame = child<QWidget>(w, QStringLiteral("frameComment"));
    for (const char *text : {"lblComment", "lblCommentary"})
        QVERIFY(frame->rect().contains(child<QWidget>(w, QString::fromLatin1(text))->geometry()));
    // The table still shows its header and a few rows.
    QVERIFY(b.view->viewport()->height() >= 4 * b.view->verticalHeader()->defaultSectionSize());
}

void TestFrmBrowser::filters_data()
{
    QTest::addColumn<int>("tests");
    QTest::addColumn<QString>("filter");

    for (int tests : {0, 6, 10000}) {
        for (const char *filter : {"none", "part 3", "paper", "wrong", "unseen"})
            QTest::addRow("%d tests, %s", tests, filter) << tests << QString::fromLatin1(filter);
    }
}

void TestFrmBrowser::filters()
{
    QFETCH(int, tests);
    QFETCH(QString, filter);
    Browser b(tests);
    const StatementTable &t = b.table;
    int expected = QuestionBank::QuestionCount;
    if (filter == QLatin1String("part 3")) {
        child<QComboBox>(b.window.get(), QStringLiteral("cboPart"))->setCurrentIndex(3);
        // Fixture statement n is in part n % 6 + 1.
        expected = countWhere([](int id) { return id % 6 + 1 == 3; });
    } else if (filter == QLatin1String("paper")) {
        // Every fixture statement comes from the 2002 main paper, third in bank order.
        child<QComboBox>(b.window.get(), QStringLiteral("cboPaper"))->setCurrentIndex(1);
        expected = 0;
    } else if (filter == QLatin1String("wrong")) {
        child<QCheckBox>(b.window.get(), QStringLiteral("chkWrongEver"))->setChecked(true);
        expected = countWhere([&t](int id) { return t.at(id).wrong > 0; });
    } else if (filter == QLatin1String("unseen")) {
        child<QCheckBox>(b.window.get(), QStringLiteral("chkUnseen"))->setChecked(true);
        expected = int(neverAnswered(t).size());
    }
    QCOMPARE(b.rows(), expected);
    QCOMPARE(textOf(b.window.get(), QStringLiteral("lblCount")),
        QStringLiteral("565問中 %1問を表示").arg(expected));
}

void TestFrmBrowser::searchAsYouType()
{
    Browser b(0);
    auto *search = child<QLineEdit>(b.window.get(), QStringLiteral("txtSearch"));
    // The input method hands over the kanji at once; the digits come key by key.
    search->insert(QStringLiteral("問題"));
    QTest::keyClick(search, Qt::Key_5);
    // 5, 50..59, 500..565, in statements and, for even ids, in explanations; then 56, 560..565.
    QCOMPARE(b.rows(), 1 + 10 + 66);
    QTest::keyClick(search, Qt::Key_6);
    QCOMPARE(b.rows(), 1 + 6);
    QCOMPARE(b.idAt(0), 56);
    // The explanation is searched too: "解説" is in the explanations of even ids alone.
    search->clear();
    search->insert(QStringLiteral("解説"));
    QCOMPARE(b.rows(), QuestionBank::QuestionCount / 2);
    // So is the commentary: "補足" is in every commentary and nowhere else.
    search->clear();
    search->insert(QStringLiteral("補足"));
    QCOMPARE(b.rows(), QuestionBank::QuestionCount);
    search->insert(QStringLiteral("です"));
    QCOMPARE(b.rows(), QuestionBank::QuestionCount);
    search->clear();
    search->insert(QStringLiteral("問題56番の補足"));
    QCOMPARE(b.rows(), 1);
    QCOMPARE(b.idAt(0), 56);
    search->clear();
    QCOMPARE(b.rows(), QuestionBank::QuestionCount);
}

void TestFrmBrowser::clearButtonShowsAll()
{
    // Opened from the menu, below which the main window's actions are switched off.
    FlowFixture f({1});
    FrmMain main(f.session);
    main.show();
    QString textAfter = QStringLiteral("unset");
    int rowsTyped = -1;
    int rowsAfter = -1;
    uitest::ModalScript script;
    script.expect(QStringLiteral("frmBrowser"), [&](QWidget *w) {
        auto *search = child<QLineEdit>(w, QStringLiteral("txtSearch"));
        auto *view = child<QTableView>(w, QStringLiteral("tblQuestions"));
        QTest::keyClicks(search, QStringLiteral("56"));
        rowsTyped = view->model()->rowCount();
        if (auto *clear = search->findChild<QToolButton *>())
            QTest::mouseClick(clear, Qt::LeftButton, {}, clear->rect().center());
        textAfter = search->text();
        rowsAfter = view->model()->rowCount();
        child<QPushButton>(w, QStringLiteral("btnOK"))->click();
    });
    script.start();
    main.findChild<QAction *>(QStringLiteral("mnuStudyBrowse"))->trigger();
    QVERIFY(script.finished());
    QVERIFY(rowsTyped < QuestionBank::QuestionCount);
    QCOMPARE(textAfter, QString());
    QCOMPARE(rowsAfter, QuestionBank::QuestionCount);
}

void TestFrmBrowser::answersHiddenUntilAsked()
{
    Browser b(0);
    auto *show = child<QCheckBox>(b.window.get(), QStringLiteral("chkShowAnswer"));
    b.view->setCurrentIndex(b.view->model()->index(1, 1));
    QVERIFY(b.view->isColumnHidden(QuestionTableModel::Answer));
    QVERIFY(
        !textOf(b.window.get(), QStringLiteral("lblComment")).contains(QStringLiteral("解説です")));
    QCOMPARE(textOf(b.window.get(), QStringLiteral("lblCommentary")), QString());

    show->setChecked(true);
    QVERIFY(!b.view->isColumnHidden(QuestionTableModel::Answer));
    QCOMPARE(
        textOf(b.window.get(), QStringLiteral("lblComment")), fixture::question(2).explanation);
    QCOMPARE(textOf(b.window.get(), QStringLiteral("lblCommentary")),
        QStringLiteral("補足：") + fixture::completeLayer().note(2).commentary);
    b.view->setCurrentIndex(b.view->model()->index(0, 1));
    QCOMPARE(textOf(b.window.get(), QStringLiteral("lblComment")),
        QStringLiteral("解説はありませんm(_ _)m"));
    QCOMPARE(b.view->model()->index(0, QuestionTableModel::Answer).data().toString(),
        QStringLiteral("○"));
}

void TestFrmBrowser::practiseSelected()
{
    FlowFixture f({1});
    FrmMain main(f.session);
    QList<int> asked;
    bool browserGone = false;
    uitest::ModalScript script;
    script.expect(QStringLiteral("frmBrowser"), [](QWidget *w) {
        auto *view = child<QTableView>(w, QStringLiteral("tblQuestions"));
        // Rows 11..13 after sorting by source hold statements 12..14; six would be too many.
        for (int row : {11, 12, 13}) {
            view->selectionModel()->select(view->model()->index(row, 0),
                QItemSelectionModel::Select | QItemSelectionModel::Rows);
        }
        child<QPushButton>(w, QStringLiteral("btnPractice"))->click();
    });
    QString fillUp;
    script.expect(QStringLiteral("practiceFillUpMessage"), [&fillUp](QWidget *w) {
        fillUp = qobject_cast<QMessageBox *>(w)->text();
        w->close();
    });
    for (int n = 0; n < 5; ++n) {
        script.expect(QStringLiteral("frmQuestion"), [&](QWidget *w) {
            const QString text = textOf(w, QStringLiteral("lblQuestion"));
            asked.append(text.section(QStringLiteral("問題"), 1)
                             .section(QStringLiteral("番"), 0, 0)
                             .toInt());
            browserGone = true;
            for (QWidget *top : QApplication::topLevelWidgets())
                browserGone = browserGone && top->objectName() != QLatin1String("frmBrowser");
            child<QPushButton>(w, QStringLiteral("btnYesNo1"))->click();
        });
    }
    script.expect(QStringLiteral("frmResult"),
        [](QWidget *w) { child<QPushButton>(w, QStringLiteral("btnOK"))->click(); });
    script.start();
    main.findChild<QAction *>(QStringLiteral("mnuStudyBrowse"))->trigger();
    QVERIFY(script.finished());
    QVERIFY(browserGone);
    QCOMPARE(fillUp,
        QStringLiteral("選んだ問題は3問です。残りはまだ解いていない問題から2問を選んで、"
                       "5問の練習にします。"));
    for (int id : {12, 13, 14})
        QVERIFY2(asked.contains(id), qPrintable(QString::number(id)));
    QCOMPARE(f.study.testPoints()->last().kind, TestKind::PracticeSelected);
}

void TestFrmBrowser::tableIsRead()
{
    Browser b(6);
    QAccessibleInterface *table = QAccessible::queryAccessibleInterface(b.view);
    QVERIFY(table && table->tableInterface());
    QCOMPARE(table->tableInterface()->rowCount(), QuestionBank::QuestionCount);
    QAccessibleInterface *cell = table->tableInterface()->cellAt(0, QuestionTableModel::Statement);
    QVERIFY(cell);
    QCOMPARE(cell->text(QAccessible::Name), fixture::question(1).questionText);
    QCOMPARE(table->text(QAccessible::Name), QStringLiteral("問題の一覧"));
}

QTEST_MAIN(TestFrmBrowser)
#include "tst_frmbrowser.moc"
