#include "bank/compiledpapers.h"
#include "quiz/practicechoice.h"

#include <algorithm>

#include <QTest>

using namespace kivola;

namespace {

// Parts are given as 1..6, papers as indexes in the bank order (0 = 2003年度本試験); every
// period and theme is chosen.
PracticeChoice choiceOf(const QList<int> &parts, const QList<int> &papers)
{
    PracticeChoice choice;
    for (int part : parts)
        choice.parts[std::size_t(part - 1)] = true;
    for (int paper : papers)
        choice.papers[std::size_t(paper)] = true;
    choice.periods.fill(true);
    choice.themes.fill(true);
    return choice;
}

// Every part and paper, and only the periods and themes given (indexes in their lists).
PracticeChoice layerChoiceOf(const QList<int> &periods, const QList<int> &themes)
{
    PracticeChoice choice = PracticeChoice::everything();
    choice.periods.fill(false);
    choice.themes.fill(false);
    for (int period : periods)
        choice.periods[std::size_t(period)] = true;
    for (int theme : themes)
        choice.themes[std::size_t(theme)] = true;
    return choice;
}

} // namespace

class TestPracticeChoice : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void countsInRealBank_data();
    void countsInRealBank();
    void periodsAndThemes_data();
    void periodsAndThemes();
    void textRoundTrip_data();
    void textRoundTrip();
    void oldTextMeansEveryPeriodAndTheme();
    void malformedTextGivesNothing_data();
    void malformedTextGivesNothing();

private:
    BankBuild m_build;
    StudyLayer m_layer;
};

void TestPracticeChoice::initTestCase()
{
    m_build = BankLoader(compiledPapersDirectory()).build();
    QVERIFY(m_build.isUsable());
    const StudyLayerBuild layer
        = StudyLayerLoader(compiledStudyLayerDirectory(), m_build.bank).build();
    QVERIFY(layer.isUsable());
    m_layer = layer.layer;
}

void TestPracticeChoice::countsInRealBank_data()
{
    QTest::addColumn<PracticeChoice>("choice");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("firstId");

    QTest::newRow("everything") << PracticeChoice::everything() << 565 << 1;
    QTest::newRow("nothing") << PracticeChoice() << 0 << 0;
    QTest::newRow("part 1 of all six papers") << choiceOf({1}, {0, 1, 2, 3, 4, 5}) << 111 << 1;
    QTest::newRow("2002 supplementary alone")
        << choiceOf({1, 2, 3, 4, 5, 6}, {3}) << 98 << 96 + 107 + 100 + 1;
    QTest::newRow("part 1 of 2002 supplementary") << choiceOf({1}, {3}) << 20 << 304;
    QTest::newRow("parts without papers") << choiceOf({1, 2, 3}, {}) << 0 << 0;
    QTest::newRow("last paper, last part") << choiceOf({6}, {5}) << 9 << 557;
}

void TestPracticeChoice::countsInRealBank()
{
    QFETCH(PracticeChoice, choice);
    QFETCH(int, count);
    QFETCH(int, firstId);
    const QList<int> ids = choice.idsIn(m_build.bank, m_layer);
    QCOMPARE(ids.size(), count);
    QCOMPARE(ids.value(0), firstId);
    for (int id : ids) {
        const QuestionRecord &record = m_build.bank.record(id);
        QVERIFY(choice.parts[std::size_t(partOf(record) - 1)]);
        QVERIFY(choice.papers[std::size_t(paperIndexOf(record))]);
    }
    // The items it covers hold exactly its statements: a source item never straddles a choice.
    QList<int> itemIds;
    for (const ExamItem &item : choice.itemsIn(buildExamItems(m_build.bank), m_layer))
        itemIds.append(item.bankIds);
    QCOMPARE(itemIds, ids);
}

void TestPracticeChoice::periodsAndThemes_data()
{
    QTest::addColumn<PracticeChoice>("choice");

    QTest::newRow("江戸") << layerChoiceOf({7}, {0, 1, 2, 3, 4, 5});
    QTest::newRow("原始・古墳 and 戦後") << layerChoiceOf({0, 11}, {0, 1, 2, 3, 4, 5});
    QTest::newRow("外交") << layerChoiceOf({0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}, {1});
    QTest::newRow("明治 文化・宗教") << layerChoiceOf({8}, {4});
    QTest::newRow("no theme") << layerChoiceOf({7}, {});
}

void TestPracticeChoice::periodsAndThemes()
{
    QFETCH(PracticeChoice, choice);
    QList<int> expected;
    for (int id = 1; id <= QuestionBank::QuestionCount; ++id) {
        const StudyNote &note = m_layer.note(id);
        bool themeChosen = false;
        for (int theme = 0; theme < ThemeCount; ++theme)
            themeChosen
                = themeChosen || (choice.themes[theme] && note.themes.testFlag(AllThemes[theme]));
        if (choice.periods[std::size_t(note.period)] && themeChosen)
            expected.append(id);
    }
    const QList<int> ids = choice.idsIn(m_build.bank, m_layer);
    QCOMPARE(ids, expected);

    // An item comes with any one of its statements; every chosen statement brings its item.
    const QList<ExamItem> items = choice.itemsIn(buildExamItems(m_build.bank), m_layer);
    QList<int> itemIds;
    for (const ExamItem &item : items) {
        QVERIFY(std::any_of(item.bankIds.cbegin(), item.bankIds.cend(),
            [&ids](int id) { return ids.contains(id); }));
        itemIds.append(item.bankIds);
    }
    for (int id : ids)
        QVERIFY(itemIds.contains(id));
}

void TestPracticeChoice::textRoundTrip_data()
{
    QTest::addColumn<PracticeChoice>("choice");
    QTest::addColumn<QString>("text");

    QTest::newRow("everything") << PracticeChoice::everything()
                                << QStringLiteral("parts=1,2,3,4,5,6;papers=0,1,2,3,4,5;periods=0,"
                                                  "1,2,3,4,5,6,7,8,9,10,11;themes=0,1,2,3,4,5");
    QTest::newRow("nothing") << PracticeChoice()
                             << QStringLiteral("parts=;papers=;periods=;themes=");
    QTest::newRow("some") << layerChoiceOf({7, 11},
        {0, 4}) << QStringLiteral("parts=1,2,3,4,5,6;papers=0,1,2,3,4,5;periods=7,11;themes=0,4");
}

void TestPracticeChoice::oldTextMeansEveryPeriodAndTheme()
{
    QCOMPARE(PracticeChoice::fromText(QStringLiteral("parts=2,6;papers=0,5")),
        std::optional<PracticeChoice>(choiceOf({2, 6}, {0, 5})));
}

void TestPracticeChoice::textRoundTrip()
{
    QFETCH(PracticeChoice, choice);
    QFETCH(QString, text);
    QCOMPARE(choice.toText(), text);
    QCOMPARE(PracticeChoice::fromText(text), std::optional<PracticeChoice>(choice));
}

void TestPracticeChoice::malformedTextGivesNothing_data()
{
    QTest::addColumn<QString>("text");

    QTest::newRow("empty") << QString();
    QTest::newRow("part 7") << QStringLiteral("parts=7;papers=0");
    QTest::newRow("part 0") << QStringLiteral("parts=0;papers=0");
    QTest::newRow("paper 6") << QStringLiteral("parts=1;papers=6");
    QTest::newRow("not a number") << QStringLiteral("parts=a;papers=0");
    QTest::newRow("fields swapped") << QStringLiteral("papers=0;parts=1");
    QTest::newRow("period 12") << QStringLiteral("parts=1;papers=0;periods=12;themes=0");
    QTest::newRow("theme 6") << QStringLiteral("parts=1;papers=0;periods=0;themes=6");
    QTest::newRow("themes left out") << QStringLiteral("parts=1;papers=0;periods=0");
    QTest::newRow("periods and themes swapped")
        << QStringLiteral("parts=1;papers=0;themes=0;periods=0");
}

void TestPracticeChoice::malformedTextGivesNothing()
{
    QFETCH(QString, text);
    QVERIFY(!PracticeChoice::fromText(text));
}

QTEST_GUILESS_MAIN(TestPracticeChoice)
#include "tst_practicechoice.moc"
