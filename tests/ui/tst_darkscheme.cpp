#include "bank/compiledpapers.h"
#include "scores/scoresummary.h"
#include "session/dailyreview.h"
#include "session/drillsession.h"
#include "study/completedtest.h"
#include "tests/support/flowfixture.h"
#include "tests/support/recordhistory.h"
#include "tests/support/uitest.h"
#include "ui/frmabout.h"
#include "ui/frmmain.h"
#include "ui/kit/label.h"
#include "ui/study/frmbrowser.h"
#include "ui/study/frmdailyreview.h"
#include "ui/study/frmitemdrill.h"
#include "ui/study/frmitemreview.h"
#include "ui/study/frmmockresult.h"
#include "ui/study/frmmockstart.h"
#include "ui/study/frmpractice.h"
#include "ui/study/frmrecord.h"
#include "ui/study/frmreviewsettings.h"
#include "ui/testrun/frmquestion.h"
#include "ui/testrun/frmresult.h"
#include "ui/testrun/frmreview.h"
#include "ui/testrun/frmscore.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHash>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>

#include <cmath>
#include <functional>
#include <memory>

using namespace kivola;

// Every window under a dark colour scheme, as KDE's Breeze Dark or Windows' dark mode give it:
// each text must stand out from what is actually drawn behind it, the program's own light
// panels and boxes included. The bar is WCAG 2 AA: a contrast of 4.5 for text, 3 for large text
// (24 pixels, or 18.67 pixels bold, and more).
namespace {

constexpr double BodyContrast = 4.5;
constexpr double LargeContrast = 3.0;
constexpr int LargePixels = 24;
constexpr double LargeBoldPixels = 18.67;

QPalette darkPalette()
{
    QPalette palette;
    const QColor window(0x2a, 0x2e, 0x32);
    const QColor text(0xfc, 0xfc, 0xfc);
    const QColor base(0x1b, 0x1e, 0x20);
    const QColor button(0x31, 0x36, 0x3b);
    palette.setColor(QPalette::Window, window);
    palette.setColor(QPalette::WindowText, text);
    palette.setColor(QPalette::Base, base);
    palette.setColor(QPalette::AlternateBase, button);
    palette.setColor(QPalette::Text, text);
    palette.setColor(QPalette::Button, button);
    palette.setColor(QPalette::ButtonText, text);
    palette.setColor(QPalette::Highlight, QColor(0x3d, 0xae, 0xe9));
    palette.setColor(QPalette::HighlightedText, text);
    palette.setColor(QPalette::ToolTipBase, window);
    palette.setColor(QPalette::ToolTipText, text);
    palette.setColor(QPalette::Light, QColor(0x40, 0x46, 0x4c));
    palette.setColor(QPalette::Midlight, QColor(0x36, 0x3b, 0x40));
    palette.setColor(QPalette::Mid, QColor(0x24, 0x27, 0x2a));
    palette.setColor(QPalette::Dark, QColor(0x14, 0x16, 0x18));
    palette.setColor(QPalette::Shadow, Qt::black);
    palette.setColor(QPalette::PlaceholderText, QColor(0xa1, 0xa9, 0xb1));
    return palette;
}

// WCAG 2's own formula, written out here apart from the program's.
double luminance(const QColor &colour)
{
    const auto linear
        = [](double c) { return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4); };
    return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF())
        + 0.0722 * linear(colour.blueF());
}

double contrast(const QColor &a, const QColor &b)
{
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor mostCommonColour(const QImage &image)
{
    QHash<QRgb, int> counts;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            ++counts[image.pixel(x, y)];
    }
    QRgb common = 0;
    int most = -1;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
        if (it.value() > most) {
            most = it.value();
            common = it.key();
        }
    }
    return QColor::fromRgb(common);
}

// What lies behind a control that draws no background of its own: its parent drawn without it.
QColor colourBehind(QWidget *control)
{
    QSizePolicy policy = control->sizePolicy();
    const QSizePolicy kept = policy;
    policy.setRetainSizeWhenHidden(true);
    control->setSizePolicy(policy);
    control->hide();
    const QImage behind = control->parentWidget()->grab(control->geometry()).toImage();
    control->show();
    control->setSizePolicy(kept);
    return mostCommonColour(behind);
}

// What a control draws at a point given as fractions of its size: beside the text for a button
// (whose style may shade its face from top to bottom), past it for a combo box.
QColor colourAt(QWidget *control, qreal across, qreal down)
{
    const QImage image = control->grab().toImage();
    return image.pixelColor(int(image.width() * across), int(image.height() * down));
}

struct Text
{
    QWidget *control;
    QColor colour;
    QColor background;
};

// The texts a window shows, each with its colour and the colour it is drawn on. A title's silver
// copy behind it is its shadow, no text of its own.
QList<Text> textsOf(QWidget *window)
{
    QList<Text> texts;
    for (QWidget *control : window->findChildren<QWidget *>()) {
        if (!control->isVisibleTo(window) || !control->isEnabled())
            continue;
        const QPalette &palette = control->palette();
        if (auto *label = qobject_cast<QLabel *>(control)) {
            if (label->text().isEmpty() || label->objectName().startsWith(u"qt_"))
                continue;
            const QColor colour = palette.color(label->foregroundRole());
            if (qobject_cast<kit::Label *>(label) && label->objectName().endsWith(u'b')
                && colour == QColor(0xC0, 0xC0, 0xC0))
                continue;
            texts.append({label, colour, colourBehind(label)});
        } else if (auto *box = qobject_cast<QCheckBox *>(control)) {
            texts.append({box, palette.color(QPalette::WindowText), colourBehind(box)});
        } else if (auto *button = qobject_cast<QPushButton *>(control)) {
            texts.append({button, palette.color(QPalette::ButtonText), colourAt(button, 0.1, 0.5)});
        } else if (auto *frame = qobject_cast<QGroupBox *>(control)) {
            if (!frame->title().isEmpty())
                texts.append(
                    {frame, palette.color(QPalette::WindowText), palette.color(QPalette::Window)});
        } else if (auto *edit = qobject_cast<QLineEdit *>(control)) {
            if (!edit->text().isEmpty())
                texts.append({edit, palette.color(QPalette::Text), palette.color(QPalette::Base)});
        } else if (auto *combo = qobject_cast<QComboBox *>(control)) {
            texts.append(
                {combo, palette.color(QPalette::ButtonText), colourAt(combo, 2.0 / 3, 0.5)});
        }
    }
    return texts;
}

bool isLarge(const QFont &font)
{
    return font.pixelSize() >= LargePixels || (font.bold() && font.pixelSize() >= LargeBoldPixels);
}

using Opener = std::function<std::unique_ptr<QWidget>(FlowFixture &)>;

} // namespace

Q_DECLARE_METATYPE(Opener)

class TestDarkScheme : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanup();
    void textsReadOnWhatIsBehind_data();
    void textsReadOnWhatIsBehind();
};

void TestDarkScheme::initTestCase()
{
    uitest::setUpApplication();
    QApplication::setPalette(darkPalette());
}

void TestDarkScheme::cleanup()
{
    QVERIFY(uitest::noWindowLeft());
}

void TestDarkScheme::textsReadOnWhatIsBehind_data()
{
    QTest::addColumn<Opener>("open");
    QTest::addColumn<int>("fewestTexts");

    QTest::newRow("main") << Opener([](FlowFixture &f) {
        return std::unique_ptr<QWidget>(std::make_unique<FrmMain>(f.session));
    }) << 8;
    QTest::newRow("version") << Opener([](FlowFixture &) {
        return std::unique_ptr<QWidget>(std::make_unique<FrmAbout>(nullptr));
    }) << 5;
    QTest::newRow("question") << Opener([](FlowFixture &f) {
        f.quiz.StartTest();
        return std::unique_ptr<QWidget>(std::make_unique<FrmQuestion>(f.session));
    }) << 4;
    QTest::newRow("result") << Opener([](FlowFixture &f) {
        auto window = std::make_unique<FrmResult>(f.quiz, f.store, nullptr);
        GradedTest graded;
        graded.answers
            = {{{1, 1, 1, 20}, {3, 2, 1, 0}, {5, 1, 1, 20}, {2, 1, 2, 0}, {4, 2, 2, 20}}};
        graded.score = 60;
        graded.rank = 6;
        window->showResult(graded, QStringLiteral("第1回 採点結果"));
        return std::unique_ptr<QWidget>(std::move(window));
    }) << 34;
    QTest::newRow("review") << Opener([](FlowFixture &) {
        auto window = std::make_unique<FrmReview>(nullptr);
        window->showStatement(
            fixture::question(2), QStringLiteral("見直し"), QStringLiteral("戻る"));
        return std::unique_ptr<QWidget>(std::move(window));
    }) << 9;
    QTest::newRow("score report") << Opener([](FlowFixture &) {
        auto window = std::make_unique<FrmScore>(nullptr);
        window->showSummary(ScoreSummary::of(3, 160));
        return std::unique_ptr<QWidget>(std::move(window));
    }) << 12;
    QTest::newRow("practice choice") << Opener([](FlowFixture &) {
        return std::unique_ptr<QWidget>(std::make_unique<FrmPractice>(fixture::completeBank(),
            fixture::completeLayer(), PracticeChoice::everything(), nullptr));
    }) << 17;
    QTest::newRow("study record") << Opener([](FlowFixture &f) {
        const QList<CompletedTest> tests
            = history::randomTests(30, 30u, QDateTime(QDate(2026, 4, 1), QTime(9, 0), Qt::UTC));
        f.study.record(std::span<const CompletedTest>(tests));
        return std::unique_ptr<QWidget>(
            std::make_unique<FrmRecord>(fixture::completeBank(), fixture::completeLayer(),
                *f.study.statementFigures(), *f.study.testPoints(FrmRecord::ShownTests),
                QList<PaperResult>(), ReviewFigures(), nullptr));
    }) << 8;
    QTest::newRow("study record with the forecast") << Opener([](FlowFixture &f) {
        const QList<CompletedTest> tests
            = history::randomTests(30, 30u, QDateTime(QDate(2026, 4, 1), QTime(9, 0), Qt::UTC));
        f.study.record(std::span<const CompletedTest>(tests));
        DailyReview review(f.study.path(), fixture::completeBank(), QTimeZone::utc(),
            [] { return QDateTime(QDate(2026, 4, 5), QTime(9, 0), Qt::UTC); });
        review.reload();
        return std::unique_ptr<QWidget>(
            std::make_unique<FrmRecord>(fixture::completeBank(), fixture::completeLayer(),
                *f.study.statementFigures(), *f.study.testPoints(FrmRecord::ShownTests),
                QList<PaperResult>(), reviewFiguresOf(review, fixture::completeLayer()), nullptr));
    }) << 10;
    QTest::newRow("study record by period and theme") << Opener([](FlowFixture &f) {
        const QList<CompletedTest> tests
            = history::randomTests(30, 30u, QDateTime(QDate(2026, 4, 1), QTime(9, 0), Qt::UTC));
        f.study.record(std::span<const CompletedTest>(tests));
        DailyReview review(f.study.path(), fixture::completeBank(), QTimeZone::utc(),
            [] { return QDateTime(QDate(2026, 4, 5), QTime(9, 0), Qt::UTC); });
        review.reload();
        auto window = std::make_unique<FrmRecord>(fixture::completeBank(), fixture::completeLayer(),
            *f.study.statementFigures(), *f.study.testPoints(FrmRecord::ShownTests),
            QList<PaperResult>(), reviewFiguresOf(review, fixture::completeLayer()), nullptr);
        window->showPage(FrmRecord::PeriodsAndThemes);
        return std::unique_ptr<QWidget>(std::move(window));
    }) << 10;
    QTest::newRow("empty study record") << Opener([](FlowFixture &f) {
        return std::unique_ptr<QWidget>(
            std::make_unique<FrmRecord>(fixture::completeBank(), fixture::completeLayer(),
                *f.study.statementFigures(), *f.study.testPoints(FrmRecord::ShownTests),
                QList<PaperResult>(), ReviewFigures(), nullptr));
    }) << 3;
    QTest::newRow("mock paper start") << Opener([](FlowFixture &) {
        return std::unique_ptr<QWidget>(
            std::make_unique<FrmMockStart>(std::array<int, Papers.size()> {28, 31, 31, 30, 28, 26},
                0, true, PaperUnderWay {1, 2, 31, true, 750}, nullptr));
    }) << 6;
    QTest::newRow("mock paper result") << Opener([](FlowFixture &) {
        MockPaper paper = MockPaper::ofPaper(
            buildExamItems(fixture::completeBank()), 2, MockPaper::Countdown::On);
        paper.choose(0, 1);
        paper.choose(1, 2);
        return std::unique_ptr<QWidget>(std::make_unique<FrmMockResult>(paper, true, nullptr));
    }) << 12;
    QTest::newRow("browser") << Opener([](FlowFixture &f) {
        auto window = std::make_unique<FrmBrowser>(fixture::completeBank(),
            fixture::completeLayer(), *f.study.statementFigures(), StatementMemory(), nullptr);
        auto *check = window->findChild<QCheckBox *>(QStringLiteral("chkShowAnswer"));
        check->setChecked(true);
        auto *table = window->findChild<QTableView *>(QStringLiteral("tblQuestions"));
        table->selectRow(1);
        return std::unique_ptr<QWidget>(std::move(window));
    }) << 13;
    QTest::newRow("daily review, answered") << Opener([](FlowFixture &f) {
        auto review = std::make_unique<DailyReview>(f.study.path(), fixture::completeBank(),
            QTimeZone::utc(), [] { return QDateTime(QDate(2026, 4, 5), QTime(9, 0), Qt::UTC); });
        review->reload();
        auto window = std::make_unique<FrmDailyReview>(fixture::completeBank(),
            fixture::completeLayer(), std::move(review), f.study.path(), nullptr, nullptr);
        window->findChild<QAbstractButton *>(QStringLiteral("btnFalse"))->click();
        return std::unique_ptr<QWidget>(std::move(window));
    }) << 6;
    QTest::newRow("review settings") << Opener([](FlowFixture &) {
        const QDate today(2026, 12, 20);
        return std::unique_ptr<QWidget>(std::make_unique<FrmReviewSettings>(
            ReviewSettings::defaults(today), std::vector<Review>(), DefaultFsrsParameters,
            today.toJulianDay(), nullptr, nullptr));
    }) << 8;
    // Items of every kind, on the real bank: a choice of four first, graded.
    QTest::newRow("item drill") << Opener([](FlowFixture &f) {
        const QuestionBank bank = BankLoader(compiledPapersDirectory()).build().bank;
        const StudyLayer layer
            = StudyLayerLoader(compiledStudyLayerDirectory(), bank).build().layer;
        auto window = std::make_unique<FrmItemDrill>(bank, layer, buildExamItems(bank), f.random,
            std::make_unique<DrillSession>(f.study.path(), bank), nullptr);
        window->findChild<QAbstractButton *>(QStringLiteral("btnOption2"))->click();
        window->findChild<QAbstractButton *>(QStringLiteral("btnAnswer"))->click();
        return std::unique_ptr<QWidget>(std::move(window));
    }) << 12;
    QTest::newRow("item review") << Opener([](FlowFixture &) {
        const QuestionBank bank = BankLoader(compiledPapersDirectory()).build().bank;
        const StudyLayer layer
            = StudyLayerLoader(compiledStudyLayerDirectory(), bank).build().layer;
        const QList<ExamItem> items = buildExamItems(bank);
        const auto pair = std::find_if(items.cbegin(), items.cend(),
            [](const ExamItem &item) { return item.format == ItemFormat::Pair; });
        return std::unique_ptr<QWidget>(
            std::make_unique<FrmItemReview>(bank, layer, *pair, 1, QStringLiteral("問1"), nullptr));
    }) << 10;
    QTest::newRow("one statement looked at from the record") << Opener([](FlowFixture &) {
        const QuestionBank bank = BankLoader(compiledPapersDirectory()).build().bank;
        const StudyLayer layer
            = StudyLayerLoader(compiledStudyLayerDirectory(), bank).build().layer;
        return std::unique_ptr<QWidget>(std::make_unique<FrmItemReview>(
            bank, layer, statementItem(bank, 2), QStringLiteral("よく間違える問題"), nullptr));
    }) << 8;
}

void TestDarkScheme::textsReadOnWhatIsBehind()
{
    QFETCH(Opener, open);
    QFETCH(int, fewestTexts);
    FlowFixture f({1, 2, 3, 4, 5});
    const std::unique_ptr<QWidget> window = open(f);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    const QList<Text> texts = textsOf(window.get());
    QVERIFY2(texts.size() >= fewestTexts, qPrintable(QString::number(texts.size())));
    for (const Text &text : texts) {
        const double needed = isLarge(text.control->font()) ? LargeContrast : BodyContrast;
        const double ratio = contrast(text.colour, text.background);
        QVERIFY2(ratio >= needed,
            qPrintable(
                QStringLiteral("%1: %2 on %3, %4 < %5")
                    .arg(text.control->objectName(), text.colour.name(), text.background.name())
                    .arg(ratio, 0, 'f', 2)
                    .arg(needed)));
    }
}

QTEST_MAIN(TestDarkScheme)
#include "tst_darkscheme.moc"
