#include "scores/profilefile.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace kivola;

class TestProfileFile : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void lookup_data();
    void lookup();
    void withValue_data();
    void withValue();
    void readsThroughBuffer();
    void missingFileGivesDefault();
    void writeCreatesFile();
    void unreadableFileIsNeverReplaced();
};

void TestProfileFile::lookup_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("found");
    QTest::addColumn<QByteArray>("value");

    QTest::newRow("plain") << QByteArray("[MAIN]\r\nNO= 3\r\n") << true << QByteArray("3");
    QTest::newRow("lf only") << QByteArray("[MAIN]\nNO=3\n") << true << QByteArray("3");
    QTest::newRow("lone cr") << QByteArray("[MAIN]\rNO=3\r") << true << QByteArray("3");
    QTest::newRow("no final line end") << QByteArray("[MAIN]\nNO=3") << true << QByteArray("3");
    QTest::newRow("blanks around")
        << QByteArray("  [MAIN]  \n\t NO \t=  3  \n") << true << QByteArray("3");
    QTest::newRow("double quotes")
        << QByteArray("[MAIN]\nNO=\" 3 \"\n") << true << QByteArray(" 3 ");
    QTest::newRow("single quotes") << QByteArray("[MAIN]\nNO='3'\n") << true << QByteArray("3");
    QTest::newRow("mismatched quotes")
        << QByteArray("[MAIN]\nNO=\"3'\n") << true << QByteArray("\"3'");
    QTest::newRow("lone quote") << QByteArray("[MAIN]\nNO=\"\n") << true << QByteArray("\"");
    QTest::newRow("names ignore case") << QByteArray("[main]\nNo=4\n") << true << QByteArray("4");
    QTest::newRow("value keeps case")
        << QByteArray("[MAIN]\nNO=aBc\n") << true << QByteArray("aBc");
    QTest::newRow("first key wins")
        << QByteArray("[MAIN]\nNO=1\nNO=2\n") << true << QByteArray("1");
    QTest::newRow("only first section searched")
        << QByteArray("[MAIN]\nGETS=1\n[MAIN]\nNO=2\n") << false << QByteArray();
    QTest::newRow("comment line") << QByteArray("[MAIN]\n;NO=1\nNO=2\n") << true << QByteArray("2");
    QTest::newRow("indented comment") << QByteArray("[MAIN]\n  ;NO=1\n") << false << QByteArray();
    QTest::newRow("trailing semicolon is value")
        << QByteArray("[MAIN]\nNO=3 ;x\n") << true << QByteArray("3 ;x");
    QTest::newRow("hash is no comment")
        << QByteArray("[MAIN]\n#NO=1\nNO=2\n") << true << QByteArray("2");
    QTest::newRow("line without equals")
        << QByteArray("[MAIN]\nNO\nNO=5\n") << true << QByteArray("5");
    QTest::newRow("empty value") << QByteArray("[MAIN]\nNO=\n") << true << QByteArray();
    QTest::newRow("key before any section")
        << QByteArray("NO=1\n[MAIN]\n") << false << QByteArray();
    QTest::newRow("blanks inside brackets")
        << QByteArray("[ MAIN ]\nNO=6\n") << true << QByteArray("6");
    QTest::newRow("name ends at bracket")
        << QByteArray("[MAIN]x\nNO=6\n") << true << QByteArray("6");
    QTest::newRow("other section") << QByteArray("[OTHER]\nNO=1\n") << false << QByteArray();
    QTest::newRow("key in later section")
        << QByteArray("[MAIN]\n[OTHER]\nNO=1\n") << false << QByteArray();
    QTest::newRow("utf-8 bom") << QByteArray("\xEF\xBB\xBF[MAIN]\nNO=7\n") << true
                               << QByteArray("7");
    QTest::newRow("empty") << QByteArray() << false << QByteArray();
    QTest::newRow("nul bytes") << QByteArray("[MAIN]\nNO=\0"
                                             "1\n",
        13) << true
                               << QByteArray("\0"
                                             "1",
                                      2);
}

void TestProfileFile::lookup()
{
    QFETCH(QByteArray, content);
    QFETCH(bool, found);
    QFETCH(QByteArray, value);
    const std::optional<QByteArray> result = ProfileFile::lookup(content, "MAIN", "NO");
    QCOMPARE(result.has_value(), found);
    if (found)
        QCOMPARE(*result, value);
}

void TestProfileFile::withValue_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QByteArray>("after");

    QTest::newRow("empty file") << QByteArray() << QByteArray("[MAIN]\r\nNO= 3\r\n");
    QTest::newRow("replace keeps line end and spelling")
        << QByteArray("[main]\nno = 1\ngets=5\n") << QByteArray("[main]\nno= 3\ngets=5\n");
    QTest::newRow("replace last line without end")
        << QByteArray("[MAIN]\r\nNO=1") << QByteArray("[MAIN]\r\nNO= 3");
    QTest::newRow("new key after last key")
        << QByteArray("[MAIN]\nGETS=5\n\n; note\n[X]\na=1\n")
        << QByteArray("[MAIN]\nGETS=5\nNO= 3\n\n; note\n[X]\na=1\n");
    QTest::newRow("new key in empty section")
        << QByteArray("[MAIN]\n[X]\n") << QByteArray("[MAIN]\nNO= 3\n[X]\n");
    QTest::newRow("new key in section at end without line end")
        << QByteArray("[MAIN]") << QByteArray("[MAIN]\r\nNO= 3\r\n");
    QTest::newRow("new section appended")
        << QByteArray("[X]\na=1\n") << QByteArray("[X]\na=1\n[MAIN]\nNO= 3\n");
    QTest::newRow("missing final line end added")
        << QByteArray("[X]\r\na=1") << QByteArray("[X]\r\na=1\r\n[MAIN]\r\nNO= 3\r\n");
    QTest::newRow("text before first section kept")
        << QByteArray("hello\n[MAIN]\nNO=1\n") << QByteArray("hello\n[MAIN]\nNO= 3\n");
    QTest::newRow("only first of duplicate keys")
        << QByteArray("[MAIN]\nNO=1\nNO=2\n") << QByteArray("[MAIN]\nNO= 3\nNO=2\n");
    QTest::newRow("only first of duplicate sections") << QByteArray(
        "[MAIN]\nA=1\n[MAIN]\nNO=2\n") << QByteArray("[MAIN]\nA=1\nNO= 3\n[MAIN]\nNO=2\n");
    QTest::newRow("bom kept") << QByteArray("\xEF\xBB\xBF[MAIN]\nNO=1\n")
                              << QByteArray("\xEF\xBB\xBF[MAIN]\nNO= 3\n");
    QTest::newRow("comment in section kept")
        << QByteArray("[MAIN]\n;NO=9\nNO=1\n") << QByteArray("[MAIN]\n;NO=9\nNO= 3\n");
}

void TestProfileFile::withValue()
{
    QFETCH(QByteArray, before);
    QFETCH(QByteArray, after);
    const QByteArray written = ProfileFile::withValue(before, "MAIN", "NO", " 3");
    QCOMPARE(written, after);
    QCOMPARE(ProfileFile::lookup(written, "MAIN", "NO").value_or("missing"), QByteArray("3"));
}

void TestProfileFile::readsThroughBuffer()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("t.ini"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("[MAIN]\nNO=" + QByteArray(300, '7') + "\n");
    file.close();
    const QByteArray value = ProfileFile(path).readString("MAIN", "NO", "0", 255);
    QCOMPARE(value, QByteArray(254, '7'));
}

void TestProfileFile::missingFileGivesDefault()
{
    QTemporaryDir dir;
    const ProfileFile profile(dir.filePath(QStringLiteral("none.ini")));
    QCOMPARE(profile.readString("MAIN", "NO", "0", 255), QByteArray("0"));
}

void TestProfileFile::writeCreatesFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("new.ini"));
    const ProfileFile profile(path);
    QVERIFY(profile.writeString("MAIN", "NO", " 1"));
    QVERIFY(profile.writeString("MAIN", "GETS", " 60"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("[MAIN]\r\nNO= 1\r\nGETS= 60\r\n"));
}

void TestProfileFile::unreadableFileIsNeverReplaced()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("dir.ini"));
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("dir.ini")));
    const ProfileFile profile(path);
    QCOMPARE(profile.readString("MAIN", "NO", "0", 255), QByteArray("0"));
    QVERIFY(!profile.writeString("MAIN", "NO", " 1"));
    QVERIFY(QFileInfo(path).isDir());
}

QTEST_GUILESS_MAIN(TestProfileFile)
#include "tst_profilefile.moc"
