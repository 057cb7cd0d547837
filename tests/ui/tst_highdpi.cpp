#include "bank/compiledpapers.h"
#include "bank/grading.h"
#include "bank/questionbank.h"
#include "bank/studylayer.h"
#include "scores/scoresummary.h"
#include "tests/support/flowfixture.h"
#include "tests/support/uitest.h"
#include "ui/frmabout.h"
#include "ui/frmmain.h"
#include "ui/kit/label.h"
#include "ui/kit/programicon.h"
#include "ui/study/frmbrowser.h"
#include "ui/study/frmrecord.h"
#include "ui/testrun/frmquestion.h"
#include "ui/testrun/frmresult.h"
#include "ui/testrun/frmreview.h"
#include "ui/testrun/frmscore.h"

#include <QApplication>
#include <QColorSpace>
#include <QLineEdit>
#include <QPainter>
#include <QRegularExpression>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QTest>

#include <cmath>

using namespace kivola;

// Runs once per screen scale factor (QT_SCALE_FACTOR, set by CTest): the layouts are in logical
// pixels and their fonts in pixels, so every text that fits at one factor must fit at all.
namespace {

constexpr int IconPixels = 32;
constexpr int ResultRanks = 11;

// QLineEdit keeps this many pixels between its frame and its text on each side.
constexpr int LineEditTextMargin = 2;

qreal requestedFactor()
{
    const QString factor = qEnvironmentVariable("QT_SCALE_FACTOR");
    return factor.isEmpty() ? 1.0 : factor.toDouble();
}

// Ink outside this far from a label's edges would be clipped; nothing is drawn further out.
constexpr int InkMargin = 16;
// Antialiasing fringes fainter than a quarter of a pixel, as some faces' left bearings leave at
// the start of a line, are not seen; clipping them loses nothing.
constexpr int VisibleAlpha = 64;

QString withoutSpaces(QString text)
{
    text.remove(QRegularExpression(QStringLiteral("\\s")));
    return text;
}

// Where a wrapping label's text is cut: lines it has no room for, or glyphs reaching past its
// edges, found by drawing its lines unclipped at the screen's scale.
QStringList wrappedShortfall(const kit::Label *label, const QString &text)
{
    QStringList faults;
    QString shown;
    for (const kit::WrappedLine &line : label->wrapped().lines)
        shown += line.text;
    if (withoutSpaces(shown) != withoutSpaces(text))
        faults.append(QStringLiteral("shows only 「%1」").arg(shown));
    const qreal factor = qApp->devicePixelRatio();
    const QSize area = label->contentsRect().size();
    QImage canvas(
        (area + QSize(2 * InkMargin, 2 * InkMargin)) * factor, QImage::Format_ARGB32_Premultiplied);
    canvas.setDevicePixelRatio(factor);
    canvas.fill(Qt::transparent);
    QPainter painter(&canvas);
    painter.translate(InkMargin, InkMargin);
    label->drawLines(painter);
    painter.end();
    const QRect inside(QPoint(InkMargin, InkMargin) * factor, area * factor);
    int outside = 0;
    for (int y = 0; y < canvas.height(); ++y) {
        const auto *row = reinterpret_cast<const QRgb *>(canvas.constScanLine(y));
        for (int x = 0; x < canvas.width(); ++x)
            outside += qAlpha(row[x]) >= VisibleAlpha && !inside.contains(x, y);
    }
    if (outside > 0)
        faults.append(QStringLiteral("%1 device pixels of ink outside %2×%3")
                          .arg(outside)
                          .arg(area.width())
                          .arg(area.height()));
    return faults;
}

// Why a label does not show the whole of a text, or an empty string when it does. One-line
// labels must be as wide as the text; wrapping ones must show every line and every glyph whole.
QString shortfall(kit::Label *label, const QString &text)
{
    label->setText(text);
    QStringList faults;
    if (label->wordWrap()) {
        faults = wrappedShortfall(label, text);
    } else {
        const QFontMetrics metrics = label->fontMetrics();
        const QSize needed(metrics.horizontalAdvance(text), metrics.height());
        if (needed.width() > label->contentsRect().width()
            || needed.height() > label->contentsRect().height())
            faults.append(QStringLiteral("needs %1×%2 px, has %3×%4")
                              .arg(needed.width())
                              .arg(needed.height())
                              .arg(label->contentsRect().width())
                              .arg(label->contentsRect().height()));
    }
    if (!label->window()->rect().contains(label->geometry()))
        faults.append(QStringLiteral("reaches outside the window"));
    return faults.isEmpty() ? QString()
                            : label->objectName() + QStringLiteral(" 「") + text
            + QStringLiteral("」: ") + faults.join(QStringLiteral(", "));
}

kit::Label *label(const QWidget *window, const char *name)
{
    return window->findChild<kit::Label *>(QString::fromLatin1(name));
}

} // namespace

class TestHighDpi : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanup();
    void everyQuestionFits();
    void everyExplanationFits();
    void everyCommentFits();
    void everyCommentaryFitsTheBrowser();
    void weakestGroupsFitTheRecord();
    void widestValuesFit();
    void layoutTextsFit();
    void iconIsSharp();

private:
    QuestionBank m_bank;
};

void TestHighDpi::initTestCase()
{
    uitest::setUpApplication();
    // Without this the runs at the other factors would quietly test factor 1 again.
    QCOMPARE(qApp->devicePixelRatio(), requestedFactor());
    const BankBuild build = BankLoader(compiledPapersDirectory()).build();
    QVERIFY(build.isUsable());
    m_bank = build.bank;
}

void TestHighDpi::cleanup()
{
    QVERIFY(uitest::noWindowLeft());
}

void TestHighDpi::everyQuestionFits()
{
    FlowFixture f({1});
    f.quiz.StartTest();
    FrmQuestion question(f.session);
    FrmReview review(nullptr);
    QStringList faults;
    for (int id = 1; id <= m_bank.questionCount(); ++id) {
        const QString &text = m_bank.record(id).questionText;
        faults << shortfall(label(&question, "lblQuestion"), text)
               << shortfall(label(&review, "lblQuestion"), text);
    }
    faults.removeAll(QString());
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(u'\n')));
}

void TestHighDpi::everyExplanationFits()
{
    FrmReview review(nullptr);
    QStringList faults;
    for (int id = 1; id <= m_bank.questionCount(); ++id)
        faults << shortfall(label(&review, "lblComment"), m_bank.record(id).explanation);
    faults.removeAll(QString());
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(u'\n')));
}

void TestHighDpi::everyCommentFits()
{
    FlowFixture f({1});
    FrmResult result(f.quiz, f.store, nullptr);
    FrmScore report(nullptr);
    QStringList reportFaults;
    QStringList resultFaults;
    for (int rank = 0; rank < ResultRanks; ++rank) {
        reportFaults << shortfall(label(&report, "lblComment"), CommentFor(rank));
        resultFaults << shortfall(label(&result, "lblComment"), CommentFor(rank));
    }
    reportFaults.removeAll(QString());
    resultFaults.removeAll(QString());
    QVERIFY2(reportFaults.isEmpty(), qPrintable(reportFaults.join(u'\n')));
    // The result sheet gives its comment one line: the longest comments fit it in a face with
    // the original's proportional kana, and set a little closer in one with full-width kana.
    QVERIFY2(resultFaults.isEmpty(), qPrintable(resultFaults.join(u'\n')));
}

void TestHighDpi::everyCommentaryFitsTheBrowser()
{
    const StudyLayerBuild layer = StudyLayerLoader(compiledStudyLayerDirectory(), m_bank).build();
    QVERIFY(layer.isUsable());
    FrmBrowser browser(m_bank, layer.layer, emptyStatementTable(), StatementMemory(), nullptr);
    QStringList faults;
    for (int id = 1; id <= m_bank.questionCount(); ++id) {
        faults << shortfall(label(&browser, "lblComment"), m_bank.record(id).explanation)
               << shortfall(label(&browser, "lblCommentary"),
                      QStringLiteral("補足：") + layer.layer.note(id).commentary);
    }
    faults.removeAll(QString());
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(u'\n')));
}

void TestHighDpi::weakestGroupsFitTheRecord()
{
    ReviewFigures review;
    review.known = true;
    review.today = QDate(2026, 12, 20);
    review.examDate = QDate(2027, 1, 16);
    const QList<TestPoints> oneTest {{QDateTime(review.today, QTime(9, 0), Qt::UTC)}};
    FrmRecord record(m_bank, StudyLayer(), emptyStatementTable(), oneTest, {}, review, nullptr);
    QStringList faults;
    for (const char *name : {"lblWeakestPeriod", "lblWeakestTheme", "lblMemoryNote"})
        faults << shortfall(label(&record, name), label(&record, name)->text());
    // The longest names, every answer right.
    faults << shortfall(label(&record, "lblWeakestPeriod"),
        QStringLiteral("いちばん苦手な時代は 戦国・安土桃山（正答率 100％）"))
           << shortfall(label(&record, "lblWeakestTheme"),
                  QStringLiteral("いちばん苦手な分野は 社会・土地制度（正答率 100％）"))
           << shortfall(label(&record, "lblWeakest"),
                  QStringLiteral("いちばん苦手なのは 第6問 近現代（正答率 100％）"));
    faults.removeAll(QString());
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(u'\n')));
}

void TestHighDpi::widestValuesFit()
{
    FrmScore report(nullptr);
    QStringList faults;
    for (int rank = 0; rank < ResultRanks; ++rank)
        faults << shortfall(label(&report, "lblLevel"), LevelFor(rank));
    faults << shortfall(label(&report, "lblScore"), QStringLiteral("100点"))
           << shortfall(label(&report, "lblRate"), QStringLiteral("100％"));
    faults.removeAll(QString());
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(u'\n')));

    FlowFixture f({1});
    FrmResult result(f.quiz, f.store, nullptr);
    auto *box = result.findChild<QLineEdit *>(QStringLiteral("txtScore"));
    box->setText(QStringLiteral("100点"));
    QStyleOptionFrame option;
    option.initFrom(box);
    option.rect = box->rect();
    option.lineWidth = box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, box);
    const QRect contents = box->style()->subElementRect(QStyle::SE_LineEditContents, &option, box);
    QVERIFY(box->fontMetrics().horizontalAdvance(box->text()) + 2 * LineEditTextMargin
        <= contents.width());
    QVERIFY(box->fontMetrics().height() <= contents.height());
}

void TestHighDpi::layoutTextsFit()
{
    FlowFixture f({1});
    FrmMain main(f.session);
    FrmAbout about(nullptr);
    FrmScore report(nullptr);
    QStringList faults;
    for (const auto &[window, name] :
        {std::pair<QWidget *, const char *>(&main, "Title2"), {&about, "Label1"},
            {&about, "Label2"}, {&about, "VTitle2"}, {&report, "lblComment"}}) {
        kit::Label *shown = label(window, name);
        faults << shortfall(shown, shown->text());
    }
    faults.removeAll(QString());
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(u'\n')));
}

void TestHighDpi::iconIsSharp()
{
    const qreal factor = qApp->devicePixelRatio();
    const int devicePixels = int(std::ceil(IconPixels * factor));
    // The version window's picture is drawn at the screen's resolution, not blown up from 32 px.
    FrmAbout about(nullptr);
    const QPixmap shown = about.findChild<QLabel *>(QStringLiteral("picIcon"))->pixmap();
    QCOMPARE(shown.devicePixelRatio(), factor);
    QCOMPARE(shown.deviceIndependentSize(), QSizeF(IconPixels, IconPixels));
    QVERIFY(shown.width() >= devicePixels);
    // Where a rendition of exactly that size exists, it is the one shown, pixel for pixel.
    const QImage rendition(QStringLiteral(":/icons/kivola-%1.png").arg(devicePixels));
    if (!rendition.isNull()) {
        const QImage expected = rendition.convertToFormat(QImage::Format_ARGB32_Premultiplied);
        QImage pixels = shown.toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
        pixels.setDevicePixelRatio(expected.devicePixelRatio());
        pixels.setColorSpace(expected.colorSpace());
        QCOMPARE(pixels, expected);
    }
    // The window icon offers a rendition at least as large as the title bar asks for.
    bool largeEnough = false;
    for (const QSize &size : kit::programIcon().availableSizes())
        largeEnough = largeEnough || size.width() >= devicePixels;
    QVERIFY(largeEnough);
}

QTEST_MAIN(TestHighDpi)
#include "tst_highdpi.moc"
