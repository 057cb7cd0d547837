#include "scores/scorestore.h"
#include "tests/support/helperprocess.h"
#include "tests/support/testfiles.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <future>
#include <thread>

using namespace kivola;

namespace {

// Several saves long, so that the kills land anywhere in a save.
constexpr int MaxKillDelayMs = 40;
constexpr int DefaultKillRounds = 60;
constexpr int TestsPerCopy = 200;
constexpr int PauseBetweenTestsMs = 2;
// Long enough for a save to find the file held, short beside the time a save may keep trying.
constexpr int ReaderHoldMs = 300;

// A copy of the program that records tests; started, it announces itself once it has loaded.
void startRecorder(QProcess &process, const QStringList &args)
{
    startHelper(process, QStringLiteral(KIVOLA_RECORDER), args);
}

} // namespace

class TestConcurrentSaves : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    // First: under Wine, once a test helper has been killed, the last output of a helper
    // started later can go unread, and this test reads the copies' reports.
    void twoCopiesKeepEveryTest();
    void killedSaveLeavesOldOrNewFile();
    void staleLockIsTakenOver();
    void ownerlessLockIsTakenOver_data();
    void ownerlessLockIsTakenOver();
    void heldLockDelaysButNeverLosesTest();
    void openReaderDelaysButNeverLosesTest();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_path;
};

void TestConcurrentSaves::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_path = ScoreStore::pathIn(m_dir->path());
}

void TestConcurrentSaves::twoCopiesKeepEveryTest()
{
    QProcess first;
    QProcess second;
    const QString count = QString::number(TestsPerCopy);
    const QString pause = QString::number(PauseBetweenTestsMs);
    startRecorder(first, {QStringLiteral("record"), m_path, count, QStringLiteral("20"), pause});
    startRecorder(second, {QStringLiteral("record"), m_path, count, QStringLiteral("60"), pause});
    QVERIFY(first.waitForFinished(HelperTimeoutMs));
    QVERIFY(second.waitForFinished(HelperTimeoutMs));
    QCOMPARE(first.exitCode(), 0);
    QCOMPARE(second.exitCode(), 0);
    // Each copy reports its counters after its last test and its failed saves: none.
    for (QProcess *copy : {&first, &second}) {
        const QByteArray report = copy->readAllStandardOutput();
        QVERIFY2(report.endsWith(" 0\n"), report.constData());
    }

    QCOMPARE(fileContent(m_path), QByteArray("[MAIN]\r\nNO= 400\r\nGETS= 16000\r\n"));
    QVERIFY(!QFile::exists(ScoreStore(m_path).lockPath()));
}

void TestConcurrentSaves::killedSaveLeavesOldOrNewFile()
{
    // The counters always move together: n tests of 20 points each.
    QFile seed(m_path);
    QVERIFY(seed.open(QIODevice::WriteOnly));
    seed.write("; my record\r\n[MAIN]\r\nNO= 0\r\nGETS= 0\r\n[OTHER]\r\nkept=yes\r\n");
    seed.close();
    const QRegularExpression shape(
        QStringLiteral("^; my record\r\n\\[MAIN\\]\r\nNO= (\\d+)\r\nGETS= "
                       "(\\d+)\r\n\\[OTHER\\]\r\nkept=yes\r\n$"));

    const int rounds = qEnvironmentVariableIsSet("KIVOLA_KILL_ROUNDS")
        ? qEnvironmentVariableIntValue("KIVOLA_KILL_ROUNDS")
        : DefaultKillRounds;
    int midSave = 0;
    int staleLocks = 0;
    int lastCount = 0;
    for (int round = 0; round < rounds; ++round) {
        QProcess recorder;
        startRecorder(recorder,
            {QStringLiteral("record"), m_path, QStringLiteral("0"), QStringLiteral("20")});
        // After its first save, however slow this build makes it, at a random moment.
        waitForLine(recorder);
        QThread::msleep(QRandomGenerator::global()->bounded(MaxKillDelayMs));
        recorder.kill();
        QVERIFY(recorder.waitForFinished(HelperTimeoutMs));

        const QRegularExpressionMatch match = shape.match(QString::fromLatin1(fileContent(m_path)));
        QVERIFY2(match.hasMatch(), qPrintable(QStringLiteral("round %1").arg(round)));
        const int count = match.captured(1).toInt();
        QCOMPARE(match.captured(2).toInt(), 20 * count);
        QVERIFY(count >= lastCount);
        lastCount = count;

        // A temporary file left behind means the kill came while the new file was being written.
        QDir dir(m_dir->path());
        const QString lockName = QFileInfo(ScoreStore(m_path).lockPath()).fileName();
        const QStringList temporaries
            = dir.entryList({QStringLiteral("kivola.ini.*")}, QDir::Files | QDir::Hidden);
        for (const QString &name : temporaries) {
            if (name == lockName)
                ++staleLocks;
            else if (!name.startsWith(lockName) && dir.remove(name))
                ++midSave;
        }
    }
    qInfo("%d kills: %d inside a save (lock left behind), %d while writing the new file "
          "(temporary file left behind); %d tests recorded, none lost",
        rounds, staleLocks, midSave, lastCount);
    QVERIFY(lastCount > 0);
    ScoreStore store(m_path);
    store.LoadScores();
    QCOMPARE(store.testsTaken(), lastCount);
    QCOMPARE(store.totalPoints(), 20 * lastCount);
}

void TestConcurrentSaves::staleLockIsTakenOver()
{
    QProcess holder;
    startRecorder(holder, {QStringLiteral("hold"), m_path});
    holder.kill();
    QVERIFY(holder.waitForFinished(HelperTimeoutMs));
    ScoreStore store(m_path);
    QVERIFY(QFile::exists(store.lockPath()));

    QVERIFY(store.recordTest(40));
    // Taken over and released: a save that ignored the lock would have left it in place.
    QVERIFY(!QFile::exists(store.lockPath()));
    QCOMPARE(fileContent(m_path), QByteArray("[MAIN]\r\nNO= 1\r\nGETS= 40\r\n"));
}

void TestConcurrentSaves::ownerlessLockIsTakenOver_data()
{
    QTest::addColumn<QByteArray>("content");

    QTest::newRow("empty") << QByteArray();
    QTest::newRow("no lock of ours") << QByteArray("locked by hand\n");
    QTest::newRow("binary") << QByteArray("\x00\xff\xfe\x01", 4);
}

void TestConcurrentSaves::ownerlessLockIsTakenOver()
{
    QFETCH(QByteArray, content);
    ScoreStore store(m_path);
    writeFile(store.lockPath(), content);
    QFile lockFile(store.lockPath());
    QVERIFY(lockFile.open(QIODevice::ReadWrite));
    QVERIFY(lockFile.setFileTime(
        QDateTime::currentDateTime().addSecs(-5), QFileDevice::FileModificationTime));
    lockFile.close();

    QVERIFY(store.recordTest(40));
    // A save that gave up waiting would have saved anyway but left the file for the next one.
    QVERIFY(!QFile::exists(store.lockPath()));
    QCOMPARE(fileContent(m_path), QByteArray("[MAIN]\r\nNO= 1\r\nGETS= 40\r\n"));
}

void TestConcurrentSaves::heldLockDelaysButNeverLosesTest()
{
    QProcess holder;
    startRecorder(holder, {QStringLiteral("hold"), m_path});
    ScoreStore store(m_path);
    const QByteArray lock = fileContent(store.lockPath());

    QVERIFY(store.recordTest(40));
    QCOMPARE(fileContent(store.lockPath()), lock);
    QCOMPARE(fileContent(m_path), QByteArray("[MAIN]\r\nNO= 1\r\nGETS= 40\r\n"));
    holder.kill();
    QVERIFY(holder.waitForFinished(HelperTimeoutMs));
}

// Another program reading the file, as a virus scanner does, blocks its replacement on Windows
// for as long as it reads.
void TestConcurrentSaves::openReaderDelaysButNeverLosesTest()
{
    writeFile(m_path, "[MAIN]\r\nNO= 1\r\nGETS= 20\r\n");
    std::promise<bool> opened;
    std::thread reader([&] {
        QFile file(m_path);
        opened.set_value(file.open(QIODevice::ReadOnly));
        QThread::msleep(ReaderHoldMs);
    });
    const bool readerOpened = opened.get_future().get();
    const bool saved = ScoreStore(m_path).recordTest(40);
    reader.join();
    QVERIFY(readerOpened);
    QVERIFY(saved);
    QCOMPARE(fileContent(m_path), QByteArray("[MAIN]\r\nNO= 2\r\nGETS= 60\r\n"));
}

QTEST_GUILESS_MAIN(TestConcurrentSaves)
#include "tst_concurrentsaves.moc"
