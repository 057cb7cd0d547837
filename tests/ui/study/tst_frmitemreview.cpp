#include "bank/compiledpapers.h"
#include "quiz/itemtext.h"
#include "tests/support/uitest.h"
#include "ui/kit/controls.h"
#include "ui/study/frmitemreview.h"

#include <QAbstractButton>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>

using namespace kivola;
using uitest::child;

Q_DECLARE_METATYPE(kivola::ItemFormat)

namespace {

// The item of the format with the most to read: an item that fits, fits them all.
ExamItem longestOf(const QuestionBank &bank, const QList<ExamItem> &items, ItemFormat format)
{
    ExamItem longest;
    qsizetype most = -1;
    for (const ExamItem &item : items) {
        if (item.format != format)
            continue;
        qsizetype length = 0;
        for (int id : item.bankIds)
            length += bank.record(id).questionText.size() + bank.record(id).explanation.size();
        if (length > most) {
            most = length;
            longest = item;
        }
    }
    return longest;
}

} // namespace

class TestFrmItemReview : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanup();
    void showsTheGradedItem_data();
    void showsTheGradedItem();
    void closesByKey_data();
    void closesByKey();
    void statementAloneReadsWhole();

private:
    QuestionBank m_bank;
    StudyLayer m_layer;
    QList<ExamItem> m_items;
};

void TestFrmItemReview::initTestCase()
{
    uitest::setUpApplication();
    const BankBuild build = BankLoader(compiledPapersDirectory()).build();
    QVERIFY(build.isUsable());
    m_bank = build.bank;
    m_layer = StudyLayerLoader(compiledStudyLayerDirectory(), m_bank).build().layer;
    m_items = buildExamItems(m_bank);
}

void TestFrmItemReview::cleanup()
{
    QVERIFY(uitest::noWindowLeft());
}

void TestFrmItemReview::showsTheGradedItem_data()
{
    QTest::addColumn<ItemFormat>("format");
    // How the option given relates to the right one: 0 none, 1 right, 2 wrong.
    QTest::addColumn<int>("given");
    QTest::addColumn<QString>("verdict");

    QTest::newRow("one true of four, right") << ItemFormat::ChooseTrue << 1 << "○ 正解";
    QTest::newRow("one false of four, wrong") << ItemFormat::ChooseFalse << 2 << "× 不正解";
    QTest::newRow("pair, unanswered") << ItemFormat::Pair << 0 << "× 不正解";
    QTest::newRow("triple, wrong") << ItemFormat::Triple << 2 << "× 不正解";
    QTest::newRow("single, right") << ItemFormat::Single << 1 << "○ 正解";
}

void TestFrmItemReview::showsTheGradedItem()
{
    QFETCH(ItemFormat, format);
    QFETCH(int, given);
    QFETCH(QString, verdict);
    const ExamItem item = longestOf(m_bank, m_items, format);
    const int chosen = given == 0
        ? 0
        : (given == 1 ? item.rightOption : item.rightOption % item.optionCount() + 1);
    FrmItemReview review(m_bank, m_layer, item, chosen, QStringLiteral("第2問"), nullptr);
    review.show();
    QVERIFY(QTest::qWaitForWindowExposed(&review));
    QCOMPARE(review.objectName(), QStringLiteral("frmItemReview"));

    const QString answer = child<QLabel>(&review, QStringLiteral("lblAnswer"))->text();
    QVERIFY2(answer.startsWith(verdict), qPrintable(answer));
    QVERIFY(answer.contains(QStringLiteral("正解 ") + optionLabel(item, item.rightOption)));
    QVERIFY(answer.endsWith(given == 0 ? QStringLiteral("未解答") : optionLabel(item, chosen)));
    QCOMPARE(child<QLabel>(&review, QStringLiteral("lblHeading"))->text(), QStringLiteral("第2問"));
    for (int option = 1; option <= item.optionCount(); ++option) {
        auto *button = child<QAbstractButton>(&review, kit::indexedName("btnOption", option));
        QVERIFY(!button->isEnabled());
        QCOMPARE(button->text().endsWith(QStringLiteral("正解")), option == item.rightOption);
    }
    for (int i = 0; i < int(item.bankIds.size()); ++i) {
        QVERIFY(child<QLabel>(&review, kit::indexedName("lblMark", i))->isVisible());
        QVERIFY(child<QLabel>(&review, kit::indexedName("lblCitation", i))->isVisible());
    }
    // The longest item of its format reads whole at the window's size.
    auto *scroll = child<QScrollArea>(&review, QStringLiteral("scrItem"));
    QVERIFY(!scroll->verticalScrollBar()->isVisible());
    QVERIFY(!scroll->horizontalScrollBar()->isVisible());
    QCOMPARE(review.focusWidget(), child<QPushButton>(&review, QStringLiteral("btnOK")));
}

void TestFrmItemReview::closesByKey_data()
{
    QTest::addColumn<int>("key");
    QTest::newRow("Enter") << int(Qt::Key_Return);
    QTest::newRow("Escape") << int(Qt::Key_Escape);
}

void TestFrmItemReview::closesByKey()
{
    QFETCH(int, key);
    auto *review
        = new FrmItemReview(m_bank, m_layer, m_items.first(), 1, QStringLiteral("問1"), nullptr);
    review->setAttribute(Qt::WA_DeleteOnClose);
    review->show();
    QVERIFY(QTest::qWaitForWindowActive(review));
    QTest::keyClick(review->focusWidget(), Qt::Key(key));
    QVERIFY(uitest::noWindowLeft());
}

void TestFrmItemReview::statementAloneReadsWhole()
{
    // The statement with the most to read once graded, in the smaller window of one statement.
    int longest = 0;
    qsizetype most = -1;
    for (int id = 1; id <= m_bank.questionCount(); ++id) {
        const QuestionRecord &record = m_bank.record(id);
        const qsizetype length = record.questionText.size() + record.explanation.size()
            + m_layer.note(id).commentary.size();
        if (length > most) {
            most = length;
            longest = id;
        }
    }
    FrmItemReview review(m_bank, m_layer, statementItem(m_bank, longest),
        QStringLiteral("よく間違える問題"), nullptr);
    review.show();
    QVERIFY(QTest::qWaitForWindowExposed(&review));
    QVERIFY(!child<QLabel>(&review, QStringLiteral("lblAnswer"))->isVisible());
    auto *commentary = child<QLabel>(&review, QStringLiteral("lblCommentary0"));
    QVERIFY(commentary->isVisible());
    QCOMPARE(commentary->text(), QStringLiteral("補足：") + m_layer.note(longest).commentary);
    auto *scroll = child<QScrollArea>(&review, QStringLiteral("scrItem"));
    QVERIFY(!scroll->verticalScrollBar()->isVisible());
    QVERIFY(!scroll->horizontalScrollBar()->isVisible());
    QCOMPARE(review.focusWidget(), child<QPushButton>(&review, QStringLiteral("btnOK")));
}

QTEST_MAIN(TestFrmItemReview)
#include "tst_frmitemreview.moc"
