#include "scores/scorestore.h"
#include "tests/support/testfiles.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <limits>

using namespace kivola;

class TestScoreStore : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void parsesValue_data();
    void parsesValue();
    void formatsValue_data();
    void formatsValue();
    void loads_data();
    void loads();
    void firstRunCreatesFile();
    void saveKeepsOtherContent();
    void countersSaturate();
    void readOnlyFolderFailsQuietly();
    void unwritablePathFailsQuietly();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_path;
};

void TestScoreStore::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_path = ScoreStore::pathIn(m_dir->path());
    QCOMPARE(QFileInfo(m_path).fileName(), QStringLiteral("kivola.ini"));
}

void TestScoreStore::parsesValue_data()
{
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<int>("counter");

    QTest::newRow("plain") << QByteArray("7") << 7;
    QTest::newRow("leading space as written") << QByteArray(" 7") << 7;
    QTest::newRow("trailing letters") << QByteArray("7abc") << 7;
    QTest::newRow("letters") << QByteArray("abc") << 0;
    QTest::newRow("2.5 to even") << QByteArray("2.5") << 2;
    QTest::newRow("3.5 to even") << QByteArray("3.5") << 4;
    QTest::newRow("negative reads as zero") << QByteArray("-5") << 0;
    QTest::newRow("too large reads as zero") << QByteArray("99999999999") << 0;
    QTest::newRow("32-bit top") << QByteArray("2147483647") << std::numeric_limits<int>::max();
    QTest::newRow("just above 32-bit top") << QByteArray("2147483648") << 0;
    QTest::newRow("overflowing exponent") << QByteArray("1e400") << 0;
    QTest::newRow("hex too large") << QByteArray("&HFFFFFFFF") << 0;
    QTest::newRow("hex") << QByteArray("&H10") << 16;
    QTest::newRow("spread digits") << QByteArray("1 2 3") << 123;
    QTest::newRow("blank") << QByteArray("   ") << 0;
}

void TestScoreStore::parsesValue()
{
    QFETCH(QByteArray, value);
    QFETCH(int, counter);
    QCOMPARE(ScoreStore::parseValue(value), counter);
}

void TestScoreStore::formatsValue_data()
{
    QTest::addColumn<int>("value");
    QTest::addColumn<QByteArray>("text");

    QTest::newRow("zero") << 0 << QByteArray(" 0");
    QTest::newRow("positive") << 160 << QByteArray(" 160");
    QTest::newRow("negative") << -3 << QByteArray("-3");
}

void TestScoreStore::formatsValue()
{
    QFETCH(int, value);
    QFETCH(QByteArray, text);
    QCOMPARE(ScoreStore::formatValue(value), text);
}

void TestScoreStore::loads_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<int>("tests");
    QTest::addColumn<int>("points");

    QTest::newRow("as written") << QByteArray("[MAIN]\r\nNO= 3\r\nGETS= 160\r\n") << 3 << 160;
    QTest::newRow("hand edited") << QByteArray("[main]\nno=7\ngets= 7abc\n") << 7 << 7;
    QTest::newRow("no numbers") << QByteArray("[MAIN]\nNO=abc\nGETS=\n") << 0 << 0;
    QTest::newRow("no section") << QByteArray("NO=3\nGETS=5\n") << 0 << 0;
    QTest::newRow("one key only") << QByteArray("[MAIN]\nGETS=40\n") << 0 << 40;
}

void TestScoreStore::loads()
{
    QFETCH(QByteArray, content);
    QFETCH(int, tests);
    QFETCH(int, points);
    writeFile(m_path, content);
    ScoreStore store(m_path);
    store.LoadScores();
    QCOMPARE(store.testsTaken(), tests);
    QCOMPARE(store.totalPoints(), points);
}

void TestScoreStore::firstRunCreatesFile()
{
    ScoreStore store(m_path);
    store.LoadScores();
    QCOMPARE(store.testsTaken(), 0);
    QCOMPARE(store.totalPoints(), 0);
    store.addTest(80);
    QVERIFY(store.SaveScores());
    QCOMPARE(fileContent(m_path), QByteArray("[MAIN]\r\nNO= 1\r\nGETS= 80\r\n"));
}

void TestScoreStore::saveKeepsOtherContent()
{
    const QByteArray before = "; my notes\n[OTHER]\nX=1\n[MAIN]\nNO= 2\nGETS= 100\n[LAST]\nY=2\n";
    writeFile(m_path, before);
    ScoreStore store(m_path);
    store.LoadScores();
    store.addTest(20);
    QVERIFY(store.SaveScores());
    QCOMPARE(fileContent(m_path),
        QByteArray("; my notes\n[OTHER]\nX=1\n[MAIN]\nNO= 3\nGETS= 120\n[LAST]\nY=2\n"));
}

void TestScoreStore::countersSaturate()
{
    writeFile(m_path, "[MAIN]\nNO=2147483647\nGETS=2147483600\n");
    ScoreStore store(m_path);
    store.LoadScores();
    store.addTest(100);
    QCOMPARE(store.testsTaken(), std::numeric_limits<std::int32_t>::max());
    QCOMPARE(store.totalPoints(), std::numeric_limits<std::int32_t>::max());
}

void TestScoreStore::readOnlyFolderFailsQuietly()
{
    const QByteArray before = "[MAIN]\nNO= 1\nGETS= 40\n";
    writeFile(m_path, before);
    QFile::setPermissions(m_dir->path(), QFile::ReadOwner | QFile::ExeOwner);
    QFile probe(m_dir->filePath(QStringLiteral("probe")));
    if (probe.open(QIODevice::WriteOnly)) {
        QFile::setPermissions(
            m_dir->path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QSKIP("running with rights that ignore folder permissions");
    }
    ScoreStore store(m_path);
    store.LoadScores();
    store.addTest(100);
    QVERIFY(!store.SaveScores());
    QFile::setPermissions(m_dir->path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QCOMPARE(fileContent(m_path), before);
    store.LoadScores();
    QCOMPARE(store.testsTaken(), 1);
}

void TestScoreStore::unwritablePathFailsQuietly()
{
    // A regular file where the folder should be: no one, root included, can create the file.
    writeFile(m_dir->filePath(QStringLiteral("notafolder")), "x");
    ScoreStore store(ScoreStore::pathIn(m_dir->filePath(QStringLiteral("notafolder"))));
    store.LoadScores();
    store.addTest(40);
    QVERIFY(!store.SaveScores());
    store.LoadScores();
    QCOMPARE(store.testsTaken(), 0);
}

QTEST_GUILESS_MAIN(TestScoreStore)
#include "tst_scorestore.moc"
