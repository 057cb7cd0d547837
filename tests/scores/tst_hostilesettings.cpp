#include "scores/scorestore.h"
#include "tests/support/helperprocess.h"
#include "tests/support/testfiles.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

using namespace kivola;
using namespace Qt::Literals::StringLiterals;

namespace {

// Every file below gets one test of 40 points recorded.
constexpr std::int16_t Score = 40;
// The file-size limit for the full-disk case: room for the lock file, not for the record.
constexpr int FullDiskBytes = 1024;

QByteArray utf16(const QByteArray &text, QStringConverter::Encoding encoding)
{
    QStringEncoder encoder(encoding, QStringConverter::Flag::WriteBom);
    return encoder(QString::fromUtf8(text));
}

QByteArray garbage()
{
    QByteArray bytes;
    for (int i = 0; i < 256; ++i)
        bytes += char(i);
    return bytes;
}

} // namespace

class TestHostileSettings : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void loadsAndKeepsContent_data();
    void loadsAndKeepsContent();
    void missingFolderFailsQuietly();
    void directoryIsLeftAlone();
    void oversizedFileIsLeftAlone();
    void brokenUtf16IsLeftAlone_data();
    void brokenUtf16IsLeftAlone();
    void namedPipeIsLeftAlone();
    void symlinkKeepsLinkAndReplacesTarget_data();
    void symlinkKeepsLinkAndReplacesTarget();
    void processLimits_data();
    void processLimits();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_path;
};

void TestHostileSettings::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_path = ScoreStore::pathIn(m_dir->path());
}

void TestHostileSettings::loadsAndKeepsContent_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<int>("tests");
    QTest::addColumn<int>("points");
    // The whole file after recording a test: every line but the two counters byte for byte.
    QTest::addColumn<QByteArray>("after");

    const QByteArray fresh = "[MAIN]\r\nNO= 1\r\nGETS= 40\r\n";
    const QByteArray record = "[MAIN]\nNO=2\nGETS=80\n";
    const QByteArray recorded = "[MAIN]\nNO= 3\nGETS= 120\n";
    const QByteArray tenMegabytes(10 * 1024 * 1024, 'x');
    const QByteArray utf16Record = "[MAIN]\r\nNO= 3\r\nGETS= 160\r\n";
    const QByteArray utf16Recorded = "[MAIN]\r\nNO= 4\r\nGETS= 200\r\n";
    QByteArray manySections;
    for (int i = 0; i < 10000; ++i)
        manySections += "[S" + QByteArray::number(i) + "]\nx=1\n";

    auto value = [](const QByteArray &text) { return "[MAIN]\nNO=" + text + "\n"; };
    auto valueSaved
        = [](const QByteArray &tests) { return "[MAIN]\nNO= " + tests + "\nGETS= 40\n"; };

    QTest::newRow("empty file") << QByteArray() << 0 << 0 << fresh;
    QTest::newRow("only section") << QByteArray("[MAIN]") << 0 << 0 << fresh;
    QTest::newRow("only section and line end")
        << QByteArray("[MAIN]\n") << 0 << 0 << QByteArray("[MAIN]\nNO= 1\nGETS= 40\n");
    QTest::newRow("only blank lines")
        << QByteArray("\n\n") << 0 << 0 << QByteArray("\n\n[MAIN]\nNO= 1\nGETS= 40\n");
    QTest::newRow("as written") << QByteArray("[MAIN]\r\nNO= 3\r\nGETS= 160\r\n") << 3 << 160
                                << QByteArray("[MAIN]\r\nNO= 4\r\nGETS= 200\r\n");
    QTest::newRow("keys in other case") << QByteArray("[MAIN]\nno=2\nGets=80\n") << 2 << 80
                                        << QByteArray("[MAIN]\nno= 3\nGets= 120\n");
    QTest::newRow("section in other case") << QByteArray("[main]\nNO=2\nGETS=80\n") << 2 << 80
                                           << QByteArray("[main]\nNO= 3\nGETS= 120\n");
    QTest::newRow("blanks inside brackets") << QByteArray("[ main ]\nNO=2\nGETS=80\n") << 2 << 80
                                            << QByteArray("[ main ]\nNO= 3\nGETS= 120\n");
    QTest::newRow("blanks and tabs around")
        << QByteArray("[MAIN]\n  NO \t=  2  \n\tGETS=\t80\n") << 2 << 80 << recorded;
    QTest::newRow("duplicate sections, first wins")
        << QByteArray("[MAIN]\nNO=2\n[X]\nx=1\n[MAIN]\nNO=9\nGETS=99\n") << 2 << 0
        << QByteArray("[MAIN]\nNO= 3\nGETS= 40\n[X]\nx=1\n[MAIN]\nNO=9\nGETS=99\n");
    QTest::newRow("duplicate keys, first wins")
        << QByteArray("[MAIN]\nNO=2\nNO=9\nGETS=80\nGETS=99\n") << 2 << 80
        << QByteArray("[MAIN]\nNO= 3\nNO=9\nGETS= 120\nGETS=99\n");
    QTest::newRow("comments") << QByteArray("; mine\n[MAIN]\n;NO=9\nNO=2\n ; x\nGETS=80\n;end\n")
                              << 2 << 80
                              << QByteArray(
                                     "; mine\n[MAIN]\n;NO=9\nNO= 3\n ; x\nGETS= 120\n;end\n");
    QTest::newRow("hash is no comment") << QByteArray("[MAIN]\n#NO=9\nNO=2\n") << 2 << 0
                                        << QByteArray("[MAIN]\n#NO=9\nNO= 3\nGETS= 40\n");
    QTest::newRow("lines without equals")
        << QByteArray("[MAIN]\nNO\nhello there\nNO=2\n") << 2 << 0
        << QByteArray("[MAIN]\nNO\nhello there\nNO= 3\nGETS= 40\n");
    QTest::newRow("key without name") << QByteArray("[MAIN]\n=5\nNO=2\n") << 2 << 0
                                      << QByteArray("[MAIN]\n=5\nNO= 3\nGETS= 40\n");
    QTest::newRow("crlf with other sections")
        << QByteArray("[A]\r\nx=1\r\n\r\n[MAIN]\r\nNO=2\r\nGETS=80\r\n\r\n[B]\r\ny=2\r\n") << 2
        << 80 << QByteArray("[A]\r\nx=1\r\n\r\n[MAIN]\r\nNO= 3\r\nGETS= 120\r\n\r\n[B]\r\ny=2\r\n");
    QTest::newRow("lone cr") << QByteArray("[MAIN]\rNO=2\rGETS=80\r") << 2 << 80
                             << QByteArray("[MAIN]\rNO= 3\rGETS= 120\r");
    QTest::newRow("mixed line ends") << QByteArray("[MAIN]\r\nNO=2\nGETS=80\r") << 2 << 80
                                     << QByteArray("[MAIN]\r\nNO= 3\nGETS= 120\r");
    QTest::newRow("no final line end")
        << QByteArray("[MAIN]\nNO=2\nGETS=80") << 2 << 80 << QByteArray("[MAIN]\nNO= 3\nGETS= 120");
    QTest::newRow("utf-8 bom") << "\xEF\xBB\xBF" + record << 2 << 80 << "\xEF\xBB\xBF" + recorded;
    QTest::newRow("utf-16 little endian") << utf16(utf16Record, QStringConverter::Utf16LE) << 3
                                          << 160 << utf16(utf16Recorded, QStringConverter::Utf16LE);
    QTest::newRow("utf-16 big endian") << utf16(utf16Record, QStringConverter::Utf16BE) << 3 << 160
                                       << utf16(utf16Recorded, QStringConverter::Utf16BE);
    QTest::newRow("text and keys before first section")
        << QByteArray("hello\nNO=7\n[MAIN]\nGETS=80\n") << 0 << 80
        << QByteArray("hello\nNO=7\n[MAIN]\nGETS= 120\nNO= 1\n");
    QTest::newRow("keys only in other section")
        << QByteArray("[OTHER]\nNO=5\nGETS=6\n") << 0 << 0
        << QByteArray("[OTHER]\nNO=5\nGETS=6\n[MAIN]\nNO= 1\nGETS= 40\n");
    const QByteArray nul(1, '\0');
    QTest::newRow("nul byte in value") << "[MAIN]\nNO=" + nul + "2\nGETS=80\n"
                                       << 0 << 80 << QByteArray("[MAIN]\nNO= 1\nGETS= 120\n");
    QTest::newRow("nul bytes between lines") << "[MAIN]\n" + nul + nul
            + "\nNO=2\n" << 2 << 0 << "[MAIN]\n" + nul + nul + "\nNO= 3\nGETS= 40\n";
    QTest::newRow("binary garbage")
        << garbage() << 0 << 0 << garbage() + "\n[MAIN]\nNO= 1\nGETS= 40\n";
    QTest::newRow("binary garbage inside section")
        << record + garbage() << 2 << 80 << recorded + garbage();
    QTest::newRow("10 MB line") << record + tenMegabytes + "\n"
                                << 2 << 80 << recorded + tenMegabytes + "\n";
    QTest::newRow("10 MB value") << value(QByteArray(tenMegabytes.size(), '7')) << 0 << 0
                                 << valueSaved("1");
    QTest::newRow("300 characters, first 254 seen")
        << value(QByteArray(299, '0') + "5") << 0 << 0 << valueSaved("1");
    QTest::newRow("255 characters, last one unseen")
        << value(QByteArray(253, '0') + "79") << 7 << 0 << valueSaved("8");
    QTest::newRow("ten thousand sections")
        << manySections + record << 2 << 80 << manySections + recorded;
    QTest::newRow("value -5") << value("-5") << 0 << 0 << valueSaved("1");
    QTest::newRow("value 99999999999") << value("99999999999") << 0 << 0 << valueSaved("1");
    QTest::newRow("value 1e400") << value("1e400") << 0 << 0 << valueSaved("1");
    QTest::newRow("value 1e-400") << value("1e-400") << 0 << 0 << valueSaved("1");
    QTest::newRow("value &HFFFFFFFF") << value("&HFFFFFFFF") << 0 << 0 << valueSaved("1");
    QTest::newRow("value &O17") << value("&O17") << 15 << 0 << valueSaved("16");
    QTest::newRow("value nan") << value("nan") << 0 << 0 << valueSaved("1");
    QTest::newRow("value inf") << value("inf") << 0 << 0 << valueSaved("1");
    QTest::newRow("value of blanks") << value("   ") << 0 << 0 << valueSaved("1");
    QTest::newRow("value +") << value("+") << 0 << 0 << valueSaved("1");
    QTest::newRow("value 1 2 3") << value("1 2 3") << 123 << 0 << valueSaved("124");
    QTest::newRow("value quoted") << value("\" 12 \"") << 12 << 0 << valueSaved("13");
    QTest::newRow("value with trailing comment") << value("3 ;x") << 3 << 0 << valueSaved("4");
    QTest::newRow("value full-width digit") << value("\xEF\xBC\x93") << 0 << 0 << valueSaved("1");
    QTest::newRow("value 2147483646.5 to even")
        << value("2147483646.5") << 2147483646 << 0 << valueSaved("2147483647");
    QTest::newRow("value at the top saturates")
        << value("&H7FFFFFFF") << 2147483647 << 0 << valueSaved("2147483647");
    QTest::newRow("value rounding past the top")
        << value("2147483647.5") << 0 << 0 << valueSaved("1");
}

void TestHostileSettings::loadsAndKeepsContent()
{
    QFETCH(QByteArray, before);
    QFETCH(int, tests);
    QFETCH(int, points);
    QFETCH(QByteArray, after);

    writeFile(m_path, before);
    ScoreStore store(m_path);
    store.LoadScores();
    QCOMPARE(store.testsTaken(), tests);
    QCOMPARE(store.totalPoints(), points);

    QVERIFY(store.recordTest(Score));
    const QByteArray saved = fileContent(m_path);
    // Compared without QCOMPARE's dump of megabytes on failure.
    QVERIFY2(saved == after, saved.left(200).toPercentEncoding().constData());
    QCOMPARE(entriesOf(m_dir->path()), QStringList {QString::fromLatin1(ScoreStore::FileName)});
}

void TestHostileSettings::missingFolderFailsQuietly()
{
    ScoreStore store(ScoreStore::pathIn(m_dir->filePath(QStringLiteral("gone"))));
    QVERIFY(!store.recordTest(Score));
    store.LoadScores();
    QCOMPARE(store.testsTaken(), 0);
    QVERIFY(entriesOf(m_dir->path()).isEmpty());
}

void TestHostileSettings::directoryIsLeftAlone()
{
    QVERIFY(QDir(m_dir->path()).mkdir(QString::fromLatin1(ScoreStore::FileName)));
    ScoreStore store(m_path);
    store.LoadScores();
    QCOMPARE(store.testsTaken(), 0);
    QVERIFY(!store.recordTest(Score));
    QVERIFY(QFileInfo(m_path).isDir());
    QCOMPARE(entriesOf(m_dir->path()), QStringList {QString::fromLatin1(ScoreStore::FileName)});
}

void TestHostileSettings::oversizedFileIsLeftAlone()
{
    // Not ours: it is neither read nor rewritten. Sparse, so it costs no disk space.
    QFile file(m_path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("[MAIN]\nNO=5\n");
    QVERIFY(file.resize(ProfileFile::MaxFileSize + 1));
    file.close();
    ScoreStore store(m_path);
    store.LoadScores();
    QCOMPARE(store.testsTaken(), 0);
    QVERIFY(!store.recordTest(Score));
    QCOMPARE(QFileInfo(m_path).size(), ProfileFile::MaxFileSize + 1);
}

void TestHostileSettings::brokenUtf16IsLeftAlone_data()
{
    QTest::addColumn<QByteArray>("content");

    const QByteArray record = utf16("[MAIN]\r\nNO= 3\r\n", QStringConverter::Utf16LE);
    QTest::newRow("half a character at the end") << record + 'x';
    QTest::newRow("lone surrogate") << record + QByteArray("\x00\xD8", 2);
}

// Such a file could not be written back as it was; it reads as defaults and stays as it is.
void TestHostileSettings::brokenUtf16IsLeftAlone()
{
    QFETCH(QByteArray, content);
    writeFile(m_path, content);
    ScoreStore store(m_path);
    store.LoadScores();
    QCOMPARE(store.testsTaken(), 0);
    QVERIFY(!store.recordTest(Score));
    QCOMPARE(fileContent(m_path), content);
}

void TestHostileSettings::namedPipeIsLeftAlone()
{
#ifdef Q_OS_UNIX
    // Opening a pipe without a writer would wait forever.
    QCOMPARE(mkfifo(QFile::encodeName(m_path).constData(), S_IRUSR | S_IWUSR), 0);
    ScoreStore store(m_path);
    store.LoadScores();
    QCOMPARE(store.testsTaken(), 0);
    QVERIFY(!store.recordTest(Score));
    QVERIFY(!QFileInfo(m_path).isFile());
#else
    QSKIP("named pipes of this kind exist on Unix only");
#endif
}

void TestHostileSettings::symlinkKeepsLinkAndReplacesTarget_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<int>("tests");
    QTest::addColumn<QByteArray>("after");

    QTest::newRow("to a file elsewhere")
        << QByteArray("[MAIN]\nNO=2\nGETS=80\n") << 2 << QByteArray("[MAIN]\nNO= 3\nGETS= 120\n");
    QTest::newRow("to a missing file")
        << QByteArray() << 0 << QByteArray("[MAIN]\r\nNO= 1\r\nGETS= 40\r\n");
}

void TestHostileSettings::symlinkKeepsLinkAndReplacesTarget()
{
    QFETCH(QByteArray, before);
    QFETCH(int, tests);
    QFETCH(QByteArray, after);

#ifdef Q_OS_WIN
    QSKIP("QFile::link makes a shell shortcut on Windows, not a symbolic link");
#endif
    QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("elsewhere")));
    const QString target = m_dir->filePath(QStringLiteral("elsewhere/record.ini"));
    if (!before.isEmpty())
        writeFile(target, before);
    if (!QFile::link(target, m_path))
        QSKIP("this file system has no symbolic links");

    ScoreStore store(m_path);
    store.LoadScores();
    QCOMPARE(store.testsTaken(), tests);
    QVERIFY(store.recordTest(Score));
    QVERIFY(QFileInfo(m_path).isSymLink());
    QCOMPARE(QFileInfo(m_path).symLinkTarget(), target);
    QCOMPARE(fileContent(target), after);
    QCOMPARE(entriesOf(m_dir->filePath(QStringLiteral("elsewhere"))),
        QStringList {QStringLiteral("record.ini")});
}

void TestHostileSettings::processLimits_data()
{
    QTest::addColumn<QString>("limit");
    QTest::addColumn<int>("folderMode");
    QTest::addColumn<int>("fileMode");
    QTest::addColumn<QByteArray>("loaded");

    // A large file so that the full disk strikes while the record is written, not the lock.
    const int readWrite = 0644;
    QTest::newRow("read-only folder") << "rights" << 0555 << readWrite << QByteArray("3 120 1");
    QTest::newRow("file without read permission") << "rights" << 0755 << 0 << QByteArray("1 40 1");
    QTest::newRow("full disk") << "file size" << 0755 << readWrite << QByteArray("3 120 1");
}

void TestHostileSettings::processLimits()
{
#ifdef Q_OS_UNIX
    QFETCH(QString, limit);
    QFETCH(int, folderMode);
    QFETCH(int, fileMode);
    QFETCH(QByteArray, loaded);

    const QByteArray before
        = "; " + QByteArray(2 * FullDiskBytes, '-') + "\n[MAIN]\nNO=2\nGETS=80\n";
    writeFile(m_path, before);

    QProcess recorder;
    QVERIFY(QFile::setPermissions(m_path, QFileDevice::Permissions(fileMode)));
    QVERIFY(chmod(QFile::encodeName(m_dir->path()).constData(), mode_t(folderMode)) == 0);
    const LimitedRun run = runLimited(recorder,
        limit == QLatin1String("rights") ? HelperLimit::Rights : HelperLimit::FileSize,
        FullDiskBytes, QStringLiteral(KIVOLA_RECORDER),
        {QStringLiteral("record"), m_path, QStringLiteral("1"), QString::number(Score)});
    chmod(QFile::encodeName(m_dir->path()).constData(), S_IRWXU);
    QFile::setPermissions(m_path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    if (!run.skipReason.isEmpty())
        QSKIP(qPrintable(run.skipReason));
    QVERIFY(run.finished);
    QCOMPARE(recorder.exitCode(), 0);

    // The recorder reports its counters after the test and the number of failed saves.
    const QList<QByteArray> lines = recorder.readAllStandardOutput().split('\n');
    QCOMPARE(lines.value(1), loaded);
    QCOMPARE(fileContent(m_path), before);
    QCOMPARE(entriesOf(m_dir->path()), QStringList {QString::fromLatin1(ScoreStore::FileName)});
#else
    QSKIP("process limits and rights are tested on Unix only");
#endif
}

QTEST_GUILESS_MAIN(TestHostileSettings)
#include "tst_hostilesettings.moc"
