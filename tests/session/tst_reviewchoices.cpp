#include "session/reviewchoices.h"
#include "study/studyrecord.h"

#include <QTemporaryDir>
#include <QTest>

using namespace kivola;

namespace {

const QDate Today(2025, 9, 1);

} // namespace

class TestReviewChoices : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void settingsRoundTrip_data();
    void settingsRoundTrip();
    void malformedSettingsReadAsDefaults_data();
    void malformedSettingsReadAsDefaults();
    void parameters_data();
    void parameters();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<StudyRecord> m_record;
};

void TestReviewChoices::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_record = std::make_unique<StudyRecord>(StudyRecord::pathIn(m_dir->path()));
}

void TestReviewChoices::settingsRoundTrip_data()
{
    QTest::addColumn<ReviewSettings>("saved");
    QTest::addColumn<ReviewSettings>("read");

    const QDate exam(2027, 1, 16);
    QTest::newRow("as chosen") << ReviewSettings {0.83, 35, 30, exam}
                               << ReviewSettings {0.83, 35, 30, exam};
    QTest::newRow("clamped") << ReviewSettings {0.99, 1000, 2, exam}
                             << ReviewSettings {0.97, 565, 5, exam};
    QTest::newRow("no exam date: the default")
        << ReviewSettings {0.9, 20, 20, QDate()} << ReviewSettings::defaults(Today);
}

void TestReviewChoices::settingsRoundTrip()
{
    QFETCH(ReviewSettings, saved);
    QFETCH(ReviewSettings, read);
    QCOMPARE(LoadReviewSettings(*m_record, Today), ReviewSettings::defaults(Today));
    QVERIFY(SaveReviewSettings(*m_record, saved, Today));
    QCOMPARE(LoadReviewSettings(*m_record, Today), read);
}

void TestReviewChoices::malformedSettingsReadAsDefaults_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("value");

    QTest::newRow("retention, text") << RetentionChoice << "ninety";
    QTest::newRow("retention, infinite") << RetentionChoice << "inf";
    QTest::newRow("new per day, fraction") << NewPerDayChoice << "2.5";
    QTest::newRow("session size, empty") << SessionSizeChoice << "";
    QTest::newRow("exam date, no date") << ExamDateChoice << "2026-02-30";
}

void TestReviewChoices::malformedSettingsReadAsDefaults()
{
    QFETCH(QString, name);
    QFETCH(QString, value);
    QVERIFY(m_record->setValue(name, value));
    QCOMPARE(LoadReviewSettings(*m_record, Today), ReviewSettings::defaults(Today));
}

void TestReviewChoices::parameters_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<bool>("kept");

    FsrsParameters fitted = DefaultFsrsParameters;
    fitted[0] = 0.5;
    fitted[20] = 0.3;
    QStringList fields;
    for (const double value : fitted)
        fields.append(QString::number(value, 'g', 17));
    QTest::newRow("fitted") << fields.join(u',') << true;
    QTest::newRow("one short") << fields.mid(1).join(u',') << false;
    QStringList outside = fields;
    outside[20] = QStringLiteral("0.95");
    QTest::newRow("out of range") << outside.join(u',') << false;
    QStringList text = fields;
    text[3] = QStringLiteral("x");
    QTest::newRow("not a number") << text.join(u',') << false;
}

void TestReviewChoices::parameters()
{
    QFETCH(QString, stored);
    QFETCH(bool, kept);

    QCOMPARE(LoadMemoryParameters(*m_record).parameters, DefaultFsrsParameters);
    QVERIFY(!LoadMemoryParameters(*m_record).fitDay);
    QVERIFY(m_record->setValue(QString::fromLatin1(ParametersChoice), stored));
    QVERIFY(m_record->setValue(QString::fromLatin1(FitDayChoice), QStringLiteral("2025-08-31")));
    const StoredParameters read = LoadMemoryParameters(*m_record);
    QCOMPARE(read.fitDay, std::optional(QDate(2025, 8, 31)));
    QCOMPARE(read.parameters == DefaultFsrsParameters, !kept);
    if (kept) {
        QVERIFY(SaveMemoryParameters(*m_record, read.parameters, Today));
        QCOMPARE(LoadMemoryParameters(*m_record).parameters, read.parameters);
        QCOMPARE(LoadMemoryParameters(*m_record).fitDay, std::optional(Today));
    }
}

QTEST_GUILESS_MAIN(TestReviewChoices)
#include "tst_reviewchoices.moc"
