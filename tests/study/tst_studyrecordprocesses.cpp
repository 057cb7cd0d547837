#include "study/itemrecord.h"
#include "study/paperclaim.h"
#include "study/studyrecord.h"
#include "tests/support/helperprocess.h"
#include "tests/support/sqlitefile.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

using namespace kivola;

namespace {

// Several writes long, so that the kills land anywhere in a write.
constexpr int MaxKillDelayMs = 40;
constexpr int DefaultKillRounds = 20;
constexpr int TestsPerCopy = 100;
constexpr int PauseBetweenTestsMs = 2;
constexpr int SeededTests = 3;
// Far below the size of a record with tests in it.
constexpr int FullDiskBytes = 1024;

void startRecorder(QProcess &process, const QStringList &args)
{
    startHelper(process, QStringLiteral(KIVOLA_STUDY_RECORDER), args);
}

CompletedTest someTest()
{
    CompletedTest test {QDateTime::currentDateTimeUtc(), TestKind::Ordinary, 100, {}};
    for (int slot = 1; slot <= AnswersPerTest; ++slot)
        test.answers[slot - 1] = {slot, slot, AnswerTrue, true};
    return test;
}

int testsIn(const QString &path)
{
    return sqliteValue(path, QStringLiteral("SELECT count(*) FROM tests")).toInt();
}

// Sound, and every test with its five answers.
void checkIntact(const QString &path)
{
    QCOMPARE(
        sqliteValue(path, QStringLiteral("PRAGMA quick_check")).toString(), QStringLiteral("ok"));
    QCOMPARE(sqliteValue(path,
                 QStringLiteral("SELECT count(*) FROM tests WHERE (SELECT count(*) FROM answers "
                                "WHERE test_id = tests.id) <> %1")
                     .arg(AnswersPerTest))
                 .toInt(),
        0);
}

} // namespace

class TestStudyRecordProcesses : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void processLimits_data();
    void processLimits();
    void heldLockFailsThenRecovers();
    void twoCopiesKeepEveryTest();
    void killedWriteKeepsCommittedTests();
    void killedPaperStaysResumable();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_path;
};

void TestStudyRecordProcesses::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_path = StudyRecord::pathIn(m_dir->path());
}

void TestStudyRecordProcesses::processLimits_data()
{
    QTest::addColumn<QString>("limit");
    QTest::addColumn<int>("folderMode");
    QTest::addColumn<int>("fileMode");

    QTest::newRow("read-only file") << "rights" << 0777 << 0444;
    QTest::newRow("read-only folder") << "rights" << 0555 << 0666;
    QTest::newRow("full disk") << "file size" << 0700 << 0600;
}

// The copy that cannot write reports the test as not saved and leaves the record as it was.
void TestStudyRecordProcesses::processLimits()
{
#ifdef Q_OS_UNIX
    QFETCH(QString, limit);
    QFETCH(int, folderMode);
    QFETCH(int, fileMode);

    {
        StudyRecord seed(m_path);
        for (int n = 0; n < SeededTests; ++n)
            QVERIFY(seed.record(someTest()));
    }
    const QByteArray folder = QFile::encodeName(m_dir->path());
    QProcess recorder;
    QVERIFY(chmod(QFile::encodeName(m_path).constData(), mode_t(fileMode)) == 0);
    QVERIFY(chmod(folder.constData(), mode_t(folderMode)) == 0);
    const LimitedRun run = runLimited(recorder,
        limit == QLatin1String("rights") ? HelperLimit::Rights : HelperLimit::FileSize,
        FullDiskBytes, QStringLiteral(KIVOLA_STUDY_RECORDER),
        {QStringLiteral("record"), m_path, QStringLiteral("1")});
    chmod(folder.constData(), S_IRWXU);
    chmod(QFile::encodeName(m_path).constData(), S_IRUSR | S_IWUSR);
    if (!run.skipReason.isEmpty())
        QSKIP(qPrintable(run.skipReason));
    QVERIFY(run.finished);
    QCOMPARE(recorder.exitCode(), 0);

    // One test not saved, nothing moved aside.
    QCOMPARE(recorder.readAllStandardOutput(), QByteArray("ready\n1 0\n"));
    QCOMPARE(testsIn(m_path), SeededTests);
    checkIntact(m_path);
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files | QDir::Hidden),
        QStringList {QStringLiteral("kivola.sqlite")});
#else
    QSKIP("process limits and rights are tested on Unix only");
#endif
}

void TestStudyRecordProcesses::heldLockFailsThenRecovers()
{
    QVERIFY(StudyRecord(m_path).record(someTest()));
    QProcess holder;
    startRecorder(holder, {QStringLiteral("hold"), m_path});

    StudyRecord record(m_path);
    QVERIFY(!record.record(someTest()));
    holder.kill();
    QVERIFY(holder.waitForFinished(HelperTimeoutMs));
    QVERIFY(record.record(someTest()));
    QCOMPARE(testsIn(m_path), 2);
    QVERIFY(record.takeNotices().isEmpty());
}

void TestStudyRecordProcesses::twoCopiesKeepEveryTest()
{
    QProcess first;
    QProcess second;
    const QStringList args {QStringLiteral("record"), m_path, QString::number(TestsPerCopy),
        QString::number(PauseBetweenTestsMs)};
    // Both create the record at once.
    startRecorder(first, args);
    startRecorder(second, args);
    QVERIFY(first.waitForFinished(HelperTimeoutMs));
    QVERIFY(second.waitForFinished(HelperTimeoutMs));
    QCOMPARE(first.readAllStandardOutput(), QByteArray("0 0\n"));
    QCOMPARE(second.readAllStandardOutput(), QByteArray("0 0\n"));
    QCOMPARE(testsIn(m_path), 2 * TestsPerCopy);
    checkIntact(m_path);
}

void TestStudyRecordProcesses::killedWriteKeepsCommittedTests()
{
    const int rounds = qEnvironmentVariableIsSet("KIVOLA_KILL_ROUNDS")
        ? qEnvironmentVariableIntValue("KIVOLA_KILL_ROUNDS")
        : DefaultKillRounds;
    int committed = 0;
    int journals = 0;
    for (int round = 0; round < rounds; ++round) {
        QProcess recorder;
        startRecorder(recorder, {QStringLiteral("record"), m_path, QStringLiteral("0")});
        // After its first test, however slow this build makes it, at a random moment.
        waitForLine(recorder);
        QThread::msleep(QRandomGenerator::global()->bounded(MaxKillDelayMs));
        recorder.kill();
        QVERIFY(recorder.waitForFinished(HelperTimeoutMs));
        const int acknowledged = 1 + int(recorder.readAllStandardOutput().count("saved\n"));

        if (QFile::exists(m_path + QStringLiteral("-journal")))
            ++journals;
        // Opened as the program opens it: nothing moved aside, every acknowledged test there,
        // at most one more whose commit came just before the kill.
        StudyRecord record(m_path);
        const std::optional<QList<TestPoints>> tests = record.testPoints();
        QVERIFY(tests);
        QVERIFY(record.takeNotices().isEmpty());
        QVERIFY2(tests->size() >= committed + acknowledged,
            qPrintable(QStringLiteral("round %1: %2 tests, %3 acknowledged")
                           .arg(round)
                           .arg(tests->size())
                           .arg(committed + acknowledged)));
        QVERIFY(tests->size() <= committed + acknowledged + 1);
        committed = int(tests->size());
        checkIntact(m_path);
    }
    qInfo("%d kills, %d of them mid-write (journal left behind); %d tests kept", rounds, journals,
        committed);
}

// The copy with the paper open keeps it from this one; killed, it leaves every answer it
// acknowledged, and the paper is free to resume.
void TestStudyRecordProcesses::killedPaperStaysResumable()
{
    constexpr int Items = 30;
    constexpr int TimeLimit = 3600;
    constexpr int AnswersBeforeKill = 5;
    QProcess helper;
    startRecorder(helper, {QStringLiteral("paper"), m_path});
    for (int n = 0; n < AnswersBeforeKill; ++n)
        waitForLine(helper);
    ItemRecord record(m_path);
    const std::optional<QList<ItemAttempt>> underWay = record.papersUnderWay();
    QVERIFY(underWay && underWay->size() == 1);
    const qint64 id = underWay->constFirst().id;
    QCOMPARE(record.resumablePapers(), QList<ItemAttempt>());
    QVERIFY(!PaperClaim::take(m_path, id));

    QThread::msleep(QRandomGenerator::global()->bounded(MaxKillDelayMs));
    helper.kill();
    QVERIFY(helper.waitForFinished(HelperTimeoutMs));
    const int acknowledged
        = AnswersBeforeKill + int(helper.readAllStandardOutput().count("answered\n"));

    QCOMPARE(record.resumablePapers()->size(), 1);
    const std::optional<PaperClaim> claim = PaperClaim::take(m_path, id);
    QVERIFY(claim);
    const std::optional<ItemAttempt> paper = record.attempt(id);
    QVERIFY(paper);
    QCOMPARE(paper->state, AttemptState::UnderWay);
    // The answers up to the last one committed: the acknowledged ones, perhaps one more.
    const int answers = TimeLimit - paper->secondsLeft + 1;
    QVERIFY(answers == acknowledged || answers == acknowledged + 1);
    QCOMPARE(paper->answers.size(), Items);
    for (int position = 1; position <= Items; ++position) {
        std::optional<int> chosen;
        for (int n = position - 1; n < answers; n += Items)
            chosen = n % 4 + 1;
        QCOMPARE(paper->answers.at(position - 1).chosen, chosen);
    }
    checkIntact(m_path);
}

QTEST_GUILESS_MAIN(TestStudyRecordProcesses)
#include "tst_studyrecordprocesses.moc"
