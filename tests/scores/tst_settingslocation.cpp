#include "scores/scorestore.h"
#include "scores/settingslocation.h"
#include "tests/support/testfiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace kivola;

namespace {

bool neverTakesFiles(const QString &)
{
    return false;
}

} // namespace

class TestSettingsLocation : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void writableProgramFolderKeepsTheFile();
    void unwritableProgramFolderMovesToUserFolder_data();
    void unwritableProgramFolderMovesToUserFolder();
    void bothCountersGoToTheChosenFile();
    void recordBesideTheProgramIsCarriedOver();
    void userRecordIsNeverOverwritten();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_program;
    QString m_user;
};

void TestSettingsLocation::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_program = m_dir->filePath(QStringLiteral("program"));
    m_user = m_dir->filePath(QStringLiteral("config/kivola"));
    QVERIFY(QDir().mkpath(m_program));
}

void TestSettingsLocation::writableProgramFolderKeepsTheFile()
{
    writeFile(ScoreStore::pathIn(m_program), "[MAIN]\r\nNO= 1\r\n");
    const SettingsLocation location(m_program, m_user);
    QCOMPARE(location.place(), SettingsLocation::Place::ProgramFolder);
    QCOMPARE(location.path(), ScoreStore::pathIn(m_program));
    // The check's scratch file is gone and the user's folder is not even created.
    QCOMPARE(QDir(m_program).entryList(QDir::Files | QDir::Hidden),
        QStringList {QStringLiteral("kivola.ini")});
    QVERIFY(!QFileInfo::exists(m_user));
}

void TestSettingsLocation::unwritableProgramFolderMovesToUserFolder_data()
{
    QTest::addColumn<QString>("kind");
    // Permission bits do not stop root, who runs the continuous build; a path that is a file, or
    // is not there at all, stops anyone.
    QTest::newRow("path is a file") << QStringLiteral("file");
    QTest::newRow("folder missing") << QStringLiteral("missing");
    QTest::newRow("read-only folder") << QStringLiteral("read-only");
}

void TestSettingsLocation::unwritableProgramFolderMovesToUserFolder()
{
    QFETCH(QString, kind);
    QString program = m_program;
    if (kind == QLatin1String("file")) {
        program = m_dir->filePath(QStringLiteral("kivola"));
        writeFile(program,
            "\x7f"
            "ELF");
    } else if (kind == QLatin1String("missing")) {
        program = m_dir->filePath(QStringLiteral("gone"));
    } else {
        QVERIFY(QFile::setPermissions(m_program, QFile::ReadOwner | QFile::ExeOwner));
        if (SettingsLocation::takesNewFiles(m_program)) {
            QFile::setPermissions(
                m_program, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
            QSKIP("This user writes into read-only folders");
        }
    }
    const SettingsLocation location(program, m_user);
    QFile::setPermissions(m_program, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QCOMPARE(location.place(), SettingsLocation::Place::UserFolder);
    QCOMPARE(location.path(), ScoreStore::pathIn(m_user));
    QVERIFY(QFileInfo(m_user).isDir());
    QVERIFY(!QFileInfo::exists(location.path()));
}

void TestSettingsLocation::bothCountersGoToTheChosenFile()
{
    const SettingsLocation location(m_program, m_user, &neverTakesFiles);
    ScoreStore store(location.path());
    store.addTest(60);
    QVERIFY(store.SaveScores());
    QCOMPARE(
        fileContent(ScoreStore::pathIn(m_user)), QByteArray("[MAIN]\r\nNO= 1\r\nGETS= 60\r\n"));
    QVERIFY(!QFileInfo::exists(ScoreStore::pathIn(m_program)));
}

void TestSettingsLocation::recordBesideTheProgramIsCarriedOver()
{
    const QByteArray record("[MAIN]\r\nNO= 3\r\nGETS= 160\r\n");
    const QString old = ScoreStore::pathIn(m_program);
    writeFile(old, record);
    QVERIFY(QFile::setPermissions(old, QFile::ReadOwner));
    const SettingsLocation location(m_program, m_user, &neverTakesFiles);
    QCOMPARE(fileContent(location.path()), record);
    QVERIFY(QFile::permissions(location.path()) & QFile::WriteOwner);

    ScoreStore store(location.path());
    store.LoadScores();
    store.addTest(20);
    QVERIFY(store.SaveScores());
    store.LoadScores();
    QCOMPARE(store.testsTaken(), 4);
    QCOMPARE(store.totalPoints(), 180);
    QCOMPARE(fileContent(old), record);
}

void TestSettingsLocation::userRecordIsNeverOverwritten()
{
    const QByteArray mine("[MAIN]\r\nNO= 7\r\nGETS= 500\r\n");
    writeFile(ScoreStore::pathIn(m_program), "[MAIN]\r\nNO= 3\r\nGETS= 160\r\n");
    QVERIFY(QDir().mkpath(m_user));
    writeFile(ScoreStore::pathIn(m_user), mine);
    const SettingsLocation location(m_program, m_user, &neverTakesFiles);
    QCOMPARE(fileContent(location.path()), mine);
}

QTEST_GUILESS_MAIN(TestSettingsLocation)
#include "tst_settingslocation.moc"
