#include "bank/banktext.h"
#include "tests/support/controlcheck.h"
#include "tests/support/flowfixture.h"
#include "tests/support/uitest.h"
#include "ui/kit/label.h"
#include "ui/kit/twips.h"
#include "ui/testrun/frmreview.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

using namespace kivola;
using uitest::child;
using uitest::textOf;

class TestFrmReview : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanup();
    void frame();
    void controls_data();
    void controls();
    void showsQuestion_data();
    void showsQuestion();
    void laterReviewReplacesEveryText();
    void citationIsNeverClipped();
    void captionsOnBorders_data();
    void captionsOnBorders();
};

void TestFrmReview::initTestCase()
{
    uitest::setUpApplication();
}

void TestFrmReview::cleanup()
{
    QVERIFY(uitest::noWindowLeft());
}

void TestFrmReview::frame()
{
    FrmReview review(nullptr);
    QCOMPARE(review.objectName(), QStringLiteral("frmReview"));
    QCOMPARE(review.windowTitle(), QStringLiteral("Torenza　Kivola　- 見直し -"));
    QCOMPARE(review.size(), QSize(kit::px(5910), kit::px(6090)));
    QCOMPARE(child<QGroupBox>(&review, QStringLiteral("Frame2"))->title(), QStringLiteral("問題"));
    QCOMPARE(
        child<QGroupBox>(&review, QStringLiteral("frameComment"))->title(), QStringLiteral("解説"));
    auto *ok = child<QPushButton>(&review, QStringLiteral("btnOK"));
    QCOMPARE(ok->text(), QStringLiteral("採点結果に戻る"));
    QCOMPARE(review.focusWidget(), ok);
    QCOMPARE(uitest::nextFocusable(ok), child<QLineEdit>(&review, QStringLiteral("txtAnswer")));
    checkCentredOnScreen(&review);
}

void TestFrmReview::controls_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<ControlRow>("row");

    QTest::newRow("Frame2") << "Frame2" << ControlRow {{240, 2400, 5415, 1215}};
    QTest::newRow("lblQuestion") << "lblQuestion"
                                 << ControlRow {{120, 240, 5175, 855}, false, 13, false, false};
    QTest::newRow("txtAnswer") << "txtAnswer"
                               << ControlRow {{2880, 1080, 855, 615}, false, 32, true, false,
                                      QColor(0x00, 0xFF, 0x00), QPalette::Text};
    QTest::newRow("btnOK") << "btnOK"
                           << ControlRow {{1440, 5280, 2895, 615}, false, 19, true, false};
    QTest::newRow("frameComment") << "frameComment" << ControlRow {{240, 3840, 5415, 1215}};
    QTest::newRow("lblComment") << "lblComment"
                                << ControlRow {{120, 240, 5175, 855}, false, 13, false, false};
    QTest::newRow("lblCite") << "lblCite"
                             << ControlRow {
                                    {840, 1920, 4215, 255}, false, 16, true, false, Qt::red};
    QTest::newRow("Title2a") << "Title2a"
                             << ControlRow {
                                    {1845, 390, 2100, 360}, true, 24, true, true, Qt::black};
    QTest::newRow("Title2b") << "Title2b"
                             << ControlRow {{1890, 420, 2100, 360}, true, 24, true, true,
                                    QColor(0xC0, 0xC0, 0xC0)};
    QTest::newRow("Label9") << "Label9"
                            << ControlRow {
                                   {1800, 1200, 945, 360}, true, 24, true, false, Qt::black};
    QTest::newRow("Shape1") << "Shape1"
                            << shapeRow({1080, 240, 3615, 735}, QColor(0xFF, 0xC0, 0x80),
                                   QColor(0xC0, 0x40, 0x00), 3);
}

void TestFrmReview::controls()
{
    QFETCH(QString, name);
    QFETCH(ControlRow, row);
    FrmReview review(nullptr);
    checkControl(&review, name, row);
}

void TestFrmReview::showsQuestion_data()
{
    // Fixture: odd ids are true statements without explanation, even ids false ones with one.
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("mark");
    QTest::addColumn<QString>("comment");

    QTest::newRow("row 1, explained false statement") << 0 << 100 << "×"
                                                      << "問題100番の解説です。";
    QTest::newRow("row 3, unexplained true statement") << 2 << 301 << "○"
                                                       << "解説はありませんm(_ _)m";
    QTest::newRow("row 5") << 4 << 500 << "×"
                           << "問題500番の解説です。";
}

void TestFrmReview::showsQuestion()
{
    QFETCH(int, row);
    QFETCH(int, id);
    QFETCH(QString, mark);
    QFETCH(QString, comment);

    FlowFixture f({100, 200, 301, 400, 500});
    f.quiz.StartTest();
    // The review shows the correct answer whatever the student said.
    for (int n = 0; n < 5; ++n)
        f.quiz.RecordAnswer(AnswerTrue);
    FrmReview review(nullptr);
    review.showQuestion(f.quiz, row);
    QCOMPARE(child<QLineEdit>(&review, QStringLiteral("txtAnswer"))->text(), mark);
    QCOMPARE(textOf(&review, u"lblQuestion"_s), fixture::question(id).questionText);
    QCOMPARE(textOf(&review, u"lblComment"_s), comment);
    QCOMPARE(textOf(&review, u"lblCite"_s), CitationText(fixture::question(id)));
    QCOMPARE(textOf(&review, u"Title2a"_s), QStringLiteral("第%1問 見直し").arg(row + 1));
    QCOMPARE(textOf(&review, u"Title2b"_s), QStringLiteral("第%1問 見直し").arg(row + 1));
}

void TestFrmReview::laterReviewReplacesEveryText()
{
    FlowFixture f({2, 4, 6, 8, 11});
    f.quiz.StartTest();
    for (int n = 0; n < 5; ++n)
        f.quiz.RecordAnswer(AnswerFalse);
    FrmReview review(nullptr);
    review.showQuestion(f.quiz, 4);
    review.showQuestion(f.quiz, 0);
    QCOMPARE(textOf(&review, u"Title2a"_s), QStringLiteral("第1問 見直し"));
    QCOMPARE(textOf(&review, u"lblQuestion"_s), fixture::question(2).questionText);
    QCOMPARE(textOf(&review, u"lblComment"_s), fixture::question(2).explanation);
    QCOMPARE(child<QLineEdit>(&review, QStringLiteral("txtAnswer"))->text(), QStringLiteral("×"));
}

void TestFrmReview::citationIsNeverClipped()
{
    FrmReview review(nullptr);
    auto *cite = child<kit::Label>(&review, QStringLiteral("lblCite"));
    const int designCentre = kit::px(840) + kit::px(4215) / 2;
    cite->setText(QStringLiteral("2003年度追試験　第6問　問8より出題"));
    QVERIFY(!cite->wordWrap());
    QVERIFY(cite->width() >= cite->sizeHint().width());
    QVERIFY(cite->width() >= kit::px(4215));
    QVERIFY(qAbs(cite->geometry().center().x() - designCentre) <= 1);
    QCOMPARE(cite->y(), kit::px(1920));
}

void TestFrmReview::captionsOnBorders_data()
{
    QTest::addColumn<QString>("frame");
    QTest::addColumn<QString>("label");
    QTest::newRow("statement") << u"Frame2"_s << u"lblQuestion"_s;
    QTest::newRow("explanation") << u"frameComment"_s << u"lblComment"_s;
}

void TestFrmReview::captionsOnBorders()
{
    QFETCH(QString, frame);
    QFETCH(QString, label);
    FrmReview review(nullptr);
    review.showStatement(fixture::question(2), u"見直し"_s, u"戻る"_s);
    checkCaptionOnBorder(&review, frame, label);
}

QTEST_MAIN(TestFrmReview)
#include "tst_frmreview.moc"
