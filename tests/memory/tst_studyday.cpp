#include "memory/studyday.h"

#include <QTest>

using namespace kivola;

class TestStudyDay : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void studyDay_data();
    void studyDay();
};

void TestStudyDay::studyDay_data()
{
    QTest::addColumn<QDateTime>("utc");
    QTest::addColumn<QTimeZone>("zone");
    QTest::addColumn<QDate>("day");

    const QTimeZone japan(9 * 3600);
    const QDate may2 = QDate(2026, 5, 2);
    QTest::newRow("Japan, 3:59 belongs to the evening before")
        << QDateTime(QDate(2026, 5, 1), QTime(18, 59), Qt::UTC) << japan << QDate(2026, 5, 1);
    QTest::newRow("Japan, 4:00 starts a day")
        << QDateTime(QDate(2026, 5, 1), QTime(19, 0), Qt::UTC) << japan << may2;
    QTest::newRow("Japan, 23:59") << QDateTime(may2, QTime(14, 59), Qt::UTC) << japan << may2;
    QTest::newRow("UTC, midnight")
        << QDateTime(may2, QTime(0, 0), Qt::UTC) << QTimeZone::utc() << QDate(2026, 5, 1);
    QTest::newRow("behind UTC: next UTC date, same study day")
        << QDateTime(QDate(2026, 5, 3), QTime(7, 30), Qt::UTC) << QTimeZone(-5 * 3600) << may2;
    const QTimeZone berlin("Europe/Berlin");
    if (berlin.isValid()) {
        // Summer time starts at 2:00 on 29 March 2026: the short night is still one night.
        QTest::newRow("summer time starts, 3:30 local")
            << QDateTime(QDate(2026, 3, 29), QTime(1, 30), Qt::UTC) << berlin << QDate(2026, 3, 28);
        QTest::newRow("summer time starts, 4:00 local")
            << QDateTime(QDate(2026, 3, 29), QTime(2, 0), Qt::UTC) << berlin << QDate(2026, 3, 29);
    }
}

void TestStudyDay::studyDay()
{
    QFETCH(QDateTime, utc);
    QFETCH(QTimeZone, zone);
    QFETCH(QDate, day);
    QCOMPARE(StudyDay(utc, zone), day.toJulianDay());
}

QTEST_APPLESS_MAIN(TestStudyDay)
#include "tst_studyday.moc"
