#include "memory/reviewsettings.h"
#include "session/memoryfitter.h"
#include "tests/support/uitest.h"
#include "ui/study/frmreviewsettings.h"

#include <QDateEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace kivola;
using uitest::child;
using uitest::textOf;

namespace {

const QDate Spring(2026, 4, 1);
const QDate Winter(2026, 12, 20);
const QDate Exam(2027, 1, 16);

ReviewSettings settingsOf(double retention, int newPerDay, int sessionSize, const QDate &exam)
{
    ReviewSettings settings;
    settings.desiredRetention = retention;
    settings.newPerDay = newPerDay;
    settings.sessionSize = sessionSize;
    settings.examDate = exam;
    return settings;
}

std::unique_ptr<FrmReviewSettings> openOn(
    const ReviewSettings &settings, const QDate &today, MemoryFitter *fitter = nullptr)
{
    auto window = std::make_unique<FrmReviewSettings>(settings, std::vector<Review>(),
        DefaultFsrsParameters, today.toJulianDay(), fitter, nullptr);
    window->show();
    return window;
}

} // namespace

class TestFrmReviewSettings : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanup();
    void valuesRoundTripClamped_data();
    void valuesRoundTripClamped();
    void planLineFollowsTheExam_data();
    void planLineFollowsTheExam();
    void fitOnRequest();
};

void TestFrmReviewSettings::initTestCase()
{
    uitest::setUpApplication();
}

void TestFrmReviewSettings::cleanup()
{
    QVERIFY(uitest::noWindowLeft());
}

void TestFrmReviewSettings::valuesRoundTripClamped_data()
{
    QTest::addColumn<ReviewSettings>("given");
    QTest::addColumn<ReviewSettings>("shown");
    const ReviewSettings usual = settingsOf(0.85, 15, 30, Exam);
    QTest::newRow("within range") << usual << usual;
    QTest::newRow("the defaults") << ReviewSettings::defaults(Spring)
                                  << ReviewSettings::defaults(Spring);
    QTest::newRow("below every range")
        << settingsOf(0.5, -3, 1, Exam) << settingsOf(0.70, 0, 5, Exam);
    QTest::newRow("above every range")
        << settingsOf(0.99, 1000, 500, Exam) << settingsOf(0.97, 565, 100, Exam);
    QTest::newRow("no exam date") << settingsOf(
        0.9, 20, 20, QDate()) << settingsOf(0.9, 20, 20, ReviewSettings::defaultExamDate(Spring));
}

void TestFrmReviewSettings::valuesRoundTripClamped()
{
    QFETCH(ReviewSettings, given);
    QFETCH(ReviewSettings, shown);
    const auto window = openOn(given, Spring);
    QCOMPARE(window->objectName(), QStringLiteral("frmReviewSettings"));
    QCOMPARE(window->settings(), shown);
    QCOMPARE(child<QDateEdit>(window.get(), QStringLiteral("datExam"))->date(), shown.examDate);
    QCOMPARE(window->focusWidget(), child<QSpinBox>(window.get(), QStringLiteral("spnRetention")));
    // Typed past its range, a box holds its limit.
    auto *session = child<QSpinBox>(window.get(), QStringLiteral("spnSessionSize"));
    session->selectAll();
    QTest::keyClicks(session, QStringLiteral("999"));
    QVERIFY(window->settings().sessionSize <= ReviewSettings::MaximumSessionSize);
    window->close();
}

void TestFrmReviewSettings::planLineFollowsTheExam_data()
{
    QTest::addColumn<QDate>("today");
    QTest::addColumn<int>("newPerDay");
    QTest::addColumn<bool>("raised");
    QTest::newRow("exam far off") << Spring << 20 << false;
    QTest::newRow("exam near") << Winter << 20 << true;
    QTest::newRow("exam near, enough a day") << Winter << 565 << false;
}

void TestFrmReviewSettings::planLineFollowsTheExam()
{
    QFETCH(QDate, today);
    QFETCH(int, newPerDay);
    QFETCH(bool, raised);
    const auto window = openOn(settingsOf(0.9, newPerDay, 20, Exam), today);
    const QString plan = textOf(window.get(), QStringLiteral("lblPlan"));
    QVERIFY2(plan.contains(QStringLiteral("試験まであと%1日").arg(today.daysTo(Exam))),
        qPrintable(plan));
    QCOMPARE(plan.contains(QStringLiteral(
                 "試験日までにすべての問題を3回以上解くには、1日あたり新しい問題を")),
        raised);
    // The line follows the controls as they change.
    child<QSpinBox>(window.get(), QStringLiteral("spnNewPerDay"))->setValue(7);
    const QString after = textOf(window.get(), QStringLiteral("lblPlan"));
    QCOMPARE(after.contains(QStringLiteral("新しい問題 7問")), today == Spring);
    QCOMPARE(after.contains(QStringLiteral("1日あたり新しい問題を")), today == Winter);
    window->close();
}

void TestFrmReviewSettings::fitOnRequest()
{
    QTemporaryDir dir;
    MemoryFitter fitter(dir.filePath(QStringLiteral("kivola.sqlite")), QTimeZone::utc(),
        [] { return QDateTime(Spring, QTime(18, 0), Qt::UTC); });
    const auto window = openOn(ReviewSettings::defaults(Spring), Spring, &fitter);
    QSignalSpy finished(&fitter, &MemoryFitter::finished);
    child<QPushButton>(window.get(), QStringLiteral("btnFit"))->click();
    QVERIFY(
        textOf(window.get(), QStringLiteral("lblFit")).contains(QStringLiteral("合わせています")));
    QVERIFY(!child<QPushButton>(window.get(), QStringLiteral("btnFit"))->isEnabled());
    QVERIFY(finished.wait());
    // An empty record: too few answers, so the defaults are kept and said so.
    QVERIFY(
        textOf(window.get(), QStringLiteral("lblFit")).contains(QStringLiteral("標準の値のまま")));
    QVERIFY(child<QPushButton>(window.get(), QStringLiteral("btnFit"))->isEnabled());
    window->close();
}

QTEST_MAIN(TestFrmReviewSettings)
#include "tst_frmreviewsettings.moc"
