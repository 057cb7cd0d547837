#include "scores/scoresummary.h"
#include "tests/support/flowfixture.h"
#include "tests/support/uitest.h"
#include "ui/frmabout.h"
#include "ui/frmmain.h"
#include "ui/kit/label.h"
#include "ui/testrun/frmquestion.h"
#include "ui/testrun/frmresult.h"
#include "ui/testrun/frmreview.h"
#include "ui/testrun/frmscore.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QLineEdit>
#include <QTest>

#include <algorithm>
#include <memory>

using namespace Qt::Literals::StringLiterals;

using namespace kivola;

namespace {

// A test answered ○, ×, ○, ○, × on questions whose answers are ○, ○, ○, ×, × (odd ids are
// true statements).
const QList<int> DrawnIds {1, 3, 5, 2, 4};
const QList<AnswerCode> Answers {AnswerTrue, AnswerFalse, AnswerTrue, AnswerTrue, AnswerFalse};

QAccessibleInterface *accessibleChild(const QWidget *window, const QString &name)
{
    auto *widget = window->findChild<QWidget *>(name);
    return widget ? QAccessible::queryAccessibleInterface(widget) : nullptr;
}

// The process-wide parts after one graded test, and every window filled as the program fills it.
struct AllWindows
{
    AllWindows()
        : f(DrawnIds)
    {
        f.quiz.StartTest();
        question = std::make_unique<FrmQuestion>(f.session);
        for (AnswerCode answer : Answers)
            f.quiz.RecordAnswer(answer);
        main = std::make_unique<FrmMain>(f.session);
        result = std::make_unique<FrmResult>(f.quiz, f.store, main.get());
        result->showResult(f.quiz.graded(), QStringLiteral("第1回 採点結果"));
        review = std::make_unique<FrmReview>(result.get());
        review->showQuestion(f.quiz, 0);
        score = std::make_unique<FrmScore>(main.get());
        score->showSummary(ScoreSummary::of(3, 160));
        about = std::make_unique<FrmAbout>(main.get());
    }

    QList<QWidget *> windows() const
    {
        return {main.get(), question.get(), result.get(), review.get(), score.get(), about.get()};
    }
    QWidget *window(const QString &name) const
    {
        for (QWidget *window : windows()) {
            if (window->objectName() == name)
                return window;
        }
        return nullptr;
    }

    FlowFixture f;
    std::unique_ptr<FrmQuestion> question;
    std::unique_ptr<FrmMain> main;
    std::unique_ptr<FrmResult> result;
    std::unique_ptr<FrmReview> review;
    std::unique_ptr<FrmScore> score;
    std::unique_ptr<FrmAbout> about;
};

} // namespace

class TestAccessibility : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanup();
    void namesAndRoles_data();
    void namesAndRoles();
    void everyControlCanBeSpoken();
    void boxesAnnounceTheirValue();
    void resultTableReadsRowByRow();
    void reportValuesFollowTheirText();
};

void TestAccessibility::initTestCase()
{
    uitest::setUpApplication();
}

void TestAccessibility::cleanup()
{
    QVERIFY(uitest::noWindowLeft());
}

void TestAccessibility::namesAndRoles_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("control");
    QTest::addColumn<QAccessible::Role>("role");
    QTest::addColumn<QString>("name");

    const auto button = QAccessible::Button;
    QTest::newRow("main, start") << "frmMain"
                                 << "CBottun" << button << "テスト開始";
    QTest::newRow("main, report") << "frmMain"
                                  << "btnScore" << button << "成績表";
    QTest::newRow("main, end") << "frmMain"
                               << "Command1" << button << "終了";
    QTest::newRow("question, true") << "frmQuestion"
                                    << "btnYesNo1" << button << "正しい（○）";
    QTest::newRow("question, false") << "frmQuestion"
                                     << "btnYesNo2" << button << "誤り（×）";
    QTest::newRow("question, statement") << "frmQuestion"
                                         << "lblQuestion" << QAccessible::StaticText
                                         << fixture::question(DrawnIds.first()).questionText;
    QTest::newRow("result, OK") << "frmResult"
                                << "btnOK" << button << "OK";
    QTest::newRow("result, report") << "frmResult"
                                    << "Command1" << button << "成績表";
    for (int row = 0; row < 5; ++row) {
        QTest::addRow("result, review %d", row + 1)
            << "frmResult" << QStringLiteral("btnReview%1").arg(row) << button
            << QStringLiteral("第%1問 見直し").arg(row + 1);
    }
    QTest::newRow("result, score box") << "frmResult"
                                       << "txtScore" << QAccessible::EditableText << "得点";
    QTest::newRow("review, back") << "frmReview"
                                  << "btnOK" << button << "採点結果に戻る";
    QTest::newRow("review, answer box") << "frmReview"
                                        << "txtAnswer" << QAccessible::EditableText << "正解";
    QTest::newRow("report, OK") << "frmScore"
                                << "btnOK" << button << "OK";
    QTest::newRow("report, count") << "frmScore"
                                   << "lblNo" << QAccessible::StaticText << "テスト回数 3回";
    QTest::newRow("report, total") << "frmScore"
                                   << "lblScore" << QAccessible::StaticText << "総得点数 160点";
    QTest::newRow("report, rate") << "frmScore"
                                  << "lblRate" << QAccessible::StaticText << "正答率 53％";
    QTest::newRow("about, OK") << "frmAbout"
                               << "cmdOK" << button << "OK";
    QTest::newRow("about, icon") << "frmAbout"
                                 << "picIcon" << QAccessible::Graphic
                                 << "Torenza Kivola のアイコン";
}

void TestAccessibility::namesAndRoles()
{
    QFETCH(QString, window);
    QFETCH(QString, control);
    QFETCH(QAccessible::Role, role);
    QFETCH(QString, name);

    const AllWindows all;
    QAccessibleInterface *accessible = accessibleChild(all.window(window), control);
    QVERIFY(accessible);
    QCOMPARE(accessible->role(), role);
    QCOMPARE(accessible->text(QAccessible::Name), name);
}

void TestAccessibility::everyControlCanBeSpoken()
{
    const AllWindows all;
    for (QWidget *window : all.windows()) {
        for (QWidget *widget : window->findChildren<QWidget *>()) {
            const auto *label = qobject_cast<kit::Label *>(widget);
            // Boxes and panels behind text carry none and are skipped by screen readers.
            const bool speaks = qobject_cast<QAbstractButton *>(widget)
                || qobject_cast<QLineEdit *>(widget) || (label && !label->text().isEmpty());
            // Qt's own helpers (the menu bar's overflow button) are not ours to name.
            if (!speaks || widget->objectName().startsWith(QLatin1String("qt_")))
                continue;
            const QString name
                = QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name);
            QVERIFY2(!name.trimmed().isEmpty(),
                qPrintable(window->objectName() + u'.' + widget->objectName()));
        }
    }
}

void TestAccessibility::boxesAnnounceTheirValue()
{
    AllWindows all;
    QAccessibleInterface *score = accessibleChild(all.result.get(), QStringLiteral("txtScore"));
    QCOMPARE(score->text(QAccessible::Value), QStringLiteral("60点"));
    QVERIFY(score->state().readOnly);
    GradedTest perfect = all.f.quiz.graded();
    perfect.score = 100;
    all.result->showResult(perfect, QStringLiteral("第1回 採点結果"));
    QCOMPARE(score->text(QAccessible::Value), QStringLiteral("100点"));

    QAccessibleInterface *answer = accessibleChild(all.review.get(), QStringLiteral("txtAnswer"));
    QCOMPARE(answer->text(QAccessible::Value), QStringLiteral("○"));
    all.review->showQuestion(all.f.quiz, 3);
    QCOMPARE(answer->text(QAccessible::Value), QStringLiteral("×"));
}

void TestAccessibility::resultTableReadsRowByRow()
{
    const AllWindows all;
    // Only what is on screen has a place to be read from.
    all.result->show();
    QVERIFY(QTest::qWaitForWindowExposed(all.result.get()));
    QAccessibleInterface *window = QAccessible::queryAccessibleInterface(all.result.get());
    // What a screen reader's flat review meets going down the sheet, left to right in each line.
    QList<QAccessibleInterface *> cells;
    for (int i = 0; i < window->childCount(); ++i) {
        QAccessibleInterface *cell = window->child(i);
        if (cell->text(QAccessible::Name).startsWith(u'第'))
            cells.append(cell);
    }
    std::ranges::sort(cells, [](QAccessibleInterface *a, QAccessibleInterface *b) {
        return std::pair(a->rect().top(), a->rect().left())
            < std::pair(b->rect().top(), b->rect().left());
    });
    QStringList heard;
    for (QAccessibleInterface *cell : cells) {
        if (!cell->text(QAccessible::Name).contains(QStringLiteral("採点結果")))
            heard.append(cell->text(QAccessible::Name));
    }
    QStringList expected;
    const QStringList points {u"20"_s, u"0"_s, u"20"_s, u"0"_s, u"20"_s};
    const QStringList yours {
        u"正しい（○）"_s, u"誤り（×）"_s, u"正しい（○）"_s, u"正しい（○）"_s, u"誤り（×）"_s};
    const QStringList right {
        u"正しい（○）"_s, u"正しい（○）"_s, u"正しい（○）"_s, u"誤り（×）"_s, u"誤り（×）"_s};
    for (int row = 0; row < 5; ++row) {
        const QString question = QStringLiteral("第%1問").arg(row + 1);
        expected << question << question + u' ' + QStringLiteral("得点 ") + points[row]
                 << question + u' ' + QStringLiteral("回答 ") + yours[row]
                 << question + u' ' + QStringLiteral("正解 ") + right[row]
                 << question + u' ' + QStringLiteral("見直し");
    }
    QCOMPARE(heard, expected);
}

void TestAccessibility::reportValuesFollowTheirText()
{
    AllWindows all;
    all.score->showSummary(ScoreSummary::of(0, 0));
    QCOMPARE(accessibleChild(all.score.get(), QStringLiteral("lblNo"))->text(QAccessible::Name),
        QStringLiteral("テスト回数 0回"));
    QCOMPARE(accessibleChild(all.score.get(), QStringLiteral("lblRate"))->text(QAccessible::Name),
        QStringLiteral("正答率 0％"));
    all.score->showSummary(ScoreSummary::of(4, 400));
    QCOMPARE(accessibleChild(all.score.get(), QStringLiteral("lblScore"))->text(QAccessible::Name),
        QStringLiteral("総得点数 400点"));
    const QString level
        = accessibleChild(all.score.get(), QStringLiteral("lblLevel"))->text(QAccessible::Name);
    QCOMPARE(level,
        QStringLiteral("レベル ")
            + all.score->findChild<kit::Label *>(QStringLiteral("lblLevel"))->text());
}

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
