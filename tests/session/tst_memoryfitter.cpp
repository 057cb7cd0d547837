#include "session/memoryfitter.h"
#include "session/reviewchoices.h"
#include "study/studyrecord.h"
#include "tests/support/recordhistory.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace kivola;

namespace {

QDateTime g_now;

QDateTime testClock()
{
    return g_now;
}

// Ten minutes apart: about three weeks of tests, enough for a fit on a lowered minimum.
constexpr int Tests = 3000;
constexpr int FitFrom = 50;
// Generous: the fit runs on a loaded machine; nothing is timed.
constexpr int WaitMs = 120000;

} // namespace

class TestMemoryFitter : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void fitIsDeliveredAndKept_data();
    void fitIsDeliveredAndKept();
    void onceADayOnItsOwn();

private:
    QString recordPath() const { return StudyRecord::pathIn(m_dir->path()); }

    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestMemoryFitter::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    g_now = QDateTime(QDate(2026, 5, 1), QTime(12, 0), Qt::UTC);
}

void TestMemoryFitter::fitIsDeliveredAndKept_data()
{
    QTest::addColumn<int>("tests");
    QTest::addColumn<bool>("fitted");

    QTest::newRow("a few weeks of tests") << Tests << true;
    QTest::newRow("nothing recorded: the defaults") << 0 << false;
}

void TestMemoryFitter::fitIsDeliveredAndKept()
{
    QFETCH(int, tests);
    QFETCH(bool, fitted);

    const QList<CompletedTest> history
        = history::randomTests(tests, 5, QDateTime(QDate(2026, 4, 10), QTime(9, 0), Qt::UTC));
    if (tests > 0)
        QVERIFY(StudyRecord(recordPath()).record(std::span<const CompletedTest>(history)));

    MemoryFitter fitter(recordPath(), QTimeZone::utc(), &testClock, nullptr, FitFrom);
    QSignalSpy spy(&fitter, &MemoryFitter::finished);
    QVERIFY(fitter.fitNow());
    QVERIFY(fitter.isRunning());
    // Never delivered from within the call: the window that asked goes on at once.
    QCOMPARE(spy.count(), 0);
    QVERIFY(!fitter.fitNow());
    QTRY_COMPARE_WITH_TIMEOUT(spy.count(), 1, WaitMs);
    QVERIFY(!fitter.isRunning());

    const MemoryFit fit = spy.at(0).at(0).value<MemoryFit>();
    QVERIFY(spy.at(0).at(1).toBool());
    QCOMPARE(fit.fitted, fitted);
    StudyRecord record(recordPath());
    const StoredParameters stored = LoadMemoryParameters(record);
    QCOMPARE(stored.parameters, fit.parameters);
    QCOMPARE(stored.parameters == DefaultFsrsParameters, !fitted);
    QCOMPARE(stored.fitDay, std::optional(g_now.date()));
}

void TestMemoryFitter::onceADayOnItsOwn()
{
    MemoryFitter fitter(recordPath(), QTimeZone::utc(), &testClock, nullptr, FitFrom);
    QSignalSpy spy(&fitter, &MemoryFitter::finished);
    QVERIFY(fitter.fitIfDue());
    QTRY_COMPARE_WITH_TIMEOUT(spy.count(), 1, WaitMs);
    QVERIFY(!fitter.fitIfDue());
    // Still the same study day until 4:00.
    g_now = QDateTime(QDate(2026, 5, 2), QTime(3, 59), Qt::UTC);
    QVERIFY(!fitter.fitIfDue());
    g_now = QDateTime(QDate(2026, 5, 2), QTime(4, 0), Qt::UTC);
    QVERIFY(fitter.fitIfDue());
    QTRY_COMPARE_WITH_TIMEOUT(spy.count(), 2, WaitMs);
    // The student may always ask.
    QVERIFY(fitter.fitNow());
    QTRY_COMPARE_WITH_TIMEOUT(spy.count(), 3, WaitMs);
}

QTEST_GUILESS_MAIN(TestMemoryFitter)
#include "tst_memoryfitter.moc"
