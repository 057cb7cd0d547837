#include "bank/compiledpapers.h"
#include "quiz/examitem.h"
#include "tests/support/uitest.h"
#include "ui/study/itempanel.h"

#include <QAbstractButton>
#include <QKeyEvent>
#include <QLabel>
#include <QSignalSpy>
#include <QTest>

using namespace kivola;

Q_DECLARE_METATYPE(kivola::ItemFormat)

class TestItemPanel : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanup();
    void keysChooseOptions_data();
    void keysChooseOptions();
    void feedbackShowsEveryStatement_data();
    void feedbackShowsEveryStatement();
    void noCommentaryWithoutNote();

private:
    ExamItem itemOf(ItemFormat format) const;

    BankBuild m_build;
    StudyLayer m_layer;
    QList<ExamItem> m_items;
};

void TestItemPanel::initTestCase()
{
    uitest::setUpApplication();
    m_build = BankLoader(compiledPapersDirectory()).build();
    QVERIFY(m_build.isUsable());
    m_items = buildExamItems(m_build.bank);
    const StudyLayerBuild layer
        = StudyLayerLoader(compiledStudyLayerDirectory(), m_build.bank).build();
    QVERIFY(layer.isUsable());
    m_layer = layer.layer;
}

void TestItemPanel::cleanup()
{
    QVERIFY(uitest::noWindowLeft());
}

ExamItem TestItemPanel::itemOf(ItemFormat format) const
{
    for (const ExamItem &item : m_items) {
        if (item.format == format)
            return item;
    }
    return {};
}

void TestItemPanel::keysChooseOptions_data()
{
    QTest::addColumn<ItemFormat>("format");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("option");

    QTest::newRow("digit in a choice of four") << ItemFormat::ChooseTrue << "3" << 3;
    QTest::newRow("full-width digit") << ItemFormat::ChooseFalse << "４" << 4;
    QTest::newRow("digit past the options") << ItemFormat::Pair << "5" << 0;
    QTest::newRow("eighth combination") << ItemFormat::Triple << "8" << 8;
    QTest::newRow("O on a single statement") << ItemFormat::Single << "o" << 1;
    QTest::newRow("full-width X on a single statement") << ItemFormat::Single << "Ｘ" << 2;
    QTest::newRow("X means nothing in a choice of four") << ItemFormat::ChooseTrue << "x" << 0;
    QTest::newRow("zero") << ItemFormat::ChooseTrue << "0" << 0;
}

void TestItemPanel::keysChooseOptions()
{
    QFETCH(ItemFormat, format);
    QFETCH(QString, text);
    QFETCH(int, option);
    ItemPanel panel(m_build.bank, m_layer, nullptr);
    panel.showItem(itemOf(format), QStringLiteral("第1問"));
    QSignalSpy chosen(&panel, &ItemPanel::optionChosen);
    const QKeyEvent key(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, text);
    QCOMPARE(panel.chooseByKey(key), option != 0);
    QCOMPARE(panel.chosenOption(), option);
    QCOMPARE(chosen.size(), option != 0 ? 1 : 0);
}

void TestItemPanel::feedbackShowsEveryStatement_data()
{
    QTest::addColumn<ItemFormat>("format");
    QTest::newRow("choose the true one") << ItemFormat::ChooseTrue;
    QTest::newRow("choose the false one") << ItemFormat::ChooseFalse;
    QTest::newRow("pair") << ItemFormat::Pair;
    QTest::newRow("triple") << ItemFormat::Triple;
    QTest::newRow("single") << ItemFormat::Single;
}

void TestItemPanel::feedbackShowsEveryStatement()
{
    QFETCH(ItemFormat, format);
    const ExamItem item = itemOf(format);
    ItemPanel panel(m_build.bank, m_layer, nullptr);
    panel.showItem(item, QStringLiteral("第1問"));
    panel.show();
    const int wrong = item.rightOption == 1 ? 2 : 1;
    auto *mark0 = panel.findChild<QLabel *>(QStringLiteral("lblMark0"));
    QVERIFY(mark0 && !mark0->isVisible());
    auto *commentary0 = panel.findChild<QLabel *>(QStringLiteral("lblCommentary0"));
    QVERIFY(commentary0 && !commentary0->isVisible());

    panel.showFeedback(wrong);
    for (int i = 0; i < item.bankIds.size(); ++i) {
        const QString index = QString::number(i);
        const auto *mark = panel.findChild<QLabel *>(QStringLiteral("lblMark") + index);
        const auto *citation = panel.findChild<QLabel *>(QStringLiteral("lblCitation") + index);
        QVERIFY(mark->isVisible() && citation->isVisible());
        const auto *commentary = panel.findChild<QLabel *>(QStringLiteral("lblCommentary") + index);
        QVERIFY(commentary->isVisible());
        QCOMPARE(commentary->text(),
            QStringLiteral("補足：") + m_layer.note(item.bankIds.at(i)).commentary);
        const bool isTrue = m_build.bank.record(item.bankIds.at(i)).answerCode == u"1";
        QVERIFY(mark->text().startsWith(isTrue ? u"○" : u"×"));
    }
    QVERIFY(panel.optionButton(item.rightOption)->text().endsWith(u"正解"));
    QVERIFY(panel.optionButton(wrong)->isChecked());
    QVERIFY(!panel.optionButton(wrong)->isEnabled());
    const QKeyEvent key(QEvent::KeyPress, Qt::Key_1, Qt::NoModifier, QStringLiteral("1"));
    QVERIFY(!panel.chooseByKey(key));

    panel.showQuestion();
    QVERIFY(!mark0->isVisible());
    QVERIFY(!commentary0->isVisible());
    QVERIFY(panel.optionButton(1)->isEnabled());
}

void TestItemPanel::noCommentaryWithoutNote()
{
    ItemPanel panel(m_build.bank, StudyLayer(), nullptr);
    panel.showItem(itemOf(ItemFormat::Pair), QStringLiteral("第1問"));
    panel.showFeedback(1);
    QVERIFY(panel.findChild<QLabel *>(QStringLiteral("lblExplanation0")));
    QVERIFY(!panel.findChild<QLabel *>(QStringLiteral("lblCommentary0")));
}

QTEST_MAIN(TestItemPanel)
#include "tst_itempanel.moc"
