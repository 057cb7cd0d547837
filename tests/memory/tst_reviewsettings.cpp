#include "memory/reviewsettings.h"

#include <QTest>

using namespace kivola;

class TestReviewSettings : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void defaultExamDate_data();
    void defaultExamDate();
    void clamped_data();
    void clamped();
};

void TestReviewSettings::defaultExamDate_data()
{
    QTest::addColumn<QDate>("today");
    QTest::addColumn<QDate>("exam");

    QTest::newRow("autumn: the coming January") << QDate(2025, 10, 1) << QDate(2026, 1, 17);
    QTest::newRow("early January: this month") << QDate(2026, 1, 2) << QDate(2026, 1, 17);
    QTest::newRow("the exam day itself") << QDate(2026, 1, 17) << QDate(2026, 1, 17);
    QTest::newRow("the day after: next year") << QDate(2026, 1, 18) << QDate(2027, 1, 16);
    QTest::newRow("13 January is a Saturday") << QDate(2023, 6, 1) << QDate(2024, 1, 13);
}

void TestReviewSettings::defaultExamDate()
{
    QFETCH(QDate, today);
    QFETCH(QDate, exam);
    QCOMPARE(ReviewSettings::defaultExamDate(today), exam);
    QCOMPARE(exam.dayOfWeek(), int(Qt::Saturday));
}

void TestReviewSettings::clamped_data()
{
    QTest::addColumn<ReviewSettings>("given");
    QTest::addColumn<ReviewSettings>("expected");

    const QDate today(2025, 9, 1);
    const QDate exam(2026, 1, 17);
    const QDate chosen(2026, 2, 1);
    QTest::newRow("within range") << ReviewSettings {0.85, 30, 40, chosen}
                                  << ReviewSettings {0.85, 30, 40, chosen};
    QTest::newRow("below") << ReviewSettings {0.5, -4, 1, chosen}
                           << ReviewSettings {0.7, 0, 5, chosen};
    QTest::newRow("above") << ReviewSettings {0.999, 9999, 1000, chosen}
                           << ReviewSettings {0.97, 565, 100, chosen};
    QTest::newRow("not a number, no exam date")
        << ReviewSettings {qQNaN(), 20, 20, QDate()} << ReviewSettings {0.9, 20, 20, exam};
}

void TestReviewSettings::clamped()
{
    QFETCH(ReviewSettings, given);
    QFETCH(ReviewSettings, expected);
    QCOMPARE(given.clamped(QDate(2025, 9, 1)), expected);
}

QTEST_APPLESS_MAIN(TestReviewSettings)
#include "tst_reviewsettings.moc"
